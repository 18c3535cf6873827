#include "services/codepage_codec.h"

#include <cstdint>
#include <vector>

#include "services/tables/codepage_936.inc"
#include "services/tables/codepage_950.inc"

// Decoding: ASCII stays ASCII; a double-byte code with a character decodes to it (the
// user-defined areas to the Private Use Area as Windows places them, so EUDC fonts show
// them); on code page 936 the single byte 0x80 is the euro sign. Every other byte
// 0x80..0xFF - a lone lead byte, 0xFF, the two bytes of an unassigned code - becomes
// the reserved point U+F800 + byte, which no mapping uses. Encoding reverses each piece,
// so bytes -> text -> bytes gives back the same bytes whatever they were.

namespace zelvo {
namespace {

constexpr char16_t kReservedBase = 0xF800;
constexpr char16_t kReservedFirst = kReservedBase + 0x80;
constexpr char16_t kReservedLast = kReservedBase + 0xFF;
constexpr char16_t kEuroSign = 0x20AC;
constexpr char kUnencodable = '?';

struct CodePageTables {
    int codePage;
    const uint16_t* decode;      // 126 x 191: first bytes 0x81..0xFE, second bytes 0x40..0xFE
    char16_t singleByte80;       // what a lone 0x80 decodes to, 0 for a reserved point
    std::vector<uint16_t> encode;  // by UTF-16 unit: the code (one byte when below 0x100), 0 for none

    bool IsTrail(unsigned b) const {
        if (codePage == 936) return b >= 0x40 && b <= 0xFE && b != 0x7F;
        return (b >= 0x40 && b <= 0x7E) || (b >= 0xA1 && b <= 0xFE);
    }
};

CodePageTables MakeTables(int codePage, const uint16_t* decode, char16_t singleByte80) {
    CodePageTables tables{codePage, decode, singleByte80, std::vector<uint16_t>(0x10000, 0)};
    for (unsigned b0 = 0x81; b0 <= 0xFE; ++b0) {
        for (unsigned b1 = 0x40; b1 <= 0xFE; ++b1) {
            const uint16_t point = decode[(b0 - 0x81) * 191 + (b1 - 0x40)];
            if (point != 0) tables.encode[point] = static_cast<uint16_t>(b0 << 8 | b1);
        }
    }
    if (singleByte80 != 0) tables.encode[singleByte80] = 0x80;
    return tables;
}

const CodePageTables* TablesFor(int codePage) {
    static const CodePageTables gbk = MakeTables(936, codec_data::kDecode936, kEuroSign);
    static const CodePageTables big5 = MakeTables(950, codec_data::kDecode950, 0);
    if (codePage == 936) return &gbk;
    if (codePage == 950) return &big5;
    return nullptr;
}

inline char16_t Reserved(unsigned byte) { return static_cast<char16_t>(kReservedBase + byte); }

}  // namespace

bool HasLosslessCodec(int codePage) { return codePage == 936 || codePage == 950; }

std::u16string DecodeCodePage(std::string_view bytes, int codePage) {
    std::u16string text;
    text.reserve(bytes.size());
    const CodePageTables* tables = TablesFor(codePage);
    if (tables == nullptr) {
        // No table of our own: one byte, one point (still lossless).
        for (unsigned char b : bytes) text.push_back(b);
        return text;
    }
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const size_t n = bytes.size();
    size_t i = 0;
    while (i < n) {
        const unsigned b0 = in[i];
        if (b0 < 0x80) {
            text.push_back(static_cast<char16_t>(b0));
            ++i;
        } else if (b0 == 0x80 || b0 == 0xFF) {
            text.push_back(b0 == 0x80 && tables->singleByte80 ? tables->singleByte80 : Reserved(b0));
            ++i;
        } else if (i + 1 < n && tables->IsTrail(in[i + 1])) {
            const unsigned b1 = in[i + 1];
            const char16_t point = tables->decode[(b0 - 0x81) * 191 + (b1 - 0x40)];
            if (point != 0) {
                text.push_back(point);
            } else {
                // An unassigned code keeps both bytes together so the text after it
                // decodes as it would have.
                text.push_back(Reserved(b0));
                text.push_back(b1 < 0x80 ? static_cast<char16_t>(b1) : Reserved(b1));
            }
            i += 2;
        } else {
            text.push_back(Reserved(b0));
            ++i;
        }
    }
    return text;
}

std::string EncodeCodePage(std::u16string_view text, int codePage) {
    std::string bytes;
    bytes.reserve(text.size() * 2);
    const CodePageTables* tables = TablesFor(codePage);
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (unit < 0x80) {
            bytes.push_back(static_cast<char>(unit));
            continue;
        }
        if (tables == nullptr) {
            bytes.push_back(unit <= 0xFF ? static_cast<char>(unit) : kUnencodable);
            continue;
        }
        if (unit >= kReservedFirst && unit <= kReservedLast) {
            bytes.push_back(static_cast<char>(unit - kReservedBase));
            continue;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            ++i;  // a character beyond the BMP is one character: one question mark
            bytes.push_back(kUnencodable);
            continue;
        }
        const uint16_t code = tables->encode[unit];
        if (code == 0) {
            bytes.push_back(kUnencodable);
        } else if (code < 0x100) {
            bytes.push_back(static_cast<char>(code));
        } else {
            bytes.push_back(static_cast<char>(code >> 8));
            bytes.push_back(static_cast<char>(code & 0xFF));
        }
    }
    return bytes;
}

}  // namespace zelvo
