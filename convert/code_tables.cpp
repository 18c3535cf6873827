#include "convert/code_tables.h"

#include <cstdint>
#include <cstring>

#include "convert/tables/code_tables.inc"

namespace zelvo {
namespace {

using code_table_data::kBig5Cells;
using code_table_data::kGbkCells;

// Where each GBK region starts inside a table set.
constexpr int kSymbolsBase = 0;                        // 0xA1..0xA9 x 0xA1..0xFE, 94 columns
constexpr int kHanziBase = kSymbolsBase + 9 * 94;      // 0xB0..0xF7 x 0xA1..0xFE, 94 columns
constexpr int kArea3Base = kHanziBase + 72 * 94;       // 0x81..0xA0 x 0x40..0xFE, 191 columns
constexpr int kAreas45Base = kArea3Base + 32 * 191;    // 0xA8..0xFE x 0x40..0xA0, 97 columns
static_assert(kAreas45Base + 87 * 97 == kGbkCells, "GBK regions must fill the table set");
static_assert(126 * 157 == kBig5Cells, "Big5 rows must fill the table set");

const uint16_t* GbkTableSet(int mode) {
    switch (mode) {
        case kModeSimplifiedToTraditional: return code_table_data::kGbkSimplifiedToTraditional;
        case kModeTraditionalToSimplified: return code_table_data::kGbkTraditionalToSimplified;
        default: return code_table_data::kGbkToBig5;
    }
}

const uint16_t* Big5TableSet(int mode) {
    switch (mode) {
        case kModeSimplifiedToTraditional:
        case kModeTraditionalToSimplified: return code_table_data::kBig5Normalisation;
        default: return code_table_data::kBig5ToGbk;
    }
}

// Text ends at its first zero byte, as the editor's buffers do.
size_t TextLength(std::string_view source) {
    const void* zero = std::memchr(source.data(), 0, source.size());
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - source.data()) : source.size();
}

inline void PutCode(unsigned char* out, uint16_t code) {
    out[0] = static_cast<unsigned char>(code >> 8);
    out[1] = static_cast<unsigned char>(code);
}

// The byte after the last one reads as the terminating zero, so a lead byte at the end
// is copied alone like any lead byte without a valid second byte.
void ConvertGbk(const unsigned char* in, size_t n, const uint16_t* cells, unsigned char* out) {
    size_t i = 0;
    while (i < n) {
        const unsigned b0 = in[i];
        if (b0 < 0x81) {
            out[i++] = static_cast<unsigned char>(b0);
            continue;
        }
        const unsigned b1 = i + 1 < n ? in[i + 1] : 0;
        int index;
        if (b1 < 0x40 || b1 == 0xFF) {
            index = -1;
        } else if (b0 >= 0xA1 && b1 >= 0xA1) {
            if (b0 <= 0xA9) {
                index = kSymbolsBase + (b0 - 0xA1) * 94 + (b1 - 0xA1);
            } else if (b0 >= 0xB0 && b0 <= 0xF7) {
                index = kHanziBase + (b0 - 0xB0) * 94 + (b1 - 0xA1);
            } else {
                index = -1;  // user-defined areas 0xAA..0xAF and 0xF8..0xFE
            }
        } else if (b0 <= 0xA0) {
            index = kArea3Base + (b0 - 0x81) * 191 + (b1 - 0x40);
        } else if (b0 >= 0xA8 && b0 <= 0xFE) {
            index = kAreas45Base + (b0 - 0xA8) * 97 + (b1 - 0x40);
        } else {
            // The user-defined area 0xA1..0xA7 x 0x40..0xA0, and 0xFF, which is never a
            // lead byte and has no row in the table.
            index = -1;
        }
        if (index < 0) {
            // The next byte is looked at as a character of its own, not skipped.
            out[i++] = static_cast<unsigned char>(b0);
            continue;
        }
        PutCode(out + i, cells[index]);
        i += 2;
    }
}

// Column of a Big5 second byte, or -1 when the pair is not a Big5 code.
constexpr int Big5Column(unsigned b1) {
    return b1 < 0x40 ? -1 : b1 <= 0x7E ? static_cast<int>(b1 - 0x40)
                                        : (b1 >= 0xA1 && b1 <= 0xFE ? static_cast<int>(b1 - 0xA1 + 63) : -1);
}

void ConvertBig5(const unsigned char* in, size_t n, const uint16_t* cells, unsigned char* out) {
    size_t i = 0;
    while (i < n) {
        const unsigned b0 = in[i];
        if (b0 < 0x81 || b0 == 0xFF) {
            out[i++] = static_cast<unsigned char>(b0);
            continue;
        }
        const unsigned b1 = i + 1 < n ? in[i + 1] : 0;
        const int column = Big5Column(b1);
        if (column < 0) {
            out[i++] = static_cast<unsigned char>(b0);
            continue;
        }
        PutCode(out + i, cells[(b0 - 0x81) * 157 + column]);
        i += 2;
    }
}

}  // namespace

void AppendTransferFromGbk(std::string_view source, int mode, std::string& out) {
    const size_t n = TextLength(source);
    const size_t start = out.size();
    out.resize(start + n);
    ConvertGbk(reinterpret_cast<const unsigned char*>(source.data()), n, GbkTableSet(mode),
               reinterpret_cast<unsigned char*>(out.data() + start));
}

void AppendTransferFromBig5(std::string_view source, int mode, std::string& out) {
    const size_t n = TextLength(source);
    const size_t start = out.size();
    out.resize(start + n);
    ConvertBig5(reinterpret_cast<const unsigned char*>(source.data()), n, Big5TableSet(mode),
                reinterpret_cast<unsigned char*>(out.data() + start));
}

std::string TransferFromGbk(std::string_view source, int mode) {
    std::string result;
    AppendTransferFromGbk(source, mode, result);
    return result;
}

std::string TransferFromBig5(std::string_view source, int mode) {
    std::string result;
    AppendTransferFromBig5(source, mode, result);
    return result;
}

}  // namespace zelvo
