#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

#include "convert/word_adjustment.h"
#include "convert/word_adjustment_tables.h"
#include "services/multibyte.h"

namespace zelvo {

bool IsWholeCharacterWord(std::string_view word, int codePage) {
    size_t pos = 0;
    while (pos < word.size()) {
        size_t length = CharLengthAt(word, pos, codePage);
        if (length == 1 && pos + 1 == word.size() &&
            IsLeadByte(static_cast<unsigned char>(word[pos]), codePage))
            return false;
        pos += length;
    }
    return true;
}

void WordAdjustmentIndex::Tables::Build(const WordAdjustmentLibList& libs) {
    doubleByte = IsDoubleByteCodePage(codePage);
    for (int b = 0; b < 256; ++b) lead[b] = IsLeadByte(static_cast<unsigned char>(b), codePage);
    struct Use {
        uint64_t order;  // long words first, then by the first eight bytes
        std::string_view word;
        uint32_t item;
    };
    std::vector<Use> uses;
    for (const auto& lib : libs) {
        if (!lib || !lib->apply) continue;
        for (size_t i = 0; i < lib->wordsBefore.size(); ++i) {
            Item item;
            std::string_view before = lib->wordsBefore[i];
            // An item that puts a word back unchanged cannot change the text.
            bool usable = i < lib->wordsAfter.size() && !before.empty() && before != lib->wordsAfter[i] &&
                          IsWholeCharacterWord(before, codePage) &&
                          IsWholeCharacterWord(lib->wordsAfter[i], codePage);
            if (usable) {
                std::string_view after = lib->wordsAfter[i];
                uint64_t order = 0;
                for (size_t k = 0; k < 7; ++k)
                    order = order << 8 | (k < before.size() ? static_cast<unsigned char>(before[k]) : 0);
                if (before.size() < 4) order |= uint64_t{1} << 63;
                uses.push_back({order, before, static_cast<uint32_t>(items.size())});
                item.word = 0;
                item.afterOffset = static_cast<uint32_t>(afters.size());
                item.afterLength = static_cast<uint32_t>(after.size());
                afters.append(after);
                const auto* b = reinterpret_cast<const unsigned char*>(before.data());
                if (wordChars.empty()) wordChars.assign((256 + 65536) / 64, 0);
                for (unsigned char c : before) wordBytes256[c] = true;
                for (size_t k = 0, length; k < before.size(); k += length) {
                    length = CharLength(b, before.size(), k);
                    SetBit(wordChars, CharBit(b + k, length));
                }
            }
            items.push_back(item);
        }
    }
    std::sort(uses.begin(), uses.end(), [](const Use& a, const Use& b) {
        if (a.order != b.order) return a.order < b.order;
        if (a.word != b.word) return a.word < b.word;
        return a.item < b.item;
    });

    pairBits.assign(65536 / 64, 0);
    pairReach.assign(65536, 0);
    shortBits.assign(65536 / 64, 0);
    quadBloom.assign((size_t{1} << kBloomBits) / 64, 0);
    singles.fill(kNone);
    size_t groupCount = 0, shortCount = 0;
    for (size_t u = 0; u < uses.size(); ++u) {
        const std::string_view w = uses[u].word;
        if (u > 0 && w == uses[u - 1].word) continue;
        if (w.size() >= 4)
            groupCount +=
                u == 0 || uses[u - 1].word.size() < 4 || uses[u - 1].word.substr(0, 4) != w.substr(0, 4);
        else
            shortCount += w.size() >= 2;
    }
    quads.Reserve(groupCount);
    shortWords.Reserve(shortCount);

    for (size_t u = 0; u < uses.size(); ++u) {
        const std::string_view w = uses[u].word;
        if (u == 0 || w != uses[u - 1].word) {
            const auto id = static_cast<uint32_t>(words.size());
            const auto* p = reinterpret_cast<const unsigned char*>(w.data());
            Word word{};
            wordOffsets.push_back(static_cast<uint32_t>(wordBytes.size()));
            word.length = static_cast<uint32_t>(w.size());
            word.firstItem = uses[u].item;
            word.onlyItem = 1;
            std::memcpy(&word.head, w.data(), std::min<size_t>(w.size(), 8));
            wordBytes.append(w);
            itemStarts.push_back(static_cast<uint32_t>(wordItems.size()));
            maxLength = std::max(maxLength, w.size());
            if (w.size() == 1) {
                singles[p[0]] = id;
                hasSingles = true;
            } else {
                const uint32_t key2 = p[0] << 8 | p[1];
                SetBit(pairBits, key2);
                pairReach[key2] =
                    static_cast<uint8_t>(std::max<size_t>(pairReach[key2], std::min<size_t>(w.size(), 255)));
                if (w.size() < 4) {
                    SetBit(shortBits, key2);
                    shortLead[p[0]] = true;
                    shortWords.Insert(ShortKey(p, w.size())) = id;
                    hasShort = true;
                } else {
                    const uint32_t key4 = Load32(p);
                    SetBit(quadBloom, BloomBit(key4));
                    uint32_t& first = quads.Insert(key4);
                    if (first == kNone) {
                        first = id;
                        if (id > 0) words.back().lastInGroup = 1;
                    }
                }
            }
            words.push_back(word);
        }
        const auto id = static_cast<uint32_t>(words.size() - 1);
        if (wordItems.size() > itemStarts[id]) {
            words[id].onlyItem = 0;
            items[wordItems.back()].wordLater = 1;
        }
        wordItems.push_back(uses[u].item);
        Item& item = items[uses[u].item];
        item.word = id;
        item.head = words[id].head;
        item.length = words[id].length;
    }
    if (!words.empty()) words.back().lastInGroup = 1;
    // Every long word's group ends where the next group starts or the short words begin.
    for (size_t id = 0; id + 1 < words.size(); ++id)
        if (words[id].length >= 4 && words[id + 1].length < 4) words[id].lastInGroup = 1;
    itemStarts.push_back(static_cast<uint32_t>(wordItems.size()));
    BuildProbes();
}

// A word that a replacement brings about takes in at least one whole character of the
// changed stretch of the word after adjustment (it starts and ends on character
// boundaries of the text, as that stretch does), so the words holding those characters,
// placed on them, are all the places to try. An item whose characters are in too many
// words, or whose changed stretch is empty, has the stretch searched instead.
void WordAdjustmentIndex::Tables::BuildProbes() {
    constexpr size_t kMaxProbes = 24;
    constexpr size_t kMaxLooks = 2 * kMaxProbes;
    auto charKey = [](const unsigned char* p, size_t length) {
        return length == 2 ? 0x10000u | p[0] << 8 | p[1] : uint32_t{p[0]};
    };
    // Where each character stands in the words, grouped by character.
    struct Holder {
        uint32_t key;
        uint32_t word;
        uint32_t offset;
        uint32_t lastItem;
    };
    std::vector<Holder> holders;
    holders.reserve(wordBytes.size());
    for (uint32_t id = 0; id < words.size(); ++id) {
        const auto* p = reinterpret_cast<const unsigned char*>(wordBytes.data()) + wordOffsets[id];
        for (size_t i = 0, length; i < words[id].length; i += length) {
            length = CharLength(p, words[id].length, i);
            holders.push_back({charKey(p + i, length), id, static_cast<uint32_t>(i), LastItem(id)});
        }
    }
    std::sort(holders.begin(), holders.end(), [](const Holder& a, const Holder& b) { return a.key < b.key; });
    // The characters, each with its first holder, for a short search.
    std::vector<std::pair<uint32_t, uint32_t>> keys;
    for (uint32_t h = 0; h < holders.size(); ++h)
        if (h == 0 || holders[h].key != holders[h - 1].key) keys.emplace_back(holders[h].key, h);

    std::vector<unsigned char> beforeStarts, afterStarts;
    auto markStarts = [&](std::vector<unsigned char>& starts, const unsigned char* p, size_t size) {
        starts.assign(size + 1, 0);
        for (size_t i = 0; i < size; i += CharLength(p, size, i)) starts[i] = 1;
        starts[size] = 1;
    };
    std::vector<Probe> found;
    for (uint32_t number = 0; number < items.size(); ++number) {
        Item& item = items[number];
        if (item.word == kNone) continue;
        const auto* before =
            reinterpret_cast<const unsigned char*>(wordBytes.data()) + wordOffsets[item.word];
        const auto* after = reinterpret_cast<const unsigned char*>(afters.data()) + item.afterOffset;
        const size_t beforeLength = item.length, afterLength = item.afterLength;
        markStarts(beforeStarts, before, beforeLength);
        markStarts(afterStarts, after, afterLength);
        const size_t shorter = std::min(beforeLength, afterLength);
        size_t head = 0;
        for (size_t i = 0; i < shorter && before[i] == after[i];) {
            ++i;
            if (beforeStarts[i] && afterStarts[i]) head = i;
        }
        size_t tail = 0;
        for (size_t m = 0;
             head + m < shorter && before[beforeLength - 1 - m] == after[afterLength - 1 - m];) {
            ++m;
            if (beforeStarts[beforeLength - m] && afterStarts[afterLength - m]) tail = m;
        }
        // Keeping nothing is always right; the fields are small.
        if (head > UINT16_MAX || tail > UINT16_MAX) head = tail = 0;
        item.keepHead = static_cast<uint16_t>(head);
        item.keepTail = static_cast<uint16_t>(tail);
        const size_t changedEnd = afterLength - tail;
        if (head == changedEnd) continue;
        found.clear();
        size_t looks = 0;
        bool fits = true;
        for (size_t i = head, length; i < changedEnd && looks <= kMaxLooks; i += length) {
            length = CharLength(after, afterLength, i);
            const uint32_t key = charKey(after + i, length);
            auto k = std::lower_bound(keys.begin(), keys.end(), std::make_pair(key, uint32_t{0}));
            if (k == keys.end() || k->first != key) continue;
            for (auto h = holders.begin() + k->second;
                 h != holders.end() && h->key == key && looks <= kMaxLooks; ++h, ++looks) {
                const Holder& holder = *h;
                if (holder.lastItem <= number) continue;
                const Word& word = words[holder.word];
                const int64_t delta = static_cast<int64_t>(i - head) - holder.offset;
                if (delta < INT16_MIN || delta > INT16_MAX || word.length > UINT16_MAX) fits = false;
                found.push_back({word.head, holder.word, static_cast<int16_t>(delta),
                                 static_cast<uint16_t>(word.length)});
            }
        }
        std::sort(found.begin(), found.end(), [](const Probe& a, const Probe& b) {
            return a.word != b.word ? a.word < b.word : a.delta < b.delta;
        });
        found.erase(std::unique(found.begin(), found.end(),
                                [](const Probe& a, const Probe& b) {
                                    return a.word == b.word && a.delta == b.delta;
                                }),
                    found.end());
        if (!fits || looks > kMaxLooks || found.size() > kMaxProbes) continue;
        item.probeStart = static_cast<uint32_t>(probes.size());
        probes.insert(probes.end(), found.begin(), found.end());
        probes.push_back({0, kNone, 0, 0});
    }
}

WordAdjustmentIndex::WordAdjustmentIndex(const WordAdjustmentLibList& libs, int codePage)
    : tables_(std::make_unique<Tables>()) {
    tables_->codePage = codePage;
    tables_->Build(libs);
}

WordAdjustmentIndex::~WordAdjustmentIndex() = default;

int WordAdjustmentIndex::codePage() const {
    return tables_->codePage;
}

long WordAdjustmentIndex::itemCount() const {
    return static_cast<long>(tables_->items.size());
}

const WordAdjustmentIndex& WordAdjustmentIndexCache::Get(const WordAdjustmentLibList& libs, int codePage,
                                                         uint64_t generation) {
    std::vector<uint64_t> key{static_cast<uint64_t>(codePage), generation, reinterpret_cast<uintptr_t>(&libs),
                              libs.size()};
    std::hash<std::string_view> hash;
    for (const auto& lib : libs) {
        key.push_back(reinterpret_cast<uintptr_t>(lib.get()));
        if (!lib) continue;
        key.push_back(lib->apply);
        key.push_back(lib->wordsBefore.size());
        key.push_back(lib->wordsAfter.size());
        key.push_back(reinterpret_cast<uintptr_t>(lib->wordsBefore.data()));
        key.push_back(reinterpret_cast<uintptr_t>(lib->wordsAfter.data()));
        if (!lib->wordsBefore.empty())
            key.push_back(hash(lib->wordsBefore.front()) ^ hash(lib->wordsBefore.back()) * 31);
        if (!lib->wordsAfter.empty())
            key.push_back(hash(lib->wordsAfter.front()) ^ hash(lib->wordsAfter.back()) * 31);
    }
    if (!index_ || key != key_) {
        index_ = std::make_shared<const WordAdjustmentIndex>(libs, codePage);
        key_ = std::move(key);
    }
    return *index_;
}

}  // namespace zelvo
