#include "convert/word_adjustment.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>

#include "convert/word_adjustment_tables.h"
#include "services/multibyte.h"

namespace zelvo {

namespace {

using Tables = WordAdjustmentIndex::Tables;

// A growing array whose new elements are not initialised: the engine writes each element
// before it reads it, and a chunk's arrays are large, so zeroing them would cost a pass
// over memory that is mostly never used.
template <typename T>
class RawArray {
  public:
    T& operator[](size_t i) { return data_[i]; }
    const T& operator[](size_t i) const { return data_[i]; }
    void Resize(size_t size) {
        if (size > capacity_) {
            const size_t capacity = std::max(size, capacity_ + capacity_ / 2);
            auto grown = std::make_unique_for_overwrite<T[]>(capacity);
            if (size_ > 0) std::memcpy(grown.get(), data_.get(), size_ * sizeof(T));
            data_ = std::move(grown);
            capacity_ = capacity;
        }
        size_ = size;
    }
    // Room for size elements without moving them again.
    void Reserve(size_t size) {
        const size_t kept = size_;
        if (size > capacity_) {
            Resize(size);
            size_ = kept;
        }
    }

  private:
    std::unique_ptr<T[]> data_;
    size_t size_ = 0;
    size_t capacity_ = 0;
};

// Adjusts one chunk. Every byte the chunk ever holds has an address that never changes:
// the chunk's own bytes come first, the bytes that replacements bring are appended after
// them, and the text is the chain of live addresses linked in reading order (runs of
// consecutive addresses need no links). A replacement therefore costs what it changes,
// however long the chunk is, and a candidate occurrence stays a valid address whatever
// happens elsewhere. Order labels, spaced along the chain and given to new bytes from the
// gap they land in, put the candidates of an item in reading order.
//
// Candidate occurrences are keys (item << 32 | address) taken in ascending order from the
// sorted results of the first scan and from a heap of those found later, so an item meets
// all of its candidates at once. A candidate is checked against the current text when its
// item comes: earlier items may have rewritten it. Replacing never moves character starts
// outside the replaced bytes (both words are whole characters), and the characters both
// words share at their ends stay where they were, so after an item only occurrences
// taking in a changed character, or spanning a place where bytes went, are new: the
// item's probes try the words that hold the changed characters, or, for items without
// probes, the stretch from maxLength - 1 bytes before each change to its end is
// searched again.
class Adjuster {
  public:
    Adjuster(const Tables& tables, int labelSpacingBits)
        : t_(tables), maxLabelShift_(std::clamp(labelSpacingBits, 1, 62)) {}

