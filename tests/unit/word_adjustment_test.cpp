#include "convert/word_adjustment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "services/multibyte.h"
#include "tests/support/replace_all_reference.h"

namespace zelvo {
namespace {

// The literal form of the pass: one replace-all per item over the whole text.
using testing_support::ReplaceAllPerItem;

std::unique_ptr<WordAdjustmentLib> MakeLib(std::vector<std::pair<std::string, std::string>> items,
                                           bool apply = true) {
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->apply = apply;
    for (auto& [before, after] : items) {
        lib->wordsBefore.push_back(before);
        lib->wordsAfter.push_back(after);
    }
    return lib;
}

std::string Adjust(const WordAdjustmentLibList& libs, int codePage, std::string text,
                   WordAdjustmentTuning tuning = {}) {
    AdjustWords(libs, codePage, text, {}, tuning);
    return text;
}

TEST(WordAdjustment, EarlierItemsChangeWhatLaterItemsSee) {
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib({{"AB", "X"}, {"ABC", "Y"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "ABC"), "XC");

    // Inserted text is searched by later items and later libs, never by the same item.
    libs.clear();
    libs.push_back(MakeLib({{"AA", "AAAA"}, {"AAB", "Z"}}));
    libs.push_back(MakeLib({{"AZ", "Q"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "AAB"), "AQ");    // AAB, AAAAB, AAZ, AQ
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "AAAB"), "AAQ");  // AAAB, AAAAAB, AAAZ, AAQ

    // Non-overlapping, left to right: AAA holds one AA.
    libs.clear();
    libs.push_back(MakeLib({{"AA", "x"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "AAAAA"), "xxA");

    // Libs that are not applied do nothing; empty replacements delete.
    libs.clear();
    libs.push_back(MakeLib({{"AB", "X"}}, false));
    libs.push_back(MakeLib({{"B", ""}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "ABAB"), "AA");
}

// Deleting words, at the end of the text above all, leaves later items nothing to read
// past the text's end.
TEST(WordAdjustment, DeletionsAtTheEndOfTheText) {
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib({{"a", ""}}));
    EXPECT_EQ(Adjust(libs, 1252, "xa"), "x");
    EXPECT_EQ(Adjust(libs, 1252, "aaa"), "");
    EXPECT_EQ(Adjust(libs, 1252, "a"), "");

    // Big5 控制台 (B1B1 A8EE A578) deleted by a lib holding that one item.
    libs.clear();
    libs.push_back(MakeLib({{"\xB1\xB1\xA8\xEE\xA5\x78", ""}}));
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "\xB1\xB1\xA8\xEE\xA5\x78"), "");
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "a\xB1\xB1\xA8\xEE\xA5\x78"), "a");

    // Big5 乙一 (A441 A440) deleted by the base lib; a later lib's item for 一 finds nothing.
    libs.clear();
    libs.push_back(MakeLib({{"\xA4\x41\xA4\x40", ""}}));
    libs.push_back(MakeLib({{"\xA4\x40", "Aa"}}));
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "\xA4\x41\xA4\x40"), "");
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "\xA4\x41\xA4\x40\xA4\x40"), "Aa");
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "\xA4\x40\xA4\x41\xA4\x40"), "Aa");

    // A deletion that leaves a word behind for the next item, at the very end.
    libs.clear();
    libs.push_back(MakeLib({{"bc", ""}, {"ab", "Z"}}));
    EXPECT_EQ(Adjust(libs, 1252, "abc"), "a");
    EXPECT_EQ(Adjust(libs, 1252, "abbc"), "Z");
}

// Each item puts a letter before the b that the one before it put its letter before, so
// the gap between two neighbours is split again and again at one place until the chunk is
// labelled afresh; later items must still see the text in reading order.
TEST(WordAdjustment, ManyInsertionsAtOnePlaceKeepTheTextInOrder) {
    const std::string letters = "acdefghijklmnopqrstuvwxyz";
    std::vector<std::pair<std::string, std::string>> items;
    for (size_t k = 0; k + 1 < letters.size(); ++k)
        items.push_back({{letters[k], 'b'}, {letters[k], letters[k + 1], 'b'}});
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib(items));
    // Whole words also find each other across the inserted letters afterwards.
    libs.push_back(MakeLib({{"yzb ", "!"}, {"b a", "-"}}));
    for (int spacing : {20, 3, 1}) {
        WordAdjustmentTuning tuning;
        tuning.labelSpacingBits = spacing;
        EXPECT_EQ(Adjust(libs, 1252, "ab", tuning), "acdefghijklmnopqrstuvwxyzb") << spacing;
        EXPECT_EQ(Adjust(libs, 1252, "ab ab xb", tuning),
                  "acdefghijklmnopqrstuvwx!acdefghijklmnopqrstuvwx!xyzb")
            << spacing;
    }
}

