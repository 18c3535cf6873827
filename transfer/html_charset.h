// The charset declaration of a web page follows its text from GBK to Big5 or back, or a
// browser would decode the converted bytes with the old code page. One declaration at
// most changes, found by a deliberately narrow pattern near the top of the page.
#pragma once

#include <string>
#include <string_view>

namespace zelvo {

// How far into a page the declaration is looked for.
inline constexpr size_t kHtmlCharsetWindow = 2000;

// True for the names whose pages get the rewrite: ".htm", ".html" and ".shtml" in any case.
bool IsHtmlPageName(std::string_view fileName);

// Rewrites the first charset declaration of converted text when it names the source code
// page (gb2312, gbk, gb18030 or x-gbk after a GBK -> Big5 conversion; big5, big5-hkscs or
// x-x-big5 after Big5 -> GBK), in the content-type form ("charset=gb2312") or the HTML5
// form (<meta charset="GBK">), quoted or not, with nothing but blanks and tabs around the
// "=": the name becomes "big5" or "gb2312" in the case it was written in, and the quotes
// stay. Returns true when the text changed. codePage is the code page of the converted
// text (936 or 950), used for the multibyte-aware lower-casing of the searched window.
bool RewriteHtmlCharset(std::string& text, bool gbkToBig5, int codePage);

}  // namespace zelvo
