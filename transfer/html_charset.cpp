#include "transfer/html_charset.h"

#include "services/multibyte.h"

namespace zelvo {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    return CompareTextNoCase(text.substr(text.size() - suffix.size()), suffix, 0) == 0;
}

}  // namespace

bool IsHtmlPageName(std::string_view fileName) {
    return EndsWithNoCase(fileName, ".htm") || EndsWithNoCase(fileName, ".html") ||
           EndsWithNoCase(fileName, ".shtml");
}

bool RewriteHtmlCharset(std::string& text, bool gbkToBig5, int codePage) {
    const std::string_view fromName = gbkToBig5 ? "gb2312" : "big5";
    const std::string_view toName = gbkToBig5 ? "big5" : "gb2312";
    constexpr std::string_view kCharset = "charset";

    // Lower-casing touches single-byte letters only, so positions in head are positions
    // in text as well. The searches skip trail bytes, which in Big5 can be ASCII letters.
    const std::string head = ToLowerText(std::string_view(text).substr(0, kHtmlCharsetWindow), codePage);
    const size_t t = FindText(head, kCharset, 0, codePage);
    if (t == std::string::npos) return false;
    const size_t u = FindText(head, "=", t, codePage);
    if (u == std::string::npos || u <= t) return false;
    const size_t v = FindText(head, fromName, u, codePage);
    if (v == std::string::npos || v <= u) return false;

    // Anything but blanks and tabs around the "=" (a quote, another value, markup) means
    // this is not a plain declaration of the source code page; leave the page alone.
    const size_t nameEnd = t + kCharset.size();
    std::string gap = (u >= nameEnd ? head.substr(nameEnd, u - nameEnd) : std::string()) + head.substr(u + 1, v - u - 1);
    for (char c : gap) {
        if (c != ' ' && c != '\t') return false;
    }
    if (v < 1) return false;
    text.replace(v, fromName.size(), toName);
    return true;
}

}  // namespace zelvo