    // Appends the adjusted chunk to out.
    void Adjust(std::string_view chunk, std::string& out) {
        sorted_.clear();
        heap_.clear();
        FirstScan(reinterpret_cast<const unsigned char*>(chunk.data()), chunk.size());
        if (sorted_.empty()) {
            out.append(chunk);
            return;
        }
        StartChain(chunk);
        cursor_ = 0;
        for (;;) {
            const bool fromSorted = cursor_ < sorted_.size();
            if (!fromSorted && heap_.empty()) break;
            uint64_t next = fromSorted ? sorted_[cursor_] : heap_.front();
            if (fromSorted && !heap_.empty()) next = std::min(next, heap_.front());
            const auto item = static_cast<uint32_t>(next >> 32);
            positions_.clear();
            for (; cursor_ < sorted_.size() && sorted_[cursor_] >> 32 == item; ++cursor_)
                positions_.push_back(static_cast<uint32_t>(sorted_[cursor_]));
            // The records of the coming items are far apart in a large lib: fetch them a
            // few rounds ahead, and the probes of the next one.
            if (cursor_ + 16 < sorted_.size()) __builtin_prefetch(&t_.items[sorted_[cursor_ + 16] >> 32]);
            if (cursor_ + 4 < sorted_.size()) {
                const uint32_t probeStart = t_.items[sorted_[cursor_ + 4] >> 32].probeStart;
                if (probeStart != kNone) {
                    for (size_t at = probeStart; at < std::min<size_t>(probeStart + 12, t_.probes.size());
                         at += 4)
                        __builtin_prefetch(&t_.probes[at]);
                }
            }
            const size_t fromHeap = positions_.size();
            while (!heap_.empty() && heap_.front() >> 32 == item) {
                positions_.push_back(static_cast<uint32_t>(heap_.front()));
                std::pop_heap(heap_.begin(), heap_.end(), std::greater<>());
                heap_.pop_back();
            }
            // The first scan's addresses are in reading order already; later ones come
            // from anywhere in the chain.
            if (fromHeap < positions_.size()) {
                // Bytes that went keep stale labels: they leave first, so both parts are
                // in label order.
                size_t kept = 0, keptFromScan = 0;
                for (size_t i = 0; i < positions_.size(); ++i) {
                    if (i == fromHeap) keptFromScan = kept;
                    if (starts_[positions_[i]] == 1) positions_[kept++] = positions_[i];
                }
                positions_.resize(kept);
                const size_t fromHeapKept = keptFromScan;
                auto inReadingOrder = [&](uint32_t a, uint32_t b) {
                    const uint64_t la = Label(a), lb = Label(b);
                    return la != lb ? la < lb : a < b;
                };
                std::sort(positions_.begin() + fromHeapKept, positions_.end(), inReadingOrder);
                std::inplace_merge(positions_.begin(), positions_.begin() + fromHeapKept, positions_.end(),
                                   inReadingOrder);
            }
            ReplaceAll(item);
        }
        AppendChain(out);
    }

  private:
    // A changed place: the live byte before it (kNone at the start of the text) and the
    // count bytes that follow it there now (none when bytes only went).
    struct Edit {
        uint32_t before;
        uint32_t count;
    };
    struct Hit {
        uint32_t pos;
        uint32_t key;  // the first four bytes, then the first word of their group
    };

    static constexpr uint64_t kLastLabel = UINT64_MAX;

    // Marks the character starts and records every occurrence of every word. Positions
    // that may start a long word are gathered first and looked up in the prefix map
    // afterwards a few at a time ahead, so that its cache misses overlap.
    void FirstScan(const unsigned char* data, size_t size) {
        starts_.resize(size);
        hits_.resize(2048 + 1);
        shortFound_.clear();
        auto collectShort = [&](uint32_t word, size_t pos) {
            shortFound_.push_back(uint64_t{t_.words[word].firstItem} << 32 | pos);
        };
        sorted_.clear();
        auto collect = [&](uint32_t word, size_t at) {
            sorted_.push_back(uint64_t{t_.words[word].firstItem} << 32 | at);
        };
        // Blocks small enough that their positions stay in the first-level cache.
        constexpr size_t kBlock = 2048;
        const bool anyShort = t_.hasSingles || t_.hasShort;
        size_t pos = 0;
        while (pos + 4 <= size) {
            // Whether a position passes the filters is close to a coin toss in dense
            // text: every position is written and only the passing ones are kept,
            // without a branch.
            size_t count = 0;
            for (const size_t blockEnd = std::min(size - 3, pos + kBlock); pos < blockEnd;) {
                const size_t length = t_.CharLength(data, size, pos);
                starts_[pos] = 1;
                starts_[pos + 1] = length == 1;
                const uint32_t key4 = Load32(data + pos);
                hits_[count] = {static_cast<uint32_t>(pos), key4};
                count += TestBit(t_.quadBloom, BloomBit(key4));
                if (anyShort) t_.MatchShortWordsAt(data, size, pos, collectShort);
                pos += length;
            }
            // The prefix map look-ups go a few positions ahead of their use so that their
            // cache misses overlap.
            constexpr size_t kAhead = 8;
            for (size_t i = 0; i < count + 2 * kAhead; ++i) {
                if (i < count) t_.quads.Prefetch(hits_[i].key);
                if (i >= kAhead && i - kAhead < count) {
                    Hit& hit = hits_[i - kAhead];
                    hit.key = t_.quads.Find(hit.key);
                    if (hit.key != kNone) __builtin_prefetch(&t_.words[hit.key]);
                }
                if (i >= 2 * kAhead) {
                    const Hit& hit = hits_[i - 2 * kAhead];
                    if (hit.key != kNone) t_.MatchGroupAt(data, size, hit.pos, hit.key, 0, collect);
                }
            }
        }
        for (; pos < size;) {
            const size_t length = t_.CharLength(data, size, pos);
            starts_[pos] = 1;
            if (length == 2) starts_[pos + 1] = 0;
            t_.MatchShortAt(data, size, pos, 0, collectShort);
            pos += length;
        }
        // Both lists are in position order; the item order comes from a stable sort.
        if (!shortFound_.empty()) {
            radix_.resize(sorted_.size() + shortFound_.size());
            std::merge(
                sorted_.begin(), sorted_.end(), shortFound_.begin(), shortFound_.end(), radix_.begin(),
                [](uint64_t a, uint64_t b) { return static_cast<uint32_t>(a) < static_cast<uint32_t>(b); });
            sorted_.swap(radix_);
        }
        SortByItem();
    }

