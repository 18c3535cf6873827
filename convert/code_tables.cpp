#include "convert/code_tables.h"

#include <cstdint>
#include <cstring>
#include <memory>

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

// Text ends at its first zero byte, as the editor's buffers do.
size_t TextLength(std::string_view source) {
    if (source.empty()) return 0;
    const void* zero = std::memchr(source.data(), 0, source.size());
    return zero ? static_cast<size_t>(static_cast<const char*>(zero) - source.data()) : source.size();
}

// Which cell the pair (b0, b1) reads, or -1 when b0 is copied alone. b1 is the
// terminating zero when b0 is the last byte, so a lead byte at the end is copied.
int GbkCellIndex(unsigned b0, unsigned b1) {
    if (b0 < 0x81 || b1 < 0x40 || b1 == 0xFF) return -1;
    if (b0 >= 0xA1 && b1 >= 0xA1) {
        if (b0 <= 0xA9) return kSymbolsBase + (b0 - 0xA1) * 94 + (b1 - 0xA1);
        if (b0 >= 0xB0 && b0 <= 0xF7) return kHanziBase + (b0 - 0xB0) * 94 + (b1 - 0xA1);
        return -1;  // user-defined areas 0xAA..0xAF and 0xF8..0xFE
    }
    if (b0 <= 0xA0) return kArea3Base + (b0 - 0x81) * 191 + (b1 - 0x40);
    // 0xA1..0xA7 x 0x40..0xA0 is user-defined; 0xFF never leads and has no row.
    if (b0 >= 0xA8 && b0 <= 0xFE) return kAreas45Base + (b0 - 0xA8) * 97 + (b1 - 0x40);
    return -1;
}

int Big5CellIndex(unsigned b0, unsigned b1) {
    if (b0 < 0x81 || b0 == 0xFF || b1 < 0x40) return -1;
    if (b1 <= 0x7E) return static_cast<int>((b0 - 0x81) * 157 + (b1 - 0x40));
    if (b1 >= 0xA1 && b1 <= 0xFE) return static_cast<int>((b0 - 0x81) * 157 + (b1 - 0xA1 + 63));
    return -1;
}

// The region tables spread over all 65,536 byte pairs, so the converting loop reads
// one cell per character without testing regions. Each entry holds the two output
// bytes in text order (one 16-bit store writes them); zero means "copy the first byte
// alone" - no table holds a zero code.
struct PairTable {
    uint16_t bytes[65536];
};

uint16_t InTextOrder(uint16_t code) {
    const unsigned char pair[2] = {static_cast<unsigned char>(code >> 8), static_cast<unsigned char>(code)};
    uint16_t bytes;
    std::memcpy(&bytes, pair, 2);
    return bytes;
}

std::unique_ptr<PairTable> SpreadOverPairs(const uint16_t* cells, int (*cellIndex)(unsigned, unsigned)) {
    auto table = std::make_unique<PairTable>();
    for (unsigned b0 = 0; b0 < 256; ++b0) {
        for (unsigned b1 = 0; b1 < 256; ++b1) {
            const int index = cellIndex(b0, b1);
            table->bytes[b0 << 8 | b1] = index < 0 ? 0 : InTextOrder(cells[index]);
        }
    }
    return table;
}

const PairTable& GbkPairs(int mode) {
    static const auto toBig5 = SpreadOverPairs(code_table_data::kGbkToBig5, GbkCellIndex);
    static const auto toTraditional = SpreadOverPairs(code_table_data::kGbkSimplifiedToTraditional, GbkCellIndex);
    static const auto toSimplified = SpreadOverPairs(code_table_data::kGbkTraditionalToSimplified, GbkCellIndex);
    switch (mode) {
        case kModeSimplifiedToTraditional: return *toTraditional;
        case kModeTraditionalToSimplified: return *toSimplified;
        default: return *toBig5;
    }
}

const PairTable& Big5Pairs(int mode) {
    static const auto toGbk = SpreadOverPairs(code_table_data::kBig5ToGbk, Big5CellIndex);
    static const auto normalised = SpreadOverPairs(code_table_data::kBig5Normalisation, Big5CellIndex);
    switch (mode) {
        case kModeSimplifiedToTraditional:
        case kModeTraditionalToSimplified: return *normalised;
        default: return *toGbk;
    }
}

// A lead byte copied alone leaves the next byte to be looked at as a character of its
// own, never skipped as a second byte.
void Convert(const unsigned char* in, size_t n, const PairTable& pairs, unsigned char* out) {
    size_t i = 0;
    while (i + 1 < n) {
        // Single bytes find zero in the table too: one test per character.
        const unsigned b0 = in[i];
        const uint16_t bytes = pairs.bytes[b0 << 8 | in[i + 1]];
        if (bytes != 0) {
            std::memcpy(out + i, &bytes, 2);
            i += 2;
        } else {
            out[i++] = static_cast<unsigned char>(b0);
        }
    }
    if (i < n) out[i] = in[i];  // the last byte meets the terminating zero
}

}  // namespace

void AppendTransferFromGbk(std::string_view source, int mode, std::string& out) {
    const size_t n = TextLength(source);
    const size_t start = out.size();
    out.resize(start + n);
    Convert(reinterpret_cast<const unsigned char*>(source.data()), n, GbkPairs(mode),
               reinterpret_cast<unsigned char*>(out.data() + start));
}

void AppendTransferFromBig5(std::string_view source, int mode, std::string& out) {
    const size_t n = TextLength(source);
    const size_t start = out.size();
    out.resize(start + n);
    Convert(reinterpret_cast<const unsigned char*>(source.data()), n, Big5Pairs(mode),
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
