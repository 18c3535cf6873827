// The lead-byte rule of the double-byte code pages the program works in (936 GBK, 950
// Big5: lead bytes 0x81..0xFE). Paths (platform/paths) and text (services/multibyte)
// both walk characters with it; single-byte code pages such as 1252 have no lead bytes.
#pragma once

namespace zelvo {

constexpr int kCodePageGbk = 936;
constexpr int kCodePageBig5 = 950;

constexpr bool IsDoubleByteCodePage(int codePage) {
    return codePage == kCodePageGbk || codePage == kCodePageBig5;
}

constexpr bool IsLeadByte(unsigned char byte, int codePage) {
    return IsDoubleByteCodePage(codePage) && byte >= 0x81 && byte <= 0xFE;
}

}  // namespace zelvo