    // Least significant digit first, a byte of the item number at a time: stable, so
    // each item's positions stay ascending.
    void SortByItem() {
        const auto itemCount = static_cast<uint64_t>(t_.items.size());
        radix_.resize(sorted_.size());
        for (int shift = 32; shift < 64 && (itemCount >> (shift - 32)) > 0; shift += 8) {
            std::array<uint32_t, 257> counts{};
            for (uint64_t key : sorted_) ++counts[(key >> shift & 0xFF) + 1];
            for (int d = 0; d < 256; ++d) counts[d + 1] += counts[d];
            for (uint64_t key : sorted_) radix_[counts[key >> shift & 0xFF]++] = key;
            sorted_.swap(radix_);
        }
    }

    // --- the chain of addresses ------------------------------------------------------

    // The chunk as one run: addresses 0 .. size - 1, labels (address + 1) << labelShift_
    // until the first relabelling stores them.
    void StartChain(std::string_view chunk) {
        const size_t size = chunk.size();
        // Replacements usually add less than half again.
        const size_t room = size + size / 2 + 64;
        bytes_.reserve(room);
        bytes_.assign(chunk);
        starts_.reserve(room);
        nextJump_.reserve(room);
        prevJump_.reserve(room);
        nextJump_.assign(size, 0);
        prevJump_.assign(size, 0);
        jumpNext_.Reserve(room);
        jumpPrev_.Reserve(room);
        jumpNext_.Resize(size);
        jumpPrev_.Resize(size);
        addedLabel_.Resize(0);
        nextJump_[size - 1] = 1;
        jumpNext_[size - 1] = kNone;
        prevJump_[0] = 1;
        jumpPrev_[0] = kNone;
        originalSize_ = static_cast<uint32_t>(size);
        labelShift_ = LabelShiftFor(size);
        labelsStored_ = false;
        relinked_ = false;
        head_ = 0;
    }

