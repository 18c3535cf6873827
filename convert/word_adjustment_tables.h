// The tables of a WordAdjustmentIndex, shared by the index that builds them
// (word_adjustment_index.cpp: first scan, probes, filters) and the adjuster that reads
// them (word_adjustment.cpp: replacement, chunks). Only those two include this header.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "convert/word_adjustment.h"

namespace zelvo {

inline constexpr uint32_t kNone = UINT32_MAX;

// Open addressing from a packed key of up to four bytes to a small integer.
class PrefixMap {
  public:
    void Reserve(size_t count) {
        size_t capacity = 16;
        shift_ = 28;
        while (capacity < count * 2) {
            capacity *= 2;
            --shift_;
        }
        slots_.assign(capacity, Slot{0, kNone});
        mask_ = capacity - 1;
    }
    // The value slot of key, created holding kNone when absent.
    uint32_t& Insert(uint32_t key) {
        size_t at = Hash(key);
        while (slots_[at].value != kNone && slots_[at].key != key) at = (at + 1) & mask_;
        slots_[at].key = key;
        return slots_[at].value;
    }
    void Prefetch(uint32_t key) const { __builtin_prefetch(&slots_[Hash(key)]); }
    uint32_t Find(uint32_t key) const {
        size_t at = Hash(key);
        while (slots_[at].value != kNone) {
            if (slots_[at].key == key) return slots_[at].value;
            at = (at + 1) & mask_;
        }
        return kNone;
    }

