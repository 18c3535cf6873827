// Lead bytes of the double-byte code pages Windows knows (the ranges GetCPInfo reports):
// 936 GBK, 949 Korean and 950 Big5 lead with 0x81..0xFE, 932 Shift-JIS with 0x81..0x9F and
// 0xE0..0xFC, 1361 Johab with 0x84..0xD3, 0xD8..0xDE and 0xE0..0xF9. Paths (platform/paths)
// and text (services/multibyte) both walk characters with it; single-byte code pages such as
// 1252 have no lead bytes, so a backslash after an accented letter still splits a path.
#pragma once

namespace zelvo {

constexpr int kCodePageGbk = 936;
constexpr int kCodePageBig5 = 950;
constexpr int kCodePageShiftJis = 932;
constexpr int kCodePageKorean = 949;
constexpr int kCodePageJohab = 1361;

constexpr bool IsDoubleByteCodePage(int codePage) {
    return codePage == kCodePageGbk || codePage == kCodePageBig5 || codePage == kCodePageShiftJis ||
           codePage == kCodePageKorean || codePage == kCodePageJohab;
}

constexpr bool IsLeadByte(unsigned char byte, int codePage) {
    switch (codePage) {
    case kCodePageGbk:
    case kCodePageBig5:
    case kCodePageKorean:
        return byte >= 0x81 && byte <= 0xFE;
    case kCodePageShiftJis:
        return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
    case kCodePageJohab:
        return (byte >= 0x84 && byte <= 0xD3) || (byte >= 0xD8 && byte <= 0xDE) || (byte >= 0xE0 && byte <= 0xF9);
    default:
        return false;
    }
}

}  // namespace zelvo
