#include "ListCandidates.h"

#include "platform/AsciiCase.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>
#include <unordered_map>

namespace corvano {

namespace {

// A list's items lie close below its container; farther up only the page's frame remains.
constexpr std::size_t kMaximumItemDepth = 12;
// A list's items are different pages; a link and its picture may share one.
constexpr double kLeastDistinctShare = 0.5;

// Elements, and words in the classes and ids, of the page's frame rather than its content.
constexpr std::array<std::string_view, 4> kFrameElements{"nav", "header", "footer", "aside"};
constexpr std::array<std::string_view, 11> kFrameWords{"nav",        "menu",     "footer", "pager",
                                                       "pagination", "page-",    "tags",   "crumb",
                                                       "sidebar",    "category", "friend"};

// The links under one container at one path below its children, with the child holding each.
struct Bucket
{
    std::size_t container = 0;
    std::vector<std::size_t> anchors;
    std::vector<std::size_t> items;
};

std::string lowerCase(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower)
        c = AsciiCase::toLower(c);
    return lower;
}

bool isFrame(const PageOutline::Element& element)
{
    if (std::find(kFrameElements.begin(), kFrameElements.end(), element.name) !=
        kFrameElements.end())
        return true;
    const std::string names = lowerCase(element.label + " " + element.id);
    return std::any_of(kFrameWords.begin(), kFrameWords.end(), [&](std::string_view word) {
        return names.find(word) != std::string::npos;
    });
}

bool isDeadAddress(std::string_view href)
{
    return href.empty() || href.starts_with('#') || lowerCase(href).starts_with("javascript:");
}

// A content address names one thing: a number or a file name in its last part.
bool isContentAddress(std::string_view href)
{
    const std::string_view last = href.substr(href.rfind('/') + 1);
    return std::any_of(last.begin(), last.end(),
                       [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == '='; });
}

// A container and the path from its children down to the links, the path as a hash: class
// lists can be long, and a page has many links times many levels.
constexpr auto kPathMix = static_cast<std::size_t>(0x100000001B3ULL); // FNV's prime

struct BucketKey
{
    std::size_t container;
    std::size_t path;
    bool operator==(const BucketKey&) const = default;
};

struct BucketKeyHash
{
    std::size_t operator()(const BucketKey& key) const { return key.path * 31 + key.container; }
};

using Buckets = std::unordered_map<BucketKey, Bucket, BucketKeyHash>;

void addTo(Buckets& buckets, BucketKey key, std::size_t anchor, std::size_t item)
{
    Bucket& bucket = buckets[key];
    bucket.container = key.container;
    bucket.anchors.push_back(anchor);
    bucket.items.push_back(item);
}

// Each link goes into one bucket per level above it: the items' path as written, and, where
// an item has a class, once more under its name alone, as lists mark their first, odd or
// even items with classes of their own.
Buckets bucketsOf(const PageOutline& outline)
{
    const auto& elements = outline.elements();
    std::vector<std::size_t> labelHashes;
    std::vector<std::size_t> nameHashes;
    for (const PageOutline::Element& element : elements) {
        labelHashes.push_back(std::hash<std::string>{}(element.label));
        nameHashes.push_back(std::hash<std::string>{}(element.name));
    }
    Buckets buckets;
    for (std::size_t a = 0; a < outline.anchors().size(); ++a) {
        std::size_t item = outline.anchors()[a].element;
        std::size_t below = 0; // the path from the item's children down to the link
        for (std::size_t level = 0; level < kMaximumItemDepth; ++level) {
            const std::size_t container = elements[item].parent;
            if (container == PageOutline::kNone)
                break;
            addTo(buckets, {container, below * kPathMix ^ labelHashes[item]}, a, item);
            if (labelHashes[item] != nameHashes[item])
                addTo(buckets, {container, below * kPathMix ^ nameHashes[item]}, a, item);
            below = below * kPathMix ^ labelHashes[item];
            item = container;
        }
    }
    return buckets;
}

// A bucket whose items hold several of its links is a group as a whole (nested lists) and,
// split by the place of each link within its item, one group per place (the category
// before each title, and the title).
void addGroups(const Bucket& bucket, std::vector<LinkGroup>& groups)
{
    LinkGroup whole{bucket.container, bucket.anchors, false, 0};
    std::vector<LinkGroup> byPlace;
    std::size_t itemCount = 0;
    std::size_t place = 0;
    for (std::size_t i = 0; i < bucket.anchors.size(); ++i) {
        const bool sameItem = i > 0 && bucket.items[i] == bucket.items[i - 1];
        place = sameItem ? place + 1 : 0;
        itemCount += sameItem ? 0 : 1;
        if (place == byPlace.size())
            byPlace.push_back({bucket.container, {}, false, 0});
        byPlace[place].anchors.push_back(bucket.anchors[i]);
    }
    if (itemCount < ListCandidates::kMinimumLinks)
        return;
    if (byPlace.size() == 1) {
        groups.push_back(std::move(whole));
        return;
    }
    whole.mixed = true;
    groups.push_back(std::move(whole));
    for (LinkGroup& group : byPlace) {
        if (group.anchors.size() >= ListCandidates::kMinimumLinks)
            groups.push_back(std::move(group));
    }
}

} // namespace

