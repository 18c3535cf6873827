#include "convert/word_adjustment.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "services/multibyte.h"

namespace zelvo {

bool IsWholeCharacterWord(std::string_view word, int codePage) {
    size_t pos = 0;
    while (pos < word.size()) {
        size_t length = CharLengthAt(word, pos, codePage);
        if (length == 1 && pos + 1 == word.size() && IsLeadByte(static_cast<unsigned char>(word[pos]), codePage))
            return false;
        pos += length;
    }
    return true;
}

namespace {

constexpr uint32_t kNone = UINT32_MAX;


// Open addressing from a packed 3- or 4-byte prefix to a small integer.
class PrefixMap {
public:
    void Reserve(size_t count) {
        size_t capacity = 16;
        while (capacity < count * 2) capacity *= 2;
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
    uint32_t Find(uint32_t key) const {
        if (slots_.empty()) return kNone;
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
    size_t Hash(uint32_t key) const { return (key * 0x9E3779B1u) >> 7 & mask_; }
    std::vector<Slot> slots_;
    size_t mask_ = 0;
};

uint32_t Pack3(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16; }
uint32_t Pack4(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

struct PlanItem {
    uint32_t word = kNone;  // kNone: the item cannot take part
    std::string_view after;
};

// The distinct words of the applied items, indexed by their first bytes so that every
// word occurring at a position is found with a few table look-ups.
class WordIndex {
public:
    WordIndex(const WordAdjustmentLibList& libs, int codePage) : codePage_(codePage) {
        std::unordered_map<std::string_view, uint32_t> ids;
        for (const auto& lib : libs) {
            if (!lib || !lib->apply) continue;
            for (size_t i = 0; i < lib->wordsBefore.size(); ++i) {
                PlanItem item;
                std::string_view before = lib->wordsBefore[i];
                bool usable = i < lib->wordsAfter.size() && !before.empty() &&
                              IsWholeCharacterWord(before, codePage) &&
                              IsWholeCharacterWord(lib->wordsAfter[i], codePage);
                if (usable) {
                    auto [it, added] = ids.try_emplace(before, static_cast<uint32_t>(words_.size()));
                    if (added) {
                        words_.push_back(before);
                        lastItem_.push_back(0);
                    }
                    item.word = it->second;
                    item.after = lib->wordsAfter[i];
                    lastItem_[item.word] = static_cast<uint32_t>(items_.size());
                }
                items_.push_back(item);
            }
        }
        BuildTables();
    }

    int codePage() const { return codePage_; }
    const std::vector<PlanItem>& items() const { return items_; }
    size_t wordCount() const { return words_.size(); }
    std::string_view word(uint32_t id) const { return words_[id]; }
    uint32_t lastItem(uint32_t id) const { return lastItem_[id]; }
    size_t maxLength() const { return maxLength_; }

    // Reports (word id, position) for every word that occurs in data[0, size) at a
    // character start in [from, to); data[0] must be a character start.
    template <typename Report>
    void Scan(const char* text, size_t size, size_t from, size_t to, Report&& report) const {
        const auto* data = reinterpret_cast<const unsigned char*>(text);
        const bool doubleByte = IsDoubleByteCodePage(codePage_);
        size_t pos = 0;
        while (pos < to) {
            const unsigned b0 = data[pos];
            const size_t next = pos + ((doubleByte && b0 >= 0x81 && b0 <= 0xFE && pos + 1 < size) ? 2 : 1);
            if (pos >= from) MatchAt(data, size, pos, report);
            pos = next;
        }
    }

private:
    template <typename Report>
    void MatchAt(const unsigned char* data, size_t size, size_t pos, Report& report) const {
        const size_t remaining = size - pos;
        const unsigned b0 = data[pos];
        if (hasSingles_ && singles_[b0] != kNone) report(singles_[b0], pos);
        if (remaining < 2) return;
        const unsigned key2 = b0 << 8 | data[pos + 1];
        const uint8_t flags = pairFlags_[key2];
        if (flags == 0) return;
        if (flags & kPairWord) report(pairs_[key2], pos);
        if (!(flags & kPairPrefix) || remaining < 3) return;
        if (hasTriples_) {
            uint32_t id = triples_.Find(Pack3(data + pos));
            if (id != kNone) report(id, pos);
        }
        if (remaining < 4) return;
        uint32_t bucket = quads_.Find(Pack4(data + pos));
        if (bucket == kNone) return;
        for (uint32_t at = bucketStarts_[bucket]; at < bucketStarts_[bucket + 1]; ++at) {
            std::string_view w = words_[bucketWords_[at]];
            if (w.size() <= remaining && std::memcmp(data + pos + 4, w.data() + 4, w.size() - 4) == 0)
                report(bucketWords_[at], pos);
        }
    }

    void BuildTables() {
        singles_.fill(kNone);
        pairFlags_.assign(65536, 0);
        pairs_.assign(65536, kNone);
        size_t longCount = 0;
        for (std::string_view w : words_) longCount += w.size() >= 3;
        triples_.Reserve(longCount);
        quads_.Reserve(longCount);
        std::vector<std::vector<uint32_t>> buckets;
        for (uint32_t id = 0; id < words_.size(); ++id) {
            const auto* p = reinterpret_cast<const unsigned char*>(words_[id].data());
            const size_t length = words_[id].size();
            maxLength_ = std::max(maxLength_, length);
            if (length == 1) {
                singles_[p[0]] = id;
                hasSingles_ = true;
                continue;
            }
            const unsigned key2 = p[0] << 8 | p[1];
            if (length == 2) {
                pairs_[key2] = id;
                pairFlags_[key2] |= kPairWord;
                continue;
            }
            pairFlags_[key2] |= kPairPrefix;
            if (length == 3) {
                triples_.Insert(Pack3(p)) = id;
                hasTriples_ = true;
                continue;
            }
            uint32_t& bucket = quads_.Insert(Pack4(p));
            if (bucket == kNone) {
                bucket = static_cast<uint32_t>(buckets.size());
                buckets.emplace_back();
            }
            buckets[bucket].push_back(id);
        }
        bucketStarts_.push_back(0);
        for (const auto& bucket : buckets) {
            bucketWords_.insert(bucketWords_.end(), bucket.begin(), bucket.end());
            bucketStarts_.push_back(static_cast<uint32_t>(bucketWords_.size()));
        }
    }

    static constexpr uint8_t kPairWord = 1;    // a two-byte word
    static constexpr uint8_t kPairPrefix = 2;  // longer words start with these two bytes

    int codePage_;
    std::vector<PlanItem> items_;
    std::vector<std::string_view> words_;
    std::vector<uint32_t> lastItem_;
    size_t maxLength_ = 0;
    std::array<uint32_t, 256> singles_{};
    bool hasSingles_ = false;
    bool hasTriples_ = false;
    std::vector<uint8_t> pairFlags_;
    std::vector<uint32_t> pairs_;
    PrefixMap triples_;
    PrefixMap quads_;
    std::vector<uint32_t> bucketStarts_;
    std::vector<uint32_t> bucketWords_;
};

// The text is held as a linked list of pieces whose bytes live in one append-only
// store, so a replacement rewrites one small piece instead of moving the whole text.
// Candidate occurrences are remembered per word as (piece, offset, piece version);
// rewriting a piece bumps its version, which retires every candidate inside it, and the
// piece is scanned again with enough context on both sides to catch occurrences that
// the rewrite created, destroyed or moved. Every piece starts on a character start, so
// character boundaries inside an unchanged piece never move.
class Adjuster {
public:
    Adjuster(const WordIndex& index, std::string& text, const WordAdjustmentTuning& tuning)
        : index_(index), text_(text), pieceTarget_(std::max<size_t>(tuning.pieceTarget, 1)),
          pieceSplitAbove_(std::max(tuning.pieceSplitAbove, pieceTarget_)) {}

    void Run(const WordAdjustmentItemCallback& onItem) {
        const auto& items = index_.items();
        bool anyCandidate = !text_.empty() && index_.wordCount() > 0 && FirstScan();
        for (size_t i = 0; i < items.size(); ++i) {
            if (anyCandidate && items[i].word != kNone && !candidates_[items[i].word].empty())
                ReplaceAll(static_cast<uint32_t>(i));
            if (onItem) onItem(static_cast<long>(i + 1));
        }
        if (anyCandidate) Assemble();
    }

private:
    struct Piece {
        size_t begin = 0;  // in store_
        uint32_t size = 0;
        uint32_t version = 0;
        uint32_t prev = kNone;
        uint32_t next = kNone;
        uint64_t rank = 0;        // increases along the list
        uint32_t changedBy = 0;   // item number + 1 of the last rewrite
        uint32_t rescannedBy = 0;
    };
    struct Candidate {
        uint32_t piece;
        uint32_t offset;
        uint32_t version;
    };
    struct Position {
        uint64_t rank;
        uint32_t offset;
        bool operator<(const Position& other) const {
            return rank != other.rank ? rank < other.rank : offset < other.offset;
        }
    };
    struct Edit {
        uint32_t piece;
        uint32_t from;
        uint32_t to;
        std::string_view insert;
    };
    struct Segment {
        uint32_t piece;
        size_t offset;  // in window_
    };

    static constexpr uint64_t kRankStep = uint64_t{1} << 32;

    // Cuts the text into pieces and records every occurrence of every word.
    bool FirstScan() {
        store_ = std::move(text_);
        text_.clear();
        const int codePage = index_.codePage();
        std::vector<size_t> starts;
        for (size_t pos = 0, start = 0; pos < store_.size(); pos += CharLengthAt(store_, pos, codePage)) {
            if (pos == 0 || pos - start >= pieceTarget_) {
                starts.push_back(pos);
                start = pos;
            }
        }
        pieces_.resize(starts.size());
        for (size_t k = 0; k < starts.size(); ++k) {
            Piece& piece = pieces_[k];
            piece.begin = starts[k];
            piece.size = static_cast<uint32_t>((k + 1 < starts.size() ? starts[k + 1] : store_.size()) - starts[k]);
            piece.prev = k == 0 ? kNone : static_cast<uint32_t>(k - 1);
            piece.next = k + 1 < starts.size() ? static_cast<uint32_t>(k + 1) : kNone;
            piece.rank = (k + 1) * kRankStep;
        }
        candidates_.assign(index_.wordCount(), {});
        bool any = false;
        uint32_t piece = 0;
        index_.Scan(store_.data(), store_.size(), 0, store_.size(), [&](uint32_t word, size_t pos) {
            while (piece + 1 < starts.size() && starts[piece + 1] <= pos) ++piece;
            candidates_[word].push_back({piece, static_cast<uint32_t>(pos - starts[piece]), 0});
            any = true;
        });
        if (!any) text_ = std::move(store_);
        return any;
    }

    // True when the word occurs at the candidate in the current text; end is set to the
    // position right after it.
    bool MatchesAt(const Candidate& candidate, std::string_view word, Position& end) const {
        uint32_t p = candidate.piece;
        size_t offset = candidate.offset;
        size_t matched = 0;
        for (;;) {
            const Piece& piece = pieces_[p];
            size_t take = std::min<size_t>(piece.size - offset, word.size() - matched);
            if (std::memcmp(store_.data() + piece.begin + offset, word.data() + matched, take) != 0) return false;
            matched += take;
            if (matched == word.size()) {
                end = {piece.rank, static_cast<uint32_t>(offset + take)};
                return true;
            }
            p = piece.next;
            if (p == kNone) return false;
            offset = 0;
        }
    }

    void ReplaceAll(uint32_t item) {
        const PlanItem& plan = index_.items()[item];
        const uint32_t word = plan.word;
        const std::string_view before = index_.word(word);

        found_.swap(candidates_[word]);
        candidates_[word].clear();
        std::erase_if(found_, [&](const Candidate& c) { return pieces_[c.piece].version != c.version; });
        auto positionOf = [&](const Candidate& c) { return Position{pieces_[c.piece].rank, c.offset}; };
        std::sort(found_.begin(), found_.end(),
                  [&](const Candidate& a, const Candidate& b) { return positionOf(a) < positionOf(b); });
        found_.erase(std::unique(found_.begin(), found_.end(),
                                 [](const Candidate& a, const Candidate& b) {
                                     return a.piece == b.piece && a.offset == b.offset;
                                 }),
                     found_.end());

        // Occurrences are taken left to right, each search resuming after the previous
        // one. One skipped for overlapping starts inside a replaced occurrence, so its
        // piece is rewritten and rescanned: it needs no keeping.
        selected_.clear();
        Position lastEnd{0, 0};
        for (const Candidate& c : found_) {
            Position end;
            if (!MatchesAt(c, before, end)) continue;
            if (positionOf(c) < lastEnd) continue;
            selected_.push_back(c);
            lastEnd = end;
        }
        found_.clear();
        if (selected_.empty()) return;

        edits_.clear();
        for (const Candidate& c : selected_) {
            uint32_t p = c.piece;
            size_t remaining = before.size();
            size_t take = std::min<size_t>(pieces_[p].size - c.offset, remaining);
            edits_.push_back({p, c.offset, static_cast<uint32_t>(c.offset + take), plan.after});
            remaining -= take;
            while (remaining > 0) {
                p = pieces_[p].next;
                take = std::min<size_t>(pieces_[p].size, remaining);
                if (take > 0) edits_.push_back({p, 0, static_cast<uint32_t>(take), {}});
                remaining -= take;
            }
        }

        changed_.clear();
        const uint32_t stamp = item + 1;
        for (size_t e = 0; e < edits_.size();) {
            const uint32_t p = edits_[e].piece;
            const Piece& piece = pieces_[p];
            scratch_.clear();
            size_t cursor = 0;
            for (; e < edits_.size() && edits_[e].piece == p; ++e) {
                scratch_.append(store_, piece.begin + cursor, edits_[e].from - cursor);
                scratch_.append(edits_[e].insert);
                cursor = edits_[e].to;
            }
            scratch_.append(store_, piece.begin + cursor, piece.size - cursor);
            StorePiece(p, stamp);
        }
        Rescan(item);
    }

    // Puts scratch_ in place of piece p, cutting it when it has grown too long.
    void StorePiece(uint32_t p, uint32_t stamp) {
        size_t start = 0;
        size_t cut = scratch_.size();
        if (scratch_.size() > pieceSplitAbove_) cut = NextCut(0);
        SetPiece(p, start, cut, stamp);
        uint32_t last = p;
        while (cut < scratch_.size()) {
            start = cut;
            cut = NextCut(start);
            last = InsertPieceAfter(last);
            SetPiece(last, start, cut, stamp);
        }
    }

    size_t NextCut(size_t start) const {
        size_t pos = start;
        while (pos < scratch_.size() && pos - start < pieceTarget_) pos += CharLengthAt(scratch_, pos, index_.codePage());
        return pos;
    }

    void SetPiece(uint32_t p, size_t from, size_t to, uint32_t stamp) {
        Piece& piece = pieces_[p];
        piece.begin = store_.size();
        store_.append(scratch_, from, to - from);
        piece.size = static_cast<uint32_t>(to - from);
        ++piece.version;
        piece.changedBy = stamp;
        changed_.push_back(p);
    }

    uint32_t InsertPieceAfter(uint32_t p) {
        uint32_t next = pieces_[p].next;
        uint64_t high = next == kNone ? pieces_[p].rank + kRankStep : pieces_[next].rank;
        if (high - pieces_[p].rank < 2) {
            Renumber();
            high = next == kNone ? pieces_[p].rank + kRankStep : pieces_[next].rank;
        }
        uint32_t added = static_cast<uint32_t>(pieces_.size());
        Piece piece;
        piece.rank = pieces_[p].rank + (high - pieces_[p].rank) / 2;
        piece.prev = p;
        piece.next = next;
        pieces_.push_back(piece);
        pieces_[p].next = added;
        if (next != kNone) pieces_[next].prev = added;
        return added;
    }

    void Renumber() {
        uint64_t rank = kRankStep;
        for (uint32_t p = 0; p != kNone; p = pieces_[p].next, rank += kRankStep) pieces_[p].rank = rank;
    }

    // Finds the occurrences of the words of later items that start in a rewritten piece
    // or reach into it from before; runs of adjacent rewritten pieces share one window.
    void Rescan(uint32_t item) {
        const uint32_t stamp = item + 1;
        const size_t margin = index_.maxLength() - 1;
        for (uint32_t first : changed_) {
            if (pieces_[first].rescannedBy == stamp) continue;
            uint32_t last = first;
            pieces_[first].rescannedBy = stamp;
            while (pieces_[last].next != kNone && pieces_[pieces_[last].next].changedBy == stamp) {
                last = pieces_[last].next;
                pieces_[last].rescannedBy = stamp;
            }
            uint32_t back = first;
            for (size_t bytes = 0; bytes < margin && pieces_[back].prev != kNone;) {
                back = pieces_[back].prev;
                bytes += pieces_[back].size;
            }
            window_.clear();
            segments_.clear();
            size_t runStart = 0;
            for (uint32_t p = back;; p = pieces_[p].next) {
                if (p == first) runStart = window_.size();
                segments_.push_back({p, window_.size()});
                window_.append(store_, pieces_[p].begin, pieces_[p].size);
                if (p == last) break;
            }
            const size_t runEnd = window_.size();
            for (uint32_t p = pieces_[last].next; p != kNone && window_.size() - runEnd < margin; p = pieces_[p].next) {
                segments_.push_back({p, window_.size()});
                window_.append(store_, pieces_[p].begin, pieces_[p].size);
            }
            size_t segment = 0;
            const size_t from = runStart > margin ? runStart - margin : 0;
            index_.Scan(window_.data(), window_.size(), from, runEnd, [&](uint32_t word, size_t pos) {
                if (index_.lastItem(word) <= item) return;
                if (pos < runStart && pos + index_.word(word).size() <= runStart) return;
                while (segment + 1 < segments_.size() && segments_[segment + 1].offset <= pos) ++segment;
                const uint32_t p = segments_[segment].piece;
                candidates_[word].push_back(
                    {p, static_cast<uint32_t>(pos - segments_[segment].offset), pieces_[p].version});
            });
        }
    }

    void Assemble() {
        size_t total = 0;
        for (uint32_t p = 0; p != kNone; p = pieces_[p].next) total += pieces_[p].size;
        text_.clear();
        text_.reserve(total);
        for (uint32_t p = 0; p != kNone; p = pieces_[p].next) text_.append(store_, pieces_[p].begin, pieces_[p].size);
        store_.clear();
        store_.shrink_to_fit();
    }

    const WordIndex& index_;
    std::string& text_;
    const size_t pieceTarget_;
    const size_t pieceSplitAbove_;
    std::string store_;
    std::vector<Piece> pieces_;
    std::vector<std::vector<Candidate>> candidates_;
    std::vector<Candidate> found_;
    std::vector<Candidate> selected_;
    std::vector<Edit> edits_;
    std::vector<uint32_t> changed_;
    std::vector<Segment> segments_;
    std::string scratch_;
    std::string window_;
};

}  // namespace

void AdjustWords(const WordAdjustmentLibList& libs, int codePage, std::string& text,
                 const WordAdjustmentItemCallback& onItem, const WordAdjustmentTuning& tuning) {
    WordIndex index(libs, codePage);
    Adjuster adjuster(index, text, tuning);
    adjuster.Run(onItem);
}

}  // namespace zelvo