    uint32_t Next(uint32_t a) const { return nextJump_[a] ? jumpNext_[a] : a + 1; }
    uint32_t Prev(uint32_t a) const { return prevJump_[a] ? jumpPrev_[a] : a - 1; }
    uint64_t Label(uint32_t a) const {
        if (a == kNone) return kLastLabel;
        if (a >= originalSize_) return addedLabel_[a - originalSize_];
        return labelsStored_ ? originalLabel_[a] : (uint64_t{a} + 1) << labelShift_;
    }
    // Makes b follow a; either may be kNone (start or end of the text).
    void Link(uint32_t a, uint32_t b) {
        if (a == kNone) {
            head_ = b;
        } else {
            nextJump_[a] = b != a + 1;
            jumpNext_[a] = b;
        }
        if (b != kNone) {
            prevJump_[b] = a != b - 1 || a == kNone;
            jumpPrev_[b] = a;
        }
    }
    // Labels as far apart as 62 bits allow for count bytes (and no further than the
    // tuning says): a gap then takes dozens of nested insertions before it is used up.
    int LabelShiftFor(size_t count) const {
        int bits = 0;
        while (bits < 62 && (uint64_t{1} << bits) <= count + 1) ++bits;
        return std::max(1, std::min(maxLabelShift_, 62 - bits));
    }
    // Labels the whole chain afresh, evenly spaced, keeping its order.
    void Relabel() {
        size_t count = 0;
        for (uint32_t a = head_; a != kNone; a = Next(a)) ++count;
        labelShift_ = LabelShiftFor(count);
        if (!labelsStored_) originalLabel_.Resize(originalSize_);
        labelsStored_ = true;
        uint64_t label = 0;
        for (uint32_t a = head_; a != kNone; a = Next(a)) {
            label += uint64_t{1} << labelShift_;
            (a < originalSize_ ? originalLabel_[a] : addedLabel_[a - originalSize_]) = label;
        }
    }
    // True when the length bytes from a are consecutive addresses of the chain.
    bool IsRun(uint32_t a, size_t length) const {
        if (a + length > bytes_.size()) return false;
        if (length < 2) return true;
        // Most words are short: their flags in one load.
        if (length <= 9 && a + 8 <= nextJump_.size())
            return (Load64(nextJump_.data() + a) & HeadMask(length - 1)) == 0;
        return std::memchr(nextJump_.data() + a, 1, length - 1) == nullptr;
    }
    // The address after the length bytes from a, which are a run.
    uint32_t AfterRun(uint32_t a, size_t length) const {
        const uint32_t last = a + static_cast<uint32_t>(length) - 1;
        return nextJump_[last] ? jumpNext_[last] : last + 1;
    }

    // The word of the item at address a, which starts a character.
    bool WordAt(uint32_t a, const Tables::Item& plan) {
        if (starts_[a] != 1) return false;  // a trail byte or a byte that went
        const size_t length = plan.length;
        if (IsRun(a, length))
            return t_.BytesAt(reinterpret_cast<const unsigned char*>(bytes_.data()), bytes_.size(), a,
                              plan.head, length, plan.word);
        const char* word = t_.wordBytes.data() + t_.wordOffsets[plan.word];
        for (size_t i = 0; i < length; ++i, a = Next(a))
            if (a == kNone || bytes_[a] != word[i]) return false;
        return true;
    }

