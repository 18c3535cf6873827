#include "transfer/html_charset.h"

#include <gtest/gtest.h>

#include <string>

#include "services/multibyte.h"

namespace zelvo {
namespace {

std::string G2B(std::string text) {
    RewriteHtmlCharset(text, true, kCodePageBig5);
    return text;
}

std::string B2G(std::string text) {
    RewriteHtmlCharset(text, false, kCodePageGbk);
    return text;
}

TEST(HtmlCharset, PageNamesAreHtmHtmlAndShtmlInAnyCase) {
    EXPECT_TRUE(IsHtmlPageName("index.htm"));
    EXPECT_TRUE(IsHtmlPageName("INDEX.HTML"));
    EXPECT_TRUE(IsHtmlPageName("a.ShTmL"));
    EXPECT_FALSE(IsHtmlPageName("a.xhtml"));
    EXPECT_FALSE(IsHtmlPageName("a.txt"));
    EXPECT_FALSE(IsHtmlPageName("htm"));
    EXPECT_FALSE(IsHtmlPageName("a.html.bak"));
}

TEST(HtmlCharset, PlainDeclarationOfTheSourceCodePageIsRenamed) {
    EXPECT_EQ(G2B("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"),
              "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=big5\">");
    // Case, blanks and tabs around "=" match; every other byte stays as it was.
    EXPECT_EQ(G2B("<META CONTENT=\"text/html; CharSet \t=\t GB2312\"><p>GB2312</p>"),
              "<META CONTENT=\"text/html; CharSet \t=\t BIG5\"><p>GB2312</p>");
    // Big5 -> GBK grows the page by two bytes.
    const std::string page = "<meta content=\"text/html; charset=BIG5\">\xa4\xa4";
    const std::string rewritten = B2G(page);
    EXPECT_EQ(rewritten, "<meta content=\"text/html; charset=GB2312\">\xa4\xa4");
    EXPECT_EQ(rewritten.size(), page.size() + 2);
}

TEST(HtmlCharset, QuotedHtml5AndCommonNamesAreRewrittenKeepingQuotesAndCase) {
    // The HTML5 form and quoted values: the quotes stay, the name follows the case it was
    // written in (lower, upper, or the usual mixed spelling).
    EXPECT_EQ(G2B("<meta charset=\"GBK\">"), "<meta charset=\"BIG5\">");
    EXPECT_EQ(G2B("<meta charset=\"gb2312\">"), "<meta charset=\"big5\">");
    EXPECT_EQ(G2B("<meta charset='gb2312'>"), "<meta charset='big5'>");
    EXPECT_EQ(G2B("<meta charset = \" Gb2312\" />"), "<meta charset = \" Big5\" />");
    EXPECT_EQ(G2B("<meta charset=gbk>"), "<meta charset=big5>");
    EXPECT_EQ(B2G("<meta charset=\"big5\">"), "<meta charset=\"gb2312\">");
    EXPECT_EQ(B2G("<META CHARSET=\"BIG5\">"), "<META CHARSET=\"GB2312\">");
    EXPECT_EQ(B2G("<meta charset=\"Big5\">"), "<meta charset=\"GB2312\">");
    // The other common names of each code page.
    EXPECT_EQ(G2B("<meta content=\"text/html; charset=gb18030\">"),
              "<meta content=\"text/html; charset=big5\">");
    EXPECT_EQ(G2B("<meta content=\"text/html; charset=x-gbk\">"),
              "<meta content=\"text/html; charset=big5\">");
    EXPECT_EQ(B2G("<meta content=\"text/html; charset=big5-hkscs\">"),
              "<meta content=\"text/html; charset=gb2312\">");
    EXPECT_EQ(B2G("<meta content=\"text/html; charset=X-X-BIG5\">"),
              "<meta content=\"text/html; charset=GB2312\">");
    // A name at the very end of the text is still a whole name.
    EXPECT_EQ(G2B("<meta charset=gbk"), "<meta charset=big5");
}

TEST(HtmlCharset, OtherValuesAndMarkupAroundTheEqualsSignLeaveThePageAlone) {
    const std::string cases[] = {
        "<meta content=\"text/html; charset=utf-8\"><!-- gb2312 -->",  // another name first
        "<meta content=\"text/html; charset=utf-8\"><p>gb2312</p>",
        "<meta charset=\"gb2312x\">",  // not the whole name
        "<meta charset=gbk2>",
        "<meta charset=\"\"gbk\">",    // two quotes
        "<meta charset=\\\"gbk\\\">",  // an escaped quote
        "<meta charset=<b>gbk</b>>",
        "<meta charset:gbk data-x=\"=gbk\">",                          // markup between
        "<meta charset=\"big5\">",                                     // already the target name
        "<p>charset</p><meta content=\"text/html; charset=gb2312\">",  // first "charset" has no "=" next
        "<p>no declaration at all, gb2312</p>",
        "<meta content=\"text/html; charset=big5\">",  // already the target name
    };
    for (const std::string& page : cases) EXPECT_EQ(G2B(page), page) << page;
}

TEST(HtmlCharset, OnlyTheFirstDeclarationInTheFirst2000BytesIsLookedAt) {
    const std::string declaration = "<meta content=\"text/html; charset=gb2312\">";
    const std::string twice = declaration + declaration;
    EXPECT_EQ(G2B(twice), "<meta content=\"text/html; charset=big5\">" + declaration);

    const std::string late = std::string(kHtmlCharsetWindow, ' ') + declaration;
    EXPECT_EQ(G2B(late), late);
    // A name cut by the window's end is not found either.
    const std::string cut = std::string(kHtmlCharsetWindow - 37, ' ') + declaration;
    EXPECT_EQ(G2B(cut), cut);
    const std::string inside = std::string(kHtmlCharsetWindow - 42, ' ') + declaration;
    EXPECT_NE(G2B(inside), inside);
}

TEST(HtmlCharset, DoubleByteTextBeforeTheDeclarationKeepsItsBytes) {
    // Big5 characters whose trail bytes are ASCII letters are neither lower-cased nor
    // taken for part of "charset".
    const std::string page = "\xa4\x43\xa4\x48<meta content=\"text/html; charset=GB2312\">";
    EXPECT_EQ(G2B(page), "\xa4\x43\xa4\x48<meta content=\"text/html; charset=BIG5\">");
}

}  // namespace
}  // namespace zelvo
