#include "transfer/html_charset.h"

#include <array>

#include "services/multibyte.h"

namespace zelvo {

namespace {

// The names pages give each code page, in lower case. A page is rewritten only when its
// declaration names the code page it was converted from.
constexpr std::array<std::string_view, 4> kGbkNames = {"gb2312", "gbk", "gb18030", "x-gbk"};
constexpr std::array<std::string_view, 3> kBig5Names = {"big5", "big5-hkscs", "x-x-big5"};

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return CompareTextNoCase(text.substr(text.size() - suffix.size()), suffix, 0) == 0;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// Bytes a code page name is made of; anything else (a quote, ";", ">", a blank) ends it.
bool IsNameByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.';
}

// The new name written the way the old one was: all lower case, all upper case, or, for a
// mixed spelling, the name as it is usually written ("Big5", "GB2312").
std::string InCaseOf(std::string_view written, std::string_view lower, std::string_view mixed) {
    bool hasUpper = false, hasLower = false;
    for (char c : written) {
        hasUpper = hasUpper || (c >= 'A' && c <= 'Z');
        hasLower = hasLower || (c >= 'a' && c <= 'z');
    }
    if (!hasUpper) return std::string(lower);
    if (!hasLower) {
        std::string upper(lower);
        for (char& c : upper) {
            if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        }
        return upper;
    }
    return std::string(mixed);
}

}  // namespace

bool IsHtmlPageName(std::string_view fileName) {
    return EndsWithNoCase(fileName, ".htm") || EndsWithNoCase(fileName, ".html") ||
           EndsWithNoCase(fileName, ".shtml");
}

bool RewriteHtmlCharset(std::string& text, bool gbkToBig5, int codePage) {
    constexpr std::string_view kCharset = "charset";

    // Lower-casing touches single-byte letters only, so positions in head are positions
    // in text as well. The searches skip trail bytes, which in Big5 can be ASCII letters.
    const std::string head = ToLowerText(std::string_view(text).substr(0, kHtmlCharsetWindow), codePage);
    const size_t t = FindText(head, kCharset, 0, codePage);
    if (t == std::string::npos) return false;
    const size_t u = FindText(head, "=", t, codePage);
    if (u == std::string::npos || u <= t) return false;

    // Only blanks and tabs may stand between "charset" and "="; then come blanks, at most
    // one quote (which stays) and the name. Anything else (another value, markup, an
    // escaped quote) means this is not a declaration to touch.
    for (size_t i = t + kCharset.size(); i < u; ++i) {
        if (!IsBlank(head[i])) return false;
    }
    size_t start = u + 1;
    while (start < head.size() && IsBlank(head[start])) ++start;
    if (start < head.size() && (head[start] == '"' || head[start] == '\'')) {
        ++start;
        while (start < head.size() && IsBlank(head[start])) ++start;
    }
    // The whole name, not a prefix of a longer one ("gb2312x"), and all of it inside the
    // searched window.
    size_t end = start;
    while (end < text.size() && IsNameByte(text[end])) ++end;
    if (end == start || end > head.size()) return false;

    const std::string_view name = std::string_view(head).substr(start, end - start);
    bool namesSource = false;
    if (gbkToBig5) {
        for (std::string_view known : kGbkNames) namesSource = namesSource || name == known;
    } else {
        for (std::string_view known : kBig5Names) namesSource = namesSource || name == known;
    }
    if (!namesSource) return false;

    const std::string_view written = std::string_view(text).substr(start, end - start);
    const std::string newName =
        gbkToBig5 ? InCaseOf(written, "big5", "Big5") : InCaseOf(written, "gb2312", "GB2312");
    text.replace(start, end - start, newName);
    return true;
}

}  // namespace zelvo
