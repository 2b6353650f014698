#include "ListCut.h"

#include "LinkExtractor.h"
#include "TextSearch.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace corvano {

namespace {

constexpr std::string_view kLinkStart = "href=";
// How far from the list a start or end string may begin, and how long it may be: the nearer
// and the shorter, the likelier it stands there again tomorrow.
constexpr std::size_t kReach = 400;
constexpr std::size_t kLongest = 160;
constexpr std::size_t kMostWindows = 48;
// What a digit costs a start or end string, in characters of length: numbers are what
// changes from day to day (a date, a count, an id).
constexpr std::size_t kDigitCost = 40;
// A whole tag reads more plainly than an attribute taken out of one.
constexpr std::size_t kPartCost = 10;

// A stretch of page text from a "<" to just after a ">", or one attribute of a tag.
struct Window
{
    std::size_t begin = 0;
    std::size_t end = 0;
    bool attribute = false;
    std::size_t size() const { return end - begin; }
};

struct Piece
{
    std::size_t hrefPos; // std::string_view::npos for the text before the first "href="
    std::string_view text;
};

// The segment ExtractLinks works on, cut at the place it was meant for, or none.
struct Segment
{
    std::size_t begin = 0;
    std::size_t end = 0;
};

bool usable(std::string_view text)
{
    // One line, no link: a text box holds it, and it does not change with the list.
    return text.find_first_of("\r\n") == std::string_view::npos &&
           text.find(kLinkStart) == std::string_view::npos;
}

std::vector<std::size_t> positionsOf(std::string_view page, char c, std::size_t from,
                                     std::size_t to)
{
    std::vector<std::size_t> positions;
    for (std::size_t at = page.find(c, from); at < to; at = page.find(c, at + 1))
        positions.push_back(at);
    return positions;
}

bool hasDigit(std::string_view text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Every stretch from a "<" to a ">" between from and to, each text once.
std::vector<Window> windowsIn(std::string_view page, std::size_t from, std::size_t to)
{
    std::vector<Window> windows;
    const std::vector<std::size_t> opens = positionsOf(page, '<', from, to);
    const std::vector<std::size_t> closes = positionsOf(page, '>', from, to);
    for (const std::size_t begin : opens) {
        for (auto close = std::upper_bound(closes.begin(), closes.end(), begin);
             close != closes.end() && *close + 1 - begin <= kLongest; ++close) {
            const Window window{begin, *close + 1};
            if (!usable(page.substr(window.begin, window.size())))
                break;
            windows.push_back(window);
        }
    }
    // Of windows with the same text only one can be found where it is meant to be: the
    // first start string, or the end string nearest after the list.
    const auto text = [page](const Window& w) { return page.substr(w.begin, w.size()); };
    std::stable_sort(windows.begin(), windows.end(),
                     [&](const Window& a, const Window& b) { return text(a) < text(b); });
    windows.erase(std::unique(windows.begin(), windows.end(),
                              [&](const Window& a, const Window& b) { return text(a) == text(b); }),
                  windows.end());
    return windows;
}

// The likeliest first, and not too many: short, without digits and near the list (at `near`),
// as a string far from it is likelier to change before tomorrow.
std::vector<Window> likeliest(std::string_view page, std::vector<Window> windows, std::size_t near,
                              bool beforeList)
{
    const auto cost = [&](const Window& w) {
        const std::size_t distance = beforeList ? near - std::min(near, w.end) : w.begin - near;
        return w.size() + distance + (hasDigit(page.substr(w.begin, w.size())) ? kDigitCost : 0) +
               (w.attribute ? kPartCost : 0);
    };
    std::stable_sort(windows.begin(), windows.end(), [&](const Window& a, const Window& b) {
        return cost(a) != cost(b) ? cost(a) < cost(b) : a.size() < b.size();
    });
    if (windows.size() > kMostWindows)
        windows.resize(kMostWindows);
    return windows;
}

// The class and id attributes of a start tag, for a tag whose other attributes change.
std::vector<Window> attributeWindows(std::string_view page, const PageOutline::Element& tag)
{
    std::vector<Window> windows;
    if (tag.tagBegin == PageOutline::kNone)
        return windows;
    const std::string_view text = page.substr(tag.tagBegin, tag.tagEnd - tag.tagBegin);
    for (const std::string_view name : {" class=", " id="}) {
        const std::size_t at = text.find(name);
        const std::size_t valueAt = at + name.size();
        if (at == std::string_view::npos || valueAt >= text.size() ||
            (text[valueAt] != '"' && text[valueAt] != '\''))
            continue;
        const std::size_t close = text.find(text[valueAt], valueAt + 1);
        if (close != std::string_view::npos && usable(text.substr(at + 1, close - at)))
            windows.push_back({tag.tagBegin + at + 1, tag.tagBegin + close + 1, true});
    }
    return windows;
}

std::size_t itemStart(const PageOutline& outline, std::size_t element, std::size_t container)
{
    const auto& elements = outline.elements();
    while (elements[element].parent != container && elements[element].parent != PageOutline::kNone)
        element = elements[element].parent;
    return elements[element].tagBegin;
}

// Start strings end at the container's start tag, or before the first item when the parser
// implied the container.
std::vector<Window> startWindows(std::string_view page, const PageOutline& outline,
                                 const LinkGroup& group)
{
    const PageOutline::Anchor& first = outline.anchors()[group.anchors.front()];
    const PageOutline::Element& container = outline.elements()[group.container];
    std::size_t to = container.tagEnd;
    if (to == PageOutline::kNone)
        to = itemStart(outline, first.element, group.container);
    if (to == PageOutline::kNone || to > first.hrefPos)
        to = first.hrefPos;
    const std::size_t from = to > kReach ? to - kReach : 0;
    std::vector<Window> windows = windowsIn(page, from, to + 1);
    std::erase_if(windows, [to](const Window& w) { return w.end > to; });
    const std::vector<Window> attributes = attributeWindows(page, container);
    windows.insert(windows.end(), attributes.begin(), attributes.end());
    return likeliest(page, std::move(windows), to, true);
}

// End strings begin after the last link of the group, at the latest a little past the
// container's end.
std::vector<Window> endWindows(std::string_view page, const PageOutline& outline,
                               const LinkGroup& group)
{
    const PageOutline::Anchor& last = outline.anchors()[group.anchors.back()];
    const std::size_t linkEnd = outline.elements()[last.element].closeEnd;
    const std::size_t from =
        linkEnd == PageOutline::kNone ? last.hrefPos + kLinkStart.size() : linkEnd;
    std::size_t containerEnd = outline.elements()[group.container].closeEnd;
    if (containerEnd == PageOutline::kNone || containerEnd < from)
        containerEnd = from;
    const std::size_t to = std::min(page.size(), containerEnd + kReach);
    return likeliest(page, windowsIn(page, from, to), from, false);
}

// The text from the start string's first occurrence to its second, or none when it is first
// found elsewhere than in this window.
std::optional<Segment> afterStart(std::string_view page, const Window& start)
{
    const std::string_view startText = page.substr(start.begin, start.size());
    if (page.find(startText) != start.begin)
        return std::nullopt;
    const std::size_t second = page.find(startText, start.end);
    return Segment{start.end, second == std::string_view::npos ? page.size() : second};
}

// The segment cut at the end string, or none when the end string is first found elsewhere.
std::optional<Segment> beforeEnd(std::string_view page, Segment segment, const Window& end)
{
    const std::size_t cut =
        page.substr(0, segment.end).find(page.substr(end.begin, end.size()), segment.begin);
    if (cut != end.begin)
        return std::nullopt;
    return Segment{segment.begin, cut};
}

std::vector<Piece> piecesOf(std::string_view page, Segment segment)
{
    const std::string_view text = page.substr(segment.begin, segment.end - segment.begin);
    std::vector<Piece> pieces;
    std::size_t hrefPos = std::string_view::npos;
    for (std::size_t pieceStart = 0;;) {
        const std::size_t next = text.find(kLinkStart, pieceStart);
        pieces.push_back({hrefPos, text.substr(pieceStart, next - pieceStart)});
        if (next == std::string_view::npos)
            return pieces;
        hrefPos = segment.begin + next;
        pieceStart = next + kLinkStart.size();
    }
}

// The address up to where a browser would end it, without the quote it may open with.
std::string_view bareAddress(std::string_view address)
{
    if (address.starts_with('\''))
        address.remove_prefix(1);
    return address.substr(0, address.find_first_of("'\"<> \t\r\n"));
}

// Parts of an address that name its kind rather than the one item: the site, the folders,
// the file type, the query's keys. Parts with digits are left out, as dates and numbers
// change from one day's items to the next.
std::vector<std::string> addressParts(std::string_view address)
{
    std::vector<std::string> parts{""};
    const auto add = [&parts](std::string_view part) {
        if (!part.empty() && !hasDigit(part))
            parts.emplace_back(part);
    };
    address = bareAddress(address);
    const std::size_t queryAt = std::min(address.find('?'), address.find('#'));
    const std::string_view path = address.substr(0, queryAt);
    std::size_t pathStart = 0;
    if (const auto scheme = path.find("://"); scheme != std::string_view::npos) {
        const std::size_t hostStart = scheme + 3;
        pathStart = std::min(path.find('/', hostStart), path.size());
        add(path.substr(hostStart, pathStart - hostStart));
    }
    std::vector<std::size_t> slashes;
    for (std::size_t s = path.find('/', pathStart); s != std::string_view::npos;
         s = path.find('/', s + 1))
        slashes.push_back(s);
    for (std::size_t i = 0; i < slashes.size(); ++i) {
        for (std::size_t j = i + 1; j < slashes.size() && j <= i + 2; ++j)
            add(path.substr(slashes[i], slashes[j] + 1 - slashes[i]));
    }
    const std::string_view file = path.substr(slashes.empty() ? pathStart : slashes.back() + 1);
    if (const auto dot = file.rfind('.'); dot != std::string_view::npos && dot + 1 < file.size())
        add(file.substr(dot));
    if (queryAt < address.size() && address[queryAt] == '?') {
        const std::string_view query = address.substr(queryAt);
        for (std::size_t at = 0; at < query.size();) {
            const std::size_t equals = query.find('=', at);
            if (equals == std::string_view::npos)
                break;
            add(query.substr(at, equals + 1 - at));
            add(query.substr(at + 1, equals - at));
            at = query.find('&', equals);
        }
    }
    std::sort(parts.begin(), parts.end(), [](const std::string& a, const std::string& b) {
        return a.size() != b.size() ? a.size() < b.size() : a < b;
    });
    parts.erase(std::unique(parts.begin(), parts.end()), parts.end());
    return parts;
}

// What all the addresses begin with, up to the last "/" or "=" in it: the folder of a year,
// say, where nothing else is shared.
std::string commonFolder(const std::vector<std::string_view>& addresses)
{
    std::string_view prefix = bareAddress(addresses.front());
    for (const std::string_view address : addresses) {
        const std::string_view bare = bareAddress(address);
        const auto differ = std::mismatch(prefix.begin(), prefix.end(), bare.begin(), bare.end());
        prefix = prefix.substr(0, static_cast<std::size_t>(differ.first - prefix.begin()));
    }
    const std::size_t end = prefix.find_last_of("/=");
    return end == std::string_view::npos || end == 0 ? std::string()
                                                     : std::string(prefix.substr(0, end + 1));
}

// The shortest part that every wanted address holds and no other candidate of the segment;
// failing that, their common folder.
std::optional<std::string> containsString(const std::vector<std::string_view>& wanted,
                                          const std::vector<std::string_view>& others)
{
    std::vector<std::string> parts = addressParts(wanted.front());
    if (std::string folder = commonFolder(wanted); !folder.empty())
        parts.push_back(std::move(folder));
    for (const std::string& part : parts) {
        const auto holds = [&part](std::string_view address) {
            return TextSearch::containsIgnoringCase(address, part);
        };
        if (std::all_of(wanted.begin(), wanted.end(), holds) &&
            std::none_of(others.begin(), others.end(), holds))
            return part;
    }
    return std::nullopt;
}

std::optional<ListProposal> tryCut(std::string_view page, const std::set<std::size_t>& targets,
                                   const Window& start, Segment afterStart, const Window& end)
{
    const auto segment = beforeEnd(page, afterStart, end);
    if (!segment || *targets.begin() < segment->begin || *targets.rbegin() >= segment->end)
        return std::nullopt;
    std::vector<std::string_view> wanted;
    std::vector<std::string_view> others;
    std::string expected;
    for (const Piece& piece : piecesOf(page, *segment)) {
        const std::string_view address = LinkExtractor::addressOf(piece.text);
        if (targets.count(piece.hrefPos) == 0) {
            if (!address.empty())
                others.push_back(address);
            continue;
        }
        if (address.empty())
            return std::nullopt;
        wanted.push_back(address);
        expected = LinkExtractor::ParseLinkTag(std::move(expected), piece.text, address, "");
    }
    if (wanted.size() != targets.size())
        return std::nullopt;
    auto contains = containsString(wanted, others);
    if (!contains)
        return std::nullopt;
    ListProposal proposal{std::string(page.substr(start.begin, start.size())),
                          std::string(page.substr(end.begin, end.size())), std::move(*contains),
                          wanted.size()};
    // The proof: the extraction itself returns the group and nothing else.
    const auto result =
        LinkExtractor::ExtractLinks(page, proposal.start, proposal.end, proposal.contains);
    if (result.error != LinkExtractor::Error::None || result.linkList != expected)
        return std::nullopt;
    return proposal;
}

} // namespace

std::optional<ListProposal> ListCut::derive(std::string_view page, const PageOutline& outline,
                                            const LinkGroup& group)
{
    std::set<std::size_t> targets;
    for (const std::size_t a : group.anchors)
        targets.insert(outline.anchors()[a].hrefPos);
    const std::vector<Window> ends = endWindows(page, outline, group);
    for (const Window& start : startWindows(page, outline, group)) {
        const auto segment = afterStart(page, start);
        if (!segment)
            continue;
        for (const Window& end : ends) {
            if (auto proposal = tryCut(page, targets, start, *segment, end))
                return proposal;
        }
    }
    return std::nullopt;
}

} // namespace corvano