// Found by the lib fuzzer: libs that double the text item after item, so that every gap
// between two neighbours is split again and again. The result stays that of the
// replace-alls (the fuzzer's dense labels made this take minutes; labels far apart keep
// the relabelling rare).
TEST(WordAdjustment, LibsThatDoubleTheTextItemAfterItem) {
    WordAdjustmentLibList libs;
    for (int n = 0; n < 12; ++n) libs.push_back(MakeLib({{"A", "AA"}, {"AB", "BA"}}));
    for (const std::string text : {"AB", "xAxBA", "BBAAB"}) {
        const std::string expected = ReplaceAllPerItem(libs, 1252, text);
        ASSERT_GT(expected.size(), 4000u);
        EXPECT_EQ(Adjust(libs, 1252, text), expected) << text;
        WordAdjustmentTuning oneChunk;
        oneChunk.chunkTarget = 1 << 20;
        EXPECT_EQ(Adjust(libs, 1252, text, oneChunk), expected) << text;
    }
}

TEST(WordAdjustment, MatchesNeverStartOnATrailByte) {
    // 0xB0 'A' is one GBK character whose trail byte is 'A'.
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib({{"A", "x"}, {"\xA1\xB0", "!"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk,
                     "\xB0"
                     "AA"),
              "\xB0"
              "Ax");
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "\xB0\xA1\xB0\xA1"), "\xB0\xA1\xB0\xA1");
    // Byte-wise on a single-byte code page.
    EXPECT_EQ(Adjust(libs, 1252,
                     "\xB0"
                     "AA"),
              "\xB0xx");

    // A replacement that changes the character layout before a later match is judged
    // on the new text: after "C" becomes a double-byte character, "A" follows it.
    libs.clear();
    libs.push_back(MakeLib({{"C", "\xB0\xA1"}, {"A", "x"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk,
                     "CA\xB0"
                     "A"),
              "\xB0\xA1x\xB0"
              "A");
}

TEST(WordAdjustment, ItemsThatWouldCutCharactersAreLeftOut) {
    WordAdjustmentLibList libs;
    // A word ending in a lone lead byte would take half of the next character; a
    // replacement ending in one would glue itself to the following byte.
    libs.push_back(MakeLib({{"A\xB0", "x"}, {"B", "y\xB0"}, {"", "z"}, {"C", "w"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk,
                     "A\xB0\xA1"
                     "BC"),
              "A\xB0\xA1"
              "Bw");
    EXPECT_TRUE(
        IsWholeCharacterWord("\xB0"
                             "A",
                             kCodePageGbk));
    EXPECT_FALSE(IsWholeCharacterWord("\xB0\xA1\xB0", kCodePageGbk));
    EXPECT_TRUE(IsWholeCharacterWord("A\xB0", 1252));
}

TEST(WordAdjustment, KeptCharactersStayFindableForLaterItems) {
    WordAdjustmentLibList libs;
    // The first item changes only the first character: the occurrence it skipped for
    // overlapping is still whole afterwards, and a later item with the same word wants it.
    libs.push_back(MakeLib({{"ABA", "XBA"}, {"ABA", "Q"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "ABABA"), "XBQ");
    // Appending keeps the word itself in place.
    libs.clear();
    libs.push_back(MakeLib({{"AB", "ABC"}, {"AB", "Z"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "ABAB"), "ZCZC");
    // A removal in the middle joins two halves of a later word.
    libs.clear();
    libs.push_back(MakeLib({{"AxB", "AB"}, {"CABD", "!"}}));
    EXPECT_EQ(Adjust(libs, kCodePageGbk, "CAxBD"), "!");
}

TEST(WordAdjustment, LongWordsFoundFarBeforeTheChange) {
    // The second word starts 30 bytes before the character the first item changes, and
    // shares its first four bytes with shorter and longer words.
    const std::string stem = "\xB0\xA1\xB0\xA2";
    std::string longWord = stem;
    while (longWord.size() < 30) longWord += "\xB1\xA1";
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib({{"\xB2\xA1", "\xB3\xA1"}}));
    libs.push_back(MakeLib({{longWord + "\xB3\xA1", "L"}, {longWord + "\xB3\xA1\xB1\xA1", "M"}}));
    libs.push_back(MakeLib({{stem, "s"}, {stem + "\xB1\xA1", "t"}}));
    EXPECT_EQ(Adjust(libs, kCodePageBig5, longWord + "\xB2\xA1"), "L");
    EXPECT_EQ(Adjust(libs, kCodePageBig5, "A" + longWord + "\xB2\xA1\xB1\xA1"), "AL\xB1\xA1");
    EXPECT_EQ(Adjust(libs, kCodePageBig5, longWord + stem + "\xB1\xA1"),
              "s" + longWord.substr(4) + "s\xB1\xA1");
    libs[1]->apply = false;
    EXPECT_EQ(Adjust(libs, kCodePageBig5, longWord + "\xB2\xA1"), "s" + longWord.substr(4) + "\xB3\xA1");
}

// Many items over a few characters, with words of one to twenty characters sharing
// stems: long words, groups of words with the same first four bytes, characters held by
// so many words that the engine searches instead of probing, chains of replacements.
TEST(WordAdjustment, EqualsTheSequenceOfReplaceAllsWithManyLongWords) {
    const char* const kChars[] = {"\xB0\xA1",
                                  "\xB0\xA2",
                                  "\xB1\xA1",
                                  ("\xB1"
                                   "A"),
                                  "A",
                                  "B",
                                  "\xA1\xB0"};
    for (unsigned seed = 1; seed <= 12; ++seed) {
        std::mt19937 random(seed);
        auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
        auto word = [&](size_t minChars, size_t maxChars) {
            std::string w;
            for (size_t n = minChars + pick(maxChars - minChars + 1); n > 0; --n)
                w += kChars[pick(std::size(kChars))];
            return w;
        };
        std::vector<std::string> stems;
        for (int i = 0; i < 6; ++i) stems.push_back(word(1, 3));
        WordAdjustmentLibList libs;
        std::vector<std::string> befores;
        for (int l = 0; l < 3; ++l) {
            std::vector<std::pair<std::string, std::string>> items;
            for (int i = 0, n = 20 + static_cast<int>(pick(120)); i < n; ++i) {
                std::string before = stems[pick(stems.size())] + word(0, pick(4) == 0 ? 17 : 3);
                std::string after = pick(3) == 0 ? before : word(0, 4);
                if (!after.empty() && pick(2) == 0) after = before.substr(0, before.size() / 2) + after;
                if (pick(2) == 0 && before.size() >= 2) after += before.substr(before.size() - 2);
                items.emplace_back(before, after);
                befores.push_back(before);
            }
            std::stable_sort(items.begin(), items.end(),
                             [](const auto& a, const auto& b) { return CompareText(a.first, b.first) < 0; });
            libs.push_back(MakeLib(items));
        }
        for (int t = 0; t < 3; ++t) {
            std::string text;
            while (text.size() < 1200) text += pick(2) == 0 ? befores[pick(befores.size())] : word(1, 3);
            const std::string expected = ReplaceAllPerItem(libs, kCodePageBig5, text);
            ASSERT_EQ(Adjust(libs, kCodePageBig5, text), expected) << "seed " << seed << " text " << t;
        }
    }
}

TEST(WordAdjustment, TheIndexCacheFollowsChangesOfTheList) {
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib({{"A", "B"}}));
    libs.push_back(MakeLib({{"B", "C"}}, false));
    WordAdjustmentIndexCache cache;
    auto adjust = [&](uint64_t generation) {
        std::string text = "AB";
        AdjustWords(cache.Get(libs, kCodePageGbk, generation), text);
        return text;
    };
    const WordAdjustmentIndex* first = &cache.Get(libs, kCodePageGbk, 0);
    EXPECT_EQ(&cache.Get(libs, kCodePageGbk, 0), first);
    EXPECT_EQ(adjust(0), "BB");
    libs[1]->apply = true;
    EXPECT_EQ(adjust(0), "CC");
    libs[1]->wordsBefore.push_back("C");
    libs[1]->wordsAfter.push_back("D");
    EXPECT_EQ(adjust(0), "DD");
    // An item changed in place is seen once the generation moves on.
    libs[0]->wordsAfter[0] = "E";
    EXPECT_EQ(adjust(1), "ED");
    libs.pop_back();
    EXPECT_EQ(adjust(1), "EB");
    EXPECT_EQ(cache.Get(libs, kCodePageBig5, 1).codePage(), kCodePageBig5);
}

TEST(WordAdjustment, ReportsEveryItemInOrder) {
    WordAdjustmentLibList libs;
    libs.push_back(MakeLib({{"A", "B"}, {"", "x"}}));
    libs.push_back(MakeLib({{"Q", "R"}}, false));
    libs.push_back(MakeLib({{"B", "C"}, {"D", "E"}, {"F", "G"}}));
    std::vector<long> seen;
    std::string text = "A";
    AdjustWords(libs, kCodePageGbk, text, [&](long done) { seen.push_back(done); });
    EXPECT_EQ(text, "C");
    EXPECT_EQ(seen, (std::vector<long>{1, 2, 3, 4, 5}));
}

// Random libs and texts over a small alphabet so that matches are frequent: prefixes,
// overlaps, replacements that create or destroy later matches, empty replacements,
// duplicated words, libs that are not applied, lone lead bytes in text and words.
class RandomCase {
  public:
    explicit RandomCase(unsigned seed) : random_(seed) {}

    std::string Token() {
        // Line feeds and blanks can separate chunks unless some word holds them.
        static const char* const kTokens[] = {"A",
                                              "B",
                                              "C",
                                              "\xB0\xA1",
                                              "\xB0"
                                              "A",
                                              "\xA1\xB0",
                                              "\x81"
                                              "B",
                                              "\xB0",
                                              "\n",
                                              " "};
        return kTokens[Pick(Pick(4) == 0 ? 10 : 8)];
    }
    std::string Word(int minTokens, int maxTokens) {
        std::string word;
        for (int n = minTokens + Pick(maxTokens - minTokens + 1); n > 0; --n) word += Token();
        return word;
    }
    WordAdjustmentLibList Libs() {
        WordAdjustmentLibList libs;
        std::vector<std::string> pool;
        for (int n = 1 + Pick(4); n > 0; --n) {
            std::vector<std::pair<std::string, std::string>> items;
            for (int m = Pick(12); m > 0; --m) {
                std::string before = !pool.empty() && Pick(5) == 0 ? pool[Pick(pool.size())] : Word(1, 3);
                pool.push_back(before);
                items.emplace_back(before, Pick(6) == 0 ? "" : Word(1, 3));
            }
            if (Pick(4) != 0) {
                std::stable_sort(items.begin(), items.end(), [](const auto& a, const auto& b) {
                    return CompareText(a.first, b.first) < 0;
                });
            }
            libs.push_back(MakeLib(items, Pick(5) != 0));
        }
        return libs;
    }
    std::string Text(int maxTokens) { return Word(0, maxTokens); }
    int Pick(size_t n) { return static_cast<int>(random_() % n); }

  private:
    std::mt19937 random_;
};

TEST(WordAdjustment, EqualsTheSequenceOfReplaceAllsOnRandomLibs) {
    for (int codePage : {kCodePageGbk, kCodePageBig5, 1252}) {
        for (unsigned seed = 1; seed <= 400; ++seed) {
            RandomCase random(seed * 7919 + codePage);
            WordAdjustmentLibList libs = random.Libs();
            for (int t = 0; t < 4; ++t) {
                std::string text = random.Text(60);
                std::string expected = ReplaceAllPerItem(libs, codePage, text);
                ASSERT_EQ(Adjust(libs, codePage, text), expected)
                    << "code page " << codePage << " seed " << seed << " text " << t;
                // Chunks of one to a few bytes: every separator ends a chunk. Labels two
                // apart: nearly every insertion labels the chunk afresh.
                WordAdjustmentTuning tiny;
                tiny.chunkTarget = 1 + 5 * t;
                ASSERT_EQ(Adjust(libs, codePage, text, tiny), expected)
                    << "code page " << codePage << " seed " << seed << " text " << t << " tiny chunks";
                WordAdjustmentTuning dense;
                dense.labelSpacingBits = 1;
                ASSERT_EQ(Adjust(libs, codePage, text, dense), expected)
                    << "code page " << codePage << " seed " << seed << " text " << t << " dense labels";
            }
        }
    }
}

TEST(WordAdjustment, EqualsTheSequenceOfReplaceAllsOnLongTexts) {
    // Long texts cross many of the engine's internal pieces; growing replacements make
    // pieces split, shrinking ones leave them short or empty.
    for (unsigned seed = 1; seed <= 20; ++seed) {
        RandomCase random(seed);
        WordAdjustmentLibList libs = random.Libs();
        libs.push_back(MakeLib({{"A", "AAAAAAAA"}, {"B", ""}, {"C", random.Word(20, 40)}}));
        libs.push_back(std::move(random.Libs().front()));
        libs.back()->apply = true;
        std::string text = random.Text(1500);
        std::string expected = ReplaceAllPerItem(libs, kCodePageGbk, text);
        ASSERT_EQ(Adjust(libs, kCodePageGbk, text), expected) << "seed " << seed;
        WordAdjustmentTuning oneChunk;
        oneChunk.chunkTarget = text.size() + 1;
        ASSERT_EQ(Adjust(libs, kCodePageGbk, text, oneChunk), expected) << "seed " << seed << " one chunk";
        oneChunk.labelSpacingBits = 2;
        ASSERT_EQ(Adjust(libs, kCodePageGbk, text, oneChunk), expected) << "seed " << seed << " dense labels";
    }
}

}  // namespace
}  // namespace zelvo