    void ReplaceAll(uint32_t item) {
        const Tables::Item& plan = t_.items[item];
        const size_t length = plan.length;

        // Left to right, each search resuming after the previous occurrence.
        valid_.clear();
        selected_.clear();
        uint64_t lastEnd = 0;
        for (size_t i = 0; i < positions_.size(); ++i) {
            const uint32_t a = positions_[i];
            if ((i > 0 && a == positions_[i - 1]) || !WordAt(a, plan)) continue;
            valid_.push_back(a);
            if (Label(a) < lastEnd) continue;
            selected_.push_back(a);
            uint32_t end = a;
            if (IsRun(a, length)) {
                end = AfterRun(a, length);
            } else {
                for (size_t k = 0; k < length && end != kNone; ++k) end = Next(end);
            }
            lastEnd = Label(end);
        }
        if (selected_.empty()) return;

        const char* after = t_.afters.data() + plan.afterOffset;
        const size_t keepHead = plan.keepHead;
        const size_t oldMiddle = length - keepHead - plan.keepTail;
        const size_t newMiddle = plan.afterLength - keepHead - plan.keepTail;
        const char* middle = after + keepHead;
        // The character starts of the new middle, which starts and ends on character
        // boundaries of the word after adjustment.
        middleStarts_.assign(newMiddle, 0);
        for (size_t i = 0; i < newMiddle;) {
            middleStarts_[i] = 1;
            i += t_.CharLength(reinterpret_cast<const unsigned char*>(middle), newMiddle, i);
        }
        edits_.clear();
        for (const uint32_t a : selected_) {
            // The addresses of the occurrence: counted on from a in a run, else listed.
            const bool run = IsRun(a, length);
            if (!run) {
                occurrence_.clear();
                for (uint32_t at = a; occurrence_.size() < length; at = Next(at)) occurrence_.push_back(at);
            }
            auto address = [&](size_t k) { return run ? a + static_cast<uint32_t>(k) : occurrence_[k]; };
            const uint32_t before = keepHead > 0 ? address(keepHead - 1) : Prev(a);
            if (oldMiddle == newMiddle) {
                if (run) {
                    std::memcpy(bytes_.data() + a + keepHead, middle, newMiddle);
                    std::memcpy(starts_.data() + a + keepHead, middleStarts_.data(), newMiddle);
                } else {
                    for (size_t i = 0; i < newMiddle; ++i) {
                        const uint32_t at = address(keepHead + i);
                        bytes_[at] = middle[i];
                        starts_[at] = middleStarts_[i];
                    }
                }
            } else {
                const uint32_t following = keepHead + oldMiddle < length ? address(keepHead + oldMiddle)
                                           : run                         ? AfterRun(a, length)
                                                                         : Next(address(length - 1));
                for (size_t i = 0; i < oldMiddle; ++i) starts_[address(keepHead + i)] = 2;
                relinked_ = true;
                if (newMiddle == 0) {
                    Link(before, following);
                } else {
                    const auto first = static_cast<uint32_t>(bytes_.size());
                    bytes_.append(middle, newMiddle);
                    starts_.insert(starts_.end(), middleStarts_.begin(), middleStarts_.end());
                    nextJump_.resize(bytes_.size(), 0);
                    prevJump_.resize(bytes_.size(), 0);
                    jumpNext_.Resize(bytes_.size());
                    jumpPrev_.Resize(bytes_.size());
                    addedLabel_.Resize(bytes_.size() - originalSize_);
                    const uint32_t last = first + static_cast<uint32_t>(newMiddle) - 1;
                    Link(before, first);
                    Link(last, following);
                    // The new bytes share the gap between their neighbours' labels.
                    const uint64_t low = before == kNone ? 0 : Label(before);
                    const uint64_t step = (Label(following) - low) / (newMiddle + 1);
                    if (step == 0) {
                        Relabel();
                    } else {
                        for (size_t i = 0; i < newMiddle; ++i)
                            addedLabel_[first - originalSize_ + i] = low + step * (i + 1);
                    }
                }
            }
            edits_.push_back({before, static_cast<uint32_t>(newMiddle)});
        }

        // The word may still be where it was, in bytes the replacement kept: its next
        // item will want it.
        if (plan.wordLater) {
            const uint32_t nextOfWord = t_.NextItemOf(plan.word, item);
            for (uint32_t a : valid_)
                if (WordAt(a, plan)) Push(uint64_t{nextOfWord} << 32 | a);
        }
        Rescan(item, plan);
    }

    void Push(uint64_t key) {
        heap_.push_back(key);
        std::push_heap(heap_.begin(), heap_.end(), std::greater<>());
    }

    // Copies the text round a change into window_ (addresses in windowAddresses_): from a
    // character start at least back bytes before it, through the count changed bytes, to
    // ahead bytes after them or the end. Sets changeStart_ and changeEnd_ to the window
    // indexes of the change.
    void Gather(const Edit& edit, size_t back, size_t ahead) {
        // Most changes sit inside one run of addresses: the window is then a piece of
        // bytes_ itself.
        if (edit.before != kNone && !nextJump_[edit.before] && edit.before + 1 >= back) {
            size_t low = edit.before + 1 - back;
            const size_t high = size_t{edit.before} + 1 + edit.count + ahead;
            // Linked both ways throughout: then no byte of it has gone either.
            if (high <= bytes_.size() && high - low > 1 &&
                std::memchr(nextJump_.data() + low, 1, high - 1 - low) == nullptr &&
                std::memchr(prevJump_.data() + low + 1, 1, high - 1 - low) == nullptr) {
                while (starts_[low] != 1 && !prevJump_[low]) --low;
                if (starts_[low] == 1) {
                    windowBase_ = static_cast<uint32_t>(low);
                    windowData_ = reinterpret_cast<const unsigned char*>(bytes_.data()) + low;
                    windowSize_ = high - low;
                    changeStart_ = edit.before + 1 - low;
                    changeEnd_ = changeStart_ + edit.count;
                    return;
                }
            }
        }
        window_.clear();
        windowAddresses_.clear();
        for (uint32_t a = edit.before; a != kNone && back > 0; a = Prev(a)) {
            windowAddresses_.push_back(a);
            if (windowAddresses_.size() >= back && starts_[a] == 1) break;
        }
        std::reverse(windowAddresses_.begin(), windowAddresses_.end());
        changeStart_ = windowAddresses_.size();
        changeEnd_ = changeStart_ + edit.count;
        const size_t end = changeEnd_ + ahead;
        for (uint32_t a = edit.before == kNone ? head_ : Next(edit.before);
             a != kNone && windowAddresses_.size() < end; a = Next(a))
            windowAddresses_.push_back(a);
        for (uint32_t a : windowAddresses_) window_.push_back(static_cast<unsigned char>(bytes_[a]));
        windowBase_ = kNone;
        windowData_ = window_.data();
        windowSize_ = window_.size();
    }
    // The address of a byte of the window.
    uint32_t WindowAddress(size_t at) const {
        return windowBase_ != kNone ? windowBase_ + static_cast<uint32_t>(at) : windowAddresses_[at];
    }