double ListCandidates::score(const PageOutline& outline, const LinkGroup& group)
{
    const auto& anchors = outline.anchors();
    const auto count = static_cast<double>(group.anchors.size());
    double text = 0;
    double dead = 0;
    double content = 0;
    std::set<std::string_view> addresses;
    for (const std::size_t a : group.anchors) {
        text += static_cast<double>(anchors[a].textLength);
        dead += isDeadAddress(anchors[a].href) ? 1 : 0;
        content += isContentAddress(anchors[a].href) ? 1 : 0;
        addresses.insert(anchors[a].href);
    }
    // Titles say more than menu entries; past a line's length more text says no more.
    const double textWeight = 1 + std::min(text / count, 30.0) / 5;
    // Tags and categories repeat their addresses; a list of items does not. Where most
    // links share an address, they are no list at all.
    const double distinct = static_cast<double>(addresses.size()) / count;
    if (distinct < kLeastDistinctShare)
        return 0;
    const double live = 1 - dead / count;
    const double contentWeight = 1 + content / count / 2;
    double frameWeight = 1;
    for (std::size_t e = anchors[group.anchors.front()].element; e != PageOutline::kNone;
         e = outline.elements()[e].parent) {
        if (isFrame(outline.elements()[e])) {
            frameWeight = 0.3;
            break;
        }
    }
    // Links of different places in one item are less alike than links of one place.
    const double placeWeight = group.mixed ? 0.7 : 1;
    return count * textWeight * distinct * distinct * live * live * contentWeight * frameWeight *
           placeWeight;
}

std::vector<LinkGroup> ListCandidates::rank(const PageOutline& outline)
{
    std::vector<LinkGroup> groups;
    for (const auto& [key, bucket] : bucketsOf(outline))
        addGroups(bucket, groups);
    for (LinkGroup& group : groups)
        group.score = score(outline, group);
    std::erase_if(groups, [](const LinkGroup& group) { return group.score <= 0; });
    // Equal scores keep page order, so that the result does not hang on the map's order.
    std::sort(groups.begin(), groups.end(), [](const LinkGroup& a, const LinkGroup& b) {
        if (a.score != b.score)
            return a.score > b.score;
        if (a.anchors.front() != b.anchors.front())
            return a.anchors.front() < b.anchors.front();
        return a.anchors.size() > b.anchors.size();
    });
    // A list whose items all carry one class forms the same group both ways.
    std::set<std::vector<std::size_t>> seen;
    std::erase_if(groups, [&seen](const LinkGroup& g) { return !seen.insert(g.anchors).second; });
    return groups;
}

} // namespace corvano
