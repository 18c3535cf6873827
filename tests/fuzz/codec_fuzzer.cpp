// The lossless codec of code pages 936 and 950: any bytes decoded to UTF-16 and encoded
// again give the same bytes; any UTF-16 text encodes to bytes that round-trip the same way.
#include <cstdlib>
#include <cstring>
#include <string>

#include "services/codepage_codec.h"

using namespace zelvo;

namespace {

void CheckRoundTrip(std::string_view bytes, int codePage) {
    const std::u16string text = DecodeCodePage(bytes, codePage);
    if (EncodeCodePage(text, codePage) != bytes) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::u16string units(size / 2, u'\0');
    if (!units.empty()) std::memcpy(units.data(), data, units.size() * 2);
    for (int codePage : {936, 950}) {
        CheckRoundTrip(bytes, codePage);
        CheckRoundTrip(EncodeCodePage(units, codePage), codePage);
    }
    return 0;
}