  private:
    struct Slot {
        uint32_t key;
        uint32_t value;
    };
    // Multiplicative hashing: the top bits of the product depend on every key byte.
    size_t Hash(uint32_t key) const { return (key * 0x9E3779B1u) >> shift_; }
    std::vector<Slot> slots_ = std::vector<Slot>(16, Slot{0, kNone});
    size_t mask_ = 15;
    int shift_ = 28;
};

inline uint32_t Load32(const unsigned char* p) {
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}
inline uint64_t Load64(const unsigned char* p) {
    uint64_t value;
    std::memcpy(&value, p, 8);
    return value;
}
// Selects the first length bytes (at most 8) of a value loaded with Load64, whatever the
// byte order of the machine.
inline uint64_t HeadMask(size_t length) {
    static const unsigned char kOnes[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    return Load64(kOnes + 8 - std::min<size_t>(length, 8));
}
inline uint32_t ShortKey(const unsigned char* p, size_t length) {
    return (length == 3 ? p[0] | p[1] << 8 | p[2] << 16 : p[0] | p[1] << 8) | static_cast<uint32_t>(length)
                                                                                  << 24;
}

inline bool TestBit(const std::vector<uint64_t>& bits, uint32_t bit) {
    return bits[bit >> 6] >> (bit & 63) & 1;
}
inline void SetBit(std::vector<uint64_t>& bits, uint32_t bit) {
    bits[bit >> 6] |= uint64_t{1} << (bit & 63);
}

// A bit per hashed four-byte prefix: small enough for the first-level cache, so most
// positions are passed over without touching the larger prefix map.
inline constexpr int kBloomBits = 17;
inline uint32_t BloomBit(uint32_t key4) {
    return (key4 * 0x85EBCA6Bu) >> (32 - kBloomBits);
}

// The distinct words of the usable items get ids: first the words of four bytes or more
// in byte order, so that words sharing their first four bytes are neighbours found from
// one prefix map look-up, then the shorter ones. The records that the engine reads at
// random places are small and carry the first eight bytes of their word, which decide
// most comparisons without a look at the word's own bytes.
struct WordAdjustmentIndex::Tables {
    struct Item {
        uint64_t head = 0;      // of the word before adjustment
        uint32_t word = kNone;  // kNone: the item cannot take part
        uint32_t length : 31 = 0;
        uint32_t wordLater : 1 = 0;  // a later item has the same word
        uint32_t afterOffset = 0;
        uint32_t afterLength = 0;
        // The words of later items that a replacement can bring about: probes from
        // probeStart on, up to one whose word is kNone; kNone when the changed stretch
        // is searched instead.
        uint32_t probeStart = kNone;
        // Whole characters that the word before and after adjustment share at their
        // start and at their end: a replacement leaves them as they were.
        uint16_t keepHead = 0;
        uint16_t keepTail = 0;
    };
    // The word may occur at the start of the changed stretch plus delta.
    struct Probe {
        uint64_t head;
        uint32_t word;
        int16_t delta;
        uint16_t length;
    };
    struct Word {
        uint64_t head;  // the first eight bytes, zero padded
        uint32_t firstItem;
        uint32_t length : 30;
        uint32_t onlyItem : 1;     // no other item has the word
        uint32_t lastInGroup : 1;  // the last word with these first four bytes
    };

    int codePage = 0;
    bool doubleByte = false;
    std::array<bool, 256> lead{};
    std::vector<uint64_t> wordChars;       // characters of the words before adjustment, by CharBit
    std::array<bool, 256> wordBytes256{};  // bytes of the words before adjustment
    std::vector<Item> items;
    std::string afters;
    std::vector<Word> words;
    std::vector<uint32_t> wordOffsets;  // in wordBytes
    std::string wordBytes;
    std::vector<uint32_t> itemStarts;  // the items of word w: wordItems[itemStarts[w], itemStarts[w + 1])
    std::vector<uint32_t> wordItems;
    std::vector<Probe> probes;
    size_t maxLength = 0;
    bool hasSingles = false;
    std::array<uint32_t, 256> singles{};
    std::vector<uint64_t> pairBits;  // some word of two bytes or more starts with these two
    std::vector<uint8_t> pairReach;  // the longest of them, at most 255
    bool hasShort = false;
    std::vector<uint64_t> shortBits;    // some word of two or three bytes starts with these two
    std::array<bool, 256> shortLead{};  // ... or with this byte
    PrefixMap shortWords;
    std::vector<uint64_t> quadBloom;
    PrefixMap quads;  // first four bytes -> the first word of its group

    uint32_t LastItem(uint32_t word) const { return wordItems[itemStarts[word + 1] - 1]; }
    // The first item of the word after item number item; kNone when there is none.
    uint32_t NextItemOf(uint32_t word, uint32_t item) const {
        if (words[word].firstItem > item) return words[word].firstItem;
        if (words[word].onlyItem) return kNone;
        for (uint32_t at = itemStarts[word], end = itemStarts[word + 1]; at < end; ++at)
            if (wordItems[at] > item) return wordItems[at];
        return kNone;
    }
    static uint32_t CharBit(const unsigned char* p, size_t length) {
        return length == 2 ? 256 + (p[0] << 8 | p[1]) : p[0];
    }
    // A character of the text that is in no word before adjustment is never part of an
    // occurrence, so never changed, and no occurrence can reach across it: the text can
    // be adjusted piece by piece between such characters.
    bool IsInWords(const unsigned char* p, size_t length) const {
        return !wordChars.empty() && TestBit(wordChars, CharBit(p, length));
    }
    // A byte in no word that is no lead byte ends a character that is in no word.
    bool EndsCharInNoWord(unsigned char byte) const { return !wordBytes256[byte] && !lead[byte]; }
    size_t CharLength(const unsigned char* data, size_t size, size_t pos) const {
        return doubleByte && lead[data[pos]] && pos + 1 < size ? 2 : 1;
    }

    // True when word id, whose first eight bytes are head, is at pos. Its own bytes are
    // read only when the first eight do not decide.
    bool BytesAt(const unsigned char* data, size_t size, size_t pos, uint64_t head, size_t length,
                 uint32_t id) const {
        if (pos + length > size) return false;
        if (pos + 8 > size) return std::memcmp(data + pos, wordBytes.data() + wordOffsets[id], length) == 0;
        return ((Load64(data + pos) ^ head) & HeadMask(length)) == 0 &&
               (length <= 8 ||
                std::memcmp(data + pos + 8, wordBytes.data() + wordOffsets[id] + 8, length - 8) == 0);
    }

    // Reports the words of one byte and of two or three bytes longer than need at pos;
    // true when longer words may start there, which the prefix map then tells.
    template <typename Report>
    bool MatchShortAt(const unsigned char* data, size_t size, size_t pos, size_t need, Report& report) const {
        const size_t remaining = size - pos;
        const unsigned b0 = data[pos];
        if (hasSingles && need == 0 && singles[b0] != kNone) report(singles[b0], pos);
        if (remaining < 2) return false;
        const uint32_t key2 = b0 << 8 | data[pos + 1];
        if (!TestBit(pairBits, key2)) return false;
        if (need >= 2 && pairReach[key2] <= need) return false;
        if (hasShort && need < 3 && TestBit(shortBits, key2)) {
            if (need < 2) {
                uint32_t id = shortWords.Find(ShortKey(data + pos, 2));
                if (id != kNone) report(id, pos);
            }
            if (remaining >= 3) {
                uint32_t id = shortWords.Find(ShortKey(data + pos, 3));
                if (id != kNone) report(id, pos);
            }
        }
        return remaining >= 4 && TestBit(quadBloom, BloomBit(Load32(data + pos)));
    }

    // Reports the words of one, two and three bytes at pos, four bytes or more before the
    // end of the text.
    template <typename Report>
    void MatchShortWordsAt(const unsigned char* data, size_t size, size_t pos, Report& report) const {
        const unsigned b0 = data[pos];
        if (hasSingles && singles[b0] != kNone) report(singles[b0], pos);
        const uint32_t key2 = b0 << 8 | data[pos + 1];
        if (shortLead[b0] && TestBit(shortBits, key2)) {
            uint32_t id = shortWords.Find(ShortKey(data + pos, 2));
            if (id != kNone) report(id, pos);
            id = shortWords.Find(ShortKey(data + pos, 3));
            if (id != kNone) report(id, pos);
        }
        (void)size;
    }

    // Reports the words longer than need of the group starting with word first at pos.
    template <typename Report>
    void MatchGroupAt(const unsigned char* data, size_t size, size_t pos, uint32_t first, size_t need,
                      Report& report) const {
        for (uint32_t id = first;; ++id) {
            const Word& word = words[id];
            if (word.length > need && BytesAt(data, size, pos, word.head, word.length, id)) report(id, pos);
            if (word.lastInGroup) break;
        }
    }

    // Reports (word, pos) for every word longer than need that occurs at pos.
    template <typename Report>
    void MatchAt(const unsigned char* data, size_t size, size_t pos, size_t need, Report& report) const {
        if (!MatchShortAt(data, size, pos, need, report)) return;
        const uint32_t first = quads.Find(Load32(data + pos));
        if (first != kNone) MatchGroupAt(data, size, pos, first, need, report);
    }

    // MatchAt on every character start in [from, to) of data[0, size), from being one;
    // before reachStart only words that reach past it count.
    template <typename Report>
    void Scan(const unsigned char* data, size_t size, size_t from, size_t to, size_t reachStart,
              Report&& report) const {
        for (size_t pos = from; pos < to; pos += CharLength(data, size, pos))
            MatchAt(data, size, pos, pos < reachStart ? reachStart - pos : 0, report);
    }

    void Build(const WordAdjustmentLibList& libs);
    void BuildProbes();
};

}  // namespace zelvo
