#include "convert/word_adjustment.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "services/multibyte.h"

namespace zelvo {
namespace {

// The literal form of the pass: one replace-all per item over the whole text.
std::string NaiveAdjust(const WordAdjustmentLibList& libs, int codePage, std::string text) {
    for (const auto& lib : libs) {
        if (!lib->apply) continue;
        for (size_t i = 0; i < lib->wordsBefore.size(); ++i) {
            const std::string& before = lib->wordsBefore[i];
            const std::string& after = lib->wordsAfter[i];
            if (before.empty() || !IsWholeCharacterWord(before, codePage) ||
                !IsWholeCharacterWord(after, codePage))
                continue;
            std::string out;
            size_t pos = 0;
            for (size_t found; (found = FindText(text, before, pos, codePage)) != std::string::npos;) {
                out.append(text, pos, found - pos);
                out += after;
                pos = found + before.size();
            }
            out.append(text, pos);
            text = std::move(out);
        }
    }
    return text;
}

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
                std::string expected = NaiveAdjust(libs, codePage, text);
                ASSERT_EQ(Adjust(libs, codePage, text), expected)
                    << "code page " << codePage << " seed " << seed << " text " << t;
                // Chunks of one to a few bytes: every separator ends a chunk.
                WordAdjustmentTuning tiny;
                tiny.chunkTarget = 1 + 5 * t;
                ASSERT_EQ(Adjust(libs, codePage, text, tiny), expected)
                    << "code page " << codePage << " seed " << seed << " text " << t << " tiny chunks";
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
        std::string expected = NaiveAdjust(libs, kCodePageGbk, text);
        ASSERT_EQ(Adjust(libs, kCodePageGbk, text), expected) << "seed " << seed;
        WordAdjustmentTuning oneChunk;
        oneChunk.chunkTarget = text.size() + 1;
        ASSERT_EQ(Adjust(libs, kCodePageGbk, text, oneChunk), expected) << "seed " << seed << " one chunk";
    }
}

}  // namespace
}  // namespace zelvo
