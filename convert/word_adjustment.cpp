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
        if (length == 1 && pos + 1 == word.size() &&
            IsLeadByte(static_cast<unsigned char>(word[pos]), codePage))
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
    // Multiplicative hashing: the top bits of the product depend on every key byte.
    size_t Hash(uint32_t key) const { return (key * 0x9E3779B1u) >> shift_; }
    std::vector<Slot> slots_;
    size_t mask_ = 0;
    int shift_ = 28;
};

uint32_t Pack3(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16;
}
uint32_t Pack4(const unsigned char* p) {
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
}

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
                // An item that puts a word back unchanged cannot change the text.
                bool usable = i < lib->wordsAfter.size() && !before.empty() && before != lib->wordsAfter[i] &&
                              IsWholeCharacterWord(before, codePage) &&
                              IsWholeCharacterWord(lib->wordsAfter[i], codePage);
                if (usable) {
                    auto [it, added] = ids.try_emplace(before, static_cast<uint32_t>(words_.size()));
                    if (added) {
                        words_.push_back(before);
                        firstItem_.push_back(static_cast<uint32_t>(items_.size()));
                        lastItem_.push_back(kNone);
                    }
                    item.word = it->second;
                    item.after = lib->wordsAfter[i];
                    const uint32_t number = static_cast<uint32_t>(items_.size());
                    if (lastItem_[item.word] != kNone) nextSameWord_[lastItem_[item.word]] = number;
                    lastItem_[item.word] = number;
                    for (unsigned char c : before) byteInWords_[c] = true;
                    for (unsigned char c : item.after) byteInWords_[c] = true;
                }
                items_.push_back(item);
                nextSameWord_.push_back(kNone);
            }
        }
        BuildTables();
    }

    int codePage() const { return codePage_; }
    const std::vector<PlanItem>& items() const { return items_; }
    size_t wordCount() const { return words_.size(); }
    std::string_view word(uint32_t id) const { return words_[id]; }
    uint32_t firstItem(uint32_t id) const { return firstItem_[id]; }
    // The first item of the word after item number item; kNone when there is none.
    uint32_t NextItemOf(uint32_t id, uint32_t item) const {
        if (lastItem_[id] <= item) return kNone;
        uint32_t next = firstItem_[id];
        while (next <= item) next = nextSameWord_[next];
        return next;
    }
    // A byte that is no lead byte and occurs in no usable word (before or after) is never
    // matched, removed or inserted, and the position after it is always a character
    // start; the text can therefore be adjusted piece by piece between such bytes.
    bool IsSeparator(unsigned char byte) const { return !byteInWords_[byte] && !IsLeadByte(byte, codePage_); }
    size_t maxLength() const { return maxLength_; }

    // Reports (word id, position) for every word that occurs in data[0, size) at a
    // character start in [from, to); data[0] must be a character start. Before reach
    // only words that would reach past it matter, so positions where none of the words
    // starting with their two bytes is that long are passed over cheaply.
    template <typename Report>
    void Scan(const char* text, size_t size, size_t from, size_t to, size_t reach, Report&& report) const {
        const auto* data = reinterpret_cast<const unsigned char*>(text);
        const bool doubleByte = IsDoubleByteCodePage(codePage_);
        size_t pos = 0;
        while (pos < to) {
            const unsigned b0 = data[pos];
            const size_t next = pos + ((doubleByte && b0 >= 0x81 && b0 <= 0xFE && pos + 1 < size) ? 2 : 1);
            if (pos >= from) {
                if (pos >= reach)
                    MatchAt(data, size, pos, report);
                else if (pos + 1 < size &&
                         (reach - pos >= 255 || pairReach_[b0 << 8 | data[pos + 1]] > reach - pos))
                    MatchAt(data, size, pos, report);
            }
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
        const uint32_t key4 = Pack4(data + pos);
        const uint32_t bit = BloomBit(key4);
        if (!(quadBloom_[bit >> 6] >> (bit & 63) & 1)) return;
        uint32_t bucket = quads_.Find(key4);
        if (bucket == kNone) return;
        for (uint32_t at = bucketStarts_[bucket]; at < bucketStarts_[bucket + 1]; ++at) {
            std::string_view w = words_[bucketWords_[at]];
            if (w.size() > remaining) continue;
            size_t i = 4;
            while (i < w.size() && data[pos + i] == static_cast<unsigned char>(w[i])) ++i;
            if (i == w.size()) report(bucketWords_[at], pos);
        }
    }

    // A bit per hashed four-byte prefix: small enough to stay in the first-level cache,
    // so most positions are passed over without touching the larger prefix map.
    static constexpr int kBloomBits = 18;
    static uint32_t BloomBit(uint32_t key4) { return (key4 * 0x85EBCA6Bu) >> (32 - kBloomBits); }

    void BuildTables() {
        quadBloom_.assign(size_t{1} << (kBloomBits - 6), 0);
        singles_.fill(kNone);
        pairFlags_.assign(65536, 0);
        pairReach_.assign(65536, 0);
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
            pairReach_[key2] =
                static_cast<uint8_t>(std::max<size_t>(pairReach_[key2], std::min<size_t>(length, 255)));
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
            const uint32_t bit = BloomBit(Pack4(p));
            quadBloom_[bit >> 6] |= uint64_t{1} << (bit & 63);
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
    std::vector<uint32_t> firstItem_;
    std::vector<uint32_t> lastItem_;
    std::vector<uint32_t> nextSameWord_;  // per item
    std::array<bool, 256> byteInWords_{};
    size_t maxLength_ = 0;
    std::array<uint32_t, 256> singles_{};
    bool hasSingles_ = false;
    bool hasTriples_ = false;
    std::vector<uint8_t> pairFlags_;
    std::vector<uint8_t> pairReach_;  // longest word starting with the two bytes, at most 255
    std::vector<uint32_t> pairs_;
    PrefixMap triples_;
    PrefixMap quads_;
    std::vector<uint64_t> quadBloom_;
    std::vector<uint32_t> bucketStarts_;
    std::vector<uint32_t> bucketWords_;
};

// A chunk of the text is held as a linked list of pieces whose bytes live in one
// append-only store, so a replacement rewrites one small piece instead of moving the
// whole chunk. Candidate occurrences wait in a heap ordered by the item that looks for
// them next, as (piece, offset, piece version); rewriting a piece bumps its version,
// which retires every candidate inside it, and the piece is scanned again with enough
// context on both sides to catch occurrences that the rewrite created, destroyed or
// moved. Every piece starts on a character start, so character boundaries inside an
// unchanged piece never move. Chunks are small enough to stay in the processor's cache
// while their items are worked through in order.
class Adjuster {
  public:
    Adjuster(const WordIndex& index, const WordAdjustmentTuning& tuning)
        : index_(index),
          pieceTarget_(std::max<size_t>(tuning.pieceTarget, 1)),
          pieceSplitAbove_(std::max(tuning.pieceSplitAbove, pieceTarget_)) {}

    // Appends the adjusted chunk to out.
    void Adjust(std::string_view chunk, std::string& out) {
        if (!FirstScan(chunk)) {
            out.append(chunk);
            return;
        }
        while (!heap_.empty()) ReplaceAll(heap_.front().item);
        for (uint32_t p = 0; p != kNone; p = pieces_[p].next)
            out.append(store_, pieces_[p].begin, pieces_[p].size);
    }

  private:
    struct Piece {
        size_t begin = 0;  // in store_
        uint32_t size = 0;
        uint32_t version = 0;
        uint32_t prev = kNone;
        uint32_t next = kNone;
        uint64_t rank = 0;       // increases along the list
        uint32_t changedBy = 0;  // item number + 1 of the last rewrite
        uint32_t rescannedBy = 0;
    };
    struct Candidate {
        uint32_t item;  // the next item whose word this is
        uint32_t piece;
        uint32_t offset;
        uint32_t version;
    };
    struct LaterItemFirst {
        bool operator()(const Candidate& a, const Candidate& b) const { return a.item > b.item; }
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

    void Push(const Candidate& candidate) {
        heap_.push_back(candidate);
        std::push_heap(heap_.begin(), heap_.end(), LaterItemFirst());
    }

    // Cuts the chunk into pieces and records every occurrence of every word.
    bool FirstScan(std::string_view chunk) {
        heap_.clear();
        index_.Scan(chunk.data(), chunk.size(), 0, chunk.size(), 0, [&](uint32_t word, size_t pos) {
            heap_.push_back({index_.firstItem(word), 0, static_cast<uint32_t>(pos), 0});
        });
        if (heap_.empty()) return false;

        store_.assign(chunk);
        pieces_.clear();
        const int codePage = index_.codePage();
        for (size_t pos = 0, start = 0; pos < store_.size(); pos += CharLengthAt(store_, pos, codePage)) {
            if (pos == 0 || pos - start >= pieceTarget_) {
                if (!pieces_.empty()) pieces_.back().size = static_cast<uint32_t>(pos - start);
                Piece piece;
                piece.begin = pos;
                piece.prev = pieces_.empty() ? kNone : static_cast<uint32_t>(pieces_.size() - 1);
                piece.rank = (pieces_.size() + 1) * kRankStep;
                if (!pieces_.empty()) pieces_.back().next = static_cast<uint32_t>(pieces_.size());
                pieces_.push_back(piece);
                start = pos;
            }
        }
        pieces_.back().size = static_cast<uint32_t>(store_.size() - pieces_.back().begin);
        // The scan reported positions in order: turn them into (piece, offset).
        uint32_t piece = 0;
        for (Candidate& c : heap_) {
            while (piece + 1 < pieces_.size() && pieces_[piece + 1].begin <= c.offset) ++piece;
            c.offset -= static_cast<uint32_t>(pieces_[piece].begin);
            c.piece = piece;
        }
        std::make_heap(heap_.begin(), heap_.end(), LaterItemFirst());
        return true;
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
            if (std::memcmp(store_.data() + piece.begin + offset, word.data() + matched, take) != 0)
                return false;
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
        const std::string_view before = index_.word(plan.word);

        found_.clear();
        while (!heap_.empty() && heap_.front().item == item) {
            std::pop_heap(heap_.begin(), heap_.end(), LaterItemFirst());
            if (pieces_[heap_.back().piece].version == heap_.back().version) found_.push_back(heap_.back());
            heap_.pop_back();
        }
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
            if (!MatchesAt(c, before, end) || positionOf(c) < lastEnd) continue;
            selected_.push_back(c);
            lastEnd = end;
        }
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
        while (pos < scratch_.size() && pos - start < pieceTarget_)
            pos += CharLengthAt(scratch_, pos, index_.codePage());
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
            for (uint32_t p = pieces_[last].next; p != kNone && window_.size() - runEnd < margin;
                 p = pieces_[p].next) {
                segments_.push_back({p, window_.size()});
                window_.append(store_, pieces_[p].begin, pieces_[p].size);
            }
            size_t segment = 0;
            const size_t from = runStart > margin ? runStart - margin : 0;
            index_.Scan(window_.data(), window_.size(), from, runEnd, runStart,
                        [&](uint32_t word, size_t pos) {
                            if (pos < runStart && pos + index_.word(word).size() <= runStart) return;
                            const uint32_t next = index_.NextItemOf(word, item);
                            if (next == kNone) return;
                            while (segment + 1 < segments_.size() && segments_[segment + 1].offset <= pos)
                                ++segment;
                            const uint32_t p = segments_[segment].piece;
                            Push({next, p, static_cast<uint32_t>(pos - segments_[segment].offset),
                                  pieces_[p].version});
                        });
        }
    }

    const WordIndex& index_;
    const size_t pieceTarget_;
    const size_t pieceSplitAbove_;
    std::string store_;
    std::vector<Piece> pieces_;
    std::vector<Candidate> heap_;
    std::vector<Candidate> found_;
    std::vector<Candidate> selected_;
    std::vector<Edit> edits_;
    std::vector<uint32_t> changed_;
    std::vector<Segment> segments_;
    std::string scratch_;
    std::string window_;
};

