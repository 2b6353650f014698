#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct pcre2_real_code_8;

namespace corvano {

// One compiled pattern: case-sensitive, unanchored search, ASCII \w, UTF-8 text.
class RegularExpression
{
public:
    explicit RegularExpression(std::string_view pattern);
    ~RegularExpression();
    RegularExpression(const RegularExpression&) = delete;
    RegularExpression& operator=(const RegularExpression&) = delete;

    bool test(std::string_view text) const;
    // The first match that starts at or after start: the whole match, then each group (a
    // group that took no part is empty). The views point into text.
    std::optional<std::vector<std::string_view>> search(std::string_view text,
                                                        std::size_t start = 0) const;
    // Every non-overlapping match, left to right, becomes the replacement taken literally.
    std::string replaceAll(std::string_view text, std::string_view replacement) const;

private:
    struct CodeDeleter
    {
        void operator()(pcre2_real_code_8* code) const;
    };
    std::unique_ptr<pcre2_real_code_8, CodeDeleter> m_code;
};

// The two patterns the program uses.
inline constexpr std::string_view kAddressPattern = R"(http://([\w-]+\.)+[\w-]+(/[\w ./?%&=-]*)?)";
// The nine characters a file name may not hold, and control characters, which no file
// system accepts in a name either.
inline constexpr std::string_view kFileNamePattern = R"([\\/:\*\?"<>\|\x00-\x1F\x7F])";

bool RegTest(std::string_view text, std::string_view pattern);
std::string RegReplace(std::string_view text, std::string_view pattern);
// The same with a pattern compiled once, for a loop over many texts.
std::string RegReplace(std::string_view text, const RegularExpression& expression);

} // namespace corvano
