#define PCRE2_CODE_UNIT_WIDTH 8
#include "RegularExpression.h"

#include <pcre2.h>
#include <stdexcept>

namespace corvano {

namespace {

struct MatchDataDeleter
{
    void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

PCRE2_SPTR bytes(std::string_view text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.data());
}

} // namespace

void RegularExpression::CodeDeleter::operator()(pcre2_real_code_8* code) const
{
    pcre2_code_free(code);
}

RegularExpression::RegularExpression(std::string_view pattern)
{
    int error = 0;
    PCRE2_SIZE offset = 0;
    // Without PCRE2_UCP, \w stays ASCII; PCRE2_MATCH_INVALID_UTF lets page text that is not
    // well-formed be searched instead of rejected.
    m_code.reset(pcre2_compile(bytes(pattern), pattern.size(), PCRE2_UTF | PCRE2_MATCH_INVALID_UTF,
                               &error, &offset, nullptr));
    if (!m_code)
        throw std::invalid_argument("invalid pattern: " + std::string(pattern));
}

RegularExpression::~RegularExpression() = default;

bool RegularExpression::test(std::string_view text) const
{
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
        pcre2_match_data_create_from_pattern(m_code.get(), nullptr));
    return pcre2_match(m_code.get(), bytes(text), text.size(), 0, 0, match.get(), nullptr) >= 0;
}

std::optional<std::vector<std::string_view>> RegularExpression::search(std::string_view text,
                                                                       std::size_t start) const
{
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
        pcre2_match_data_create_from_pattern(m_code.get(), nullptr));
    const int rc =
        pcre2_match(m_code.get(), bytes(text), text.size(), start, 0, match.get(), nullptr);
    if (rc < 0)
        return std::nullopt;
    const PCRE2_SIZE* range = pcre2_get_ovector_pointer(match.get());
    std::vector<std::string_view> groups(pcre2_get_ovector_count(match.get()));
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (range[2 * i] != PCRE2_UNSET)
            groups[i] = text.substr(range[2 * i], range[2 * i + 1] - range[2 * i]);
    }
    return groups;
}

std::string RegularExpression::replaceAll(std::string_view text, std::string_view replacement) const
{
    std::unique_ptr<pcre2_match_data, MatchDataDeleter> match(
        pcre2_match_data_create_from_pattern(m_code.get(), nullptr));
    std::string out;
    out.reserve(text.size());
    std::size_t start = 0;
    while (start <= text.size()) {
        const int rc =
            pcre2_match(m_code.get(), bytes(text), text.size(), start, 0, match.get(), nullptr);
        if (rc < 0)
            break;
        const PCRE2_SIZE* range = pcre2_get_ovector_pointer(match.get());
        out.append(text.substr(start, range[0] - start));
        out.append(replacement);
        start = range[1];
        if (range[1] == range[0]) {
            // An empty match: keep the next character and move past it.
            if (range[1] >= text.size())
                return out;
            out += text[range[1]];
            start = range[1] + 1;
        }
    }
    if (start < text.size())
        out.append(text.substr(start));
    return out;
}

bool RegTest(std::string_view text, std::string_view pattern)
{
    return RegularExpression(pattern).test(text);
}

std::string RegReplace(std::string_view text, std::string_view pattern)
{
    return RegReplace(text, RegularExpression(pattern));
}

std::string RegReplace(std::string_view text, const RegularExpression& expression)
{
    if (!expression.test(text))
        return std::string(text);
    return expression.replaceAll(text, "-");
}

} // namespace corvano