    // Finds the occurrences that take in bytes the item changed, or that span a place
    // where it removed bytes, and queues them for the next item of their word.
    void Rescan(uint32_t item, const Tables::Item& plan) {
        auto push = [&](uint32_t word, size_t at) {
            const uint32_t next = t_.NextItemOf(word, item);
            if (next != kNone) Push(uint64_t{next} << 32 | WindowAddress(at));
        };
        // Probes reach from their smallest delta to their furthest end; a search reaches a
        // word's length less one byte both ways.
        size_t back = t_.maxLength - 1, ahead = t_.maxLength - 1;
        if (plan.probeStart != kNone) {
            int64_t lowest = 0, furthest = 0;
            for (const Tables::Probe* probe = t_.probes.data() + plan.probeStart; probe->word != kNone;
                 ++probe) {
                lowest = std::min<int64_t>(lowest, probe->delta);
                furthest = std::max<int64_t>(furthest, int64_t{probe->delta} + probe->length);
            }
            if (furthest == 0) return;  // no later word holds a changed character
            back = static_cast<size_t>(-lowest);
            ahead = static_cast<size_t>(furthest);  // from the start of the change
        }
        for (const Edit& e : edits_) {
            // Nothing can span the start of the text.
            if (e.count == 0 && e.before == kNone) continue;
            const bool probing = plan.probeStart != kNone;
            Gather(e, back, !probing ? ahead : ahead > e.count ? ahead - e.count : 0);
            const auto* data = windowData_;
            const size_t size = windowSize_;
            if (plan.probeStart != kNone) {
                for (const Tables::Probe* probe = t_.probes.data() + plan.probeStart; probe->word != kNone;
                     ++probe) {
                    const int64_t pos = static_cast<int64_t>(changeStart_) + probe->delta;
                    if (pos < 0 || pos >= static_cast<int64_t>(size) ||
                        starts_[WindowAddress(static_cast<size_t>(pos))] != 1 ||
                        !t_.BytesAt(data, size, static_cast<size_t>(pos), probe->head, probe->length,
                                    probe->word))
                        continue;
                    push(probe->word, static_cast<size_t>(pos));
                }
            } else {
                t_.Scan(data, size, 0, changeEnd_, changeStart_, push);
            }
        }
    }

    // The chain in reading order.
    void AppendChain(std::string& out) const {
        if (!relinked_) {
            out.append(bytes_, 0, originalSize_);
            return;
        }
        for (uint32_t a = head_; a != kNone;) {
            // A run ends at the first address whose successor is not the next address.
            const void* stop = std::memchr(nextJump_.data() + a, 1, nextJump_.size() - a);
            const uint32_t last =
                stop ? static_cast<uint32_t>(static_cast<const uint8_t*>(stop) - nextJump_.data()) : a;
            out.append(bytes_, a, last - a + 1);
            a = jumpNext_[last];
        }
    }

