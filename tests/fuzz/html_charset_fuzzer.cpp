// The charset declaration rewrite of converted web pages, both directions, on arbitrary
// pages: bytes beyond the searched window are never touched.
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "transfer/html_charset.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const unsigned choice = input.Byte();
    const bool gbkToBig5 = choice & 1;
    const int codePage = gbkToBig5 ? 950 : 936;
    const std::string page(input.Rest());
    std::string text = page;
    const bool changed = RewriteHtmlCharset(text, gbkToBig5, codePage);
    if (!changed && text != page) std::abort();
    // Only the declaration changes: what follows the window keeps its bytes at the end.
    const size_t tail = page.size() > kHtmlCharsetWindow + 64 ? page.size() - kHtmlCharsetWindow - 64 : 0;
    if (text.size() < tail || text.compare(text.size() - tail, tail, page, page.size() - tail, tail) != 0)
        std::abort();
    IsHtmlPageName(page);
    return 0;
}