// The end of the chunk that starts at from: right after the first separator byte at or
// beyond the chunk size, or the end of the text.
size_t ChunkEnd(const WordIndex& index, std::string_view text, size_t from, size_t chunkTarget) {
    for (size_t pos = from + std::max<size_t>(chunkTarget, 1) - 1; pos < text.size(); ++pos) {
        if (index.IsSeparator(static_cast<unsigned char>(text[pos]))) return pos + 1;
    }
    return text.size();
}

}  // namespace

void AdjustWords(const WordAdjustmentLibList& libs, int codePage, std::string& text,
                 const WordAdjustmentItemCallback& onItem, const WordAdjustmentTuning& tuning) {
    WordIndex index(libs, codePage);
    const long itemCount = static_cast<long>(index.items().size());
    long reported = 0;
    // Chunks take the items one after another on their own; the item count reported is
    // the share of the text done, so the callbacks still come one per item, in order.
    auto reportUpTo = [&](long items) {
        for (; onItem && reported < items; ++reported) onItem(reported + 1);
    };
    if (index.wordCount() > 0 && !text.empty()) {
        Adjuster adjuster(index, tuning);
        std::string out;
        out.reserve(text.size() + text.size() / 8);
        for (size_t from = 0; from < text.size();) {
            const size_t end = ChunkEnd(index, text, from, tuning.chunkTarget);
            adjuster.Adjust(std::string_view(text).substr(from, end - from), out);
            from = end;
            reportUpTo(static_cast<long>(static_cast<long double>(itemCount) * from / text.size()));
        }
        text = std::move(out);
    }
    reportUpTo(itemCount);
}

}  // namespace zelvo