    const Tables& t_;
    const int maxLabelShift_;
    int labelShift_ = 1;
    std::vector<unsigned char> starts_;  // by address: 1 starts a character, 0 a trail byte, 2 gone
    std::vector<Hit> hits_;
    std::vector<uint64_t> shortFound_;
    std::vector<uint64_t> radix_;
    std::vector<uint64_t> sorted_;
    size_t cursor_ = 0;
    std::vector<uint64_t> heap_;  // smallest key first
    std::vector<uint32_t> positions_;
    std::vector<uint32_t> valid_;
    std::vector<uint32_t> selected_;
    std::vector<uint32_t> occurrence_;
    std::vector<unsigned char> middleStarts_;
    std::vector<Edit> edits_;
    // The chain: bytes by address, and where the next or previous byte is not the
    // neighbouring address, a flag and the address it is (kNone at the ends).
    std::string bytes_;
    std::vector<uint8_t> nextJump_;
    std::vector<uint8_t> prevJump_;
    RawArray<uint32_t> jumpNext_;
    RawArray<uint32_t> jumpPrev_;
    RawArray<uint64_t> addedLabel_;     // by address less originalSize_
    RawArray<uint64_t> originalLabel_;  // once the chain has been labelled afresh
    uint32_t originalSize_ = 0;
    bool labelsStored_ = false;
    bool relinked_ = false;
    uint32_t head_ = 0;
    std::vector<unsigned char> window_;
    std::vector<uint32_t> windowAddresses_;
    uint32_t windowBase_ = kNone;  // the first address when the window is a run, else kNone
    const unsigned char* windowData_ = nullptr;
    size_t windowSize_ = 0;
    size_t changeStart_ = 0;
    size_t changeEnd_ = 0;
};

// The end of the chunk that starts at from, a character start: right after the first
// character in no word that ends at or beyond the chunk size, or the end of the text.
size_t ChunkEnd(const Tables& tables, std::string_view text, size_t from, size_t chunkTarget) {
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    const size_t target = from + std::max<size_t>(chunkTarget, 1);
    // Line ends and blanks usually come soon, and need no walk from the chunk start.
    for (size_t pos = target - 1; pos < text.size() && pos < target + 4096; ++pos)
        if (tables.EndsCharInNoWord(data[pos])) return pos + 1;
    for (size_t pos = from, length; pos < text.size(); pos += length) {
        length = tables.CharLength(data, text.size(), pos);
        if (pos + length >= target && !tables.IsInWords(data + pos, length)) return pos + length;
    }
    return text.size();
}

}  // namespace

void AdjustWords(const WordAdjustmentLibList& libs, int codePage, std::string& text,
                 const WordAdjustmentItemCallback& onItem, const WordAdjustmentTuning& tuning) {
    WordAdjustmentIndex index(libs, codePage);
    AdjustWords(index, text, onItem, tuning);
}

void AdjustWords(const WordAdjustmentIndex& index, std::string& text,
                 const WordAdjustmentItemCallback& onItem, const WordAdjustmentTuning& tuning) {
    const Tables& tables = index.tables();
    const long itemCount = index.itemCount();
    long reported = 0;
    // Chunks take the items one after another on their own; the item count reported is
    // the share of the text done, so the callbacks still come one per item, in order.
    auto reportUpTo = [&](long items) {
        for (; onItem && reported < items; ++reported) onItem(reported + 1);
    };
    if (!tables.words.empty() && !text.empty()) {
        Adjuster adjuster(tables, tuning.labelSpacingBits);
        std::string out;
        out.reserve(text.size() + text.size() / 8);
        for (size_t from = 0; from < text.size();) {
            const size_t end = ChunkEnd(tables, text, from, tuning.chunkTarget);
            adjuster.Adjust(std::string_view(text).substr(from, end - from), out);
            from = end;
            reportUpTo(static_cast<long>(static_cast<long double>(itemCount) * from / text.size()));
        }
        text = std::move(out);
    }
    reportUpTo(itemCount);
}

}  // namespace zelvo
