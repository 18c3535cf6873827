#include "convert/pipeline.h"

#include <gtest/gtest.h>

#include <numeric>

namespace zelvo {
namespace {

class RecordingSink : public ProgressSink {
  public:
    void Begin(long total) override { events.push_back("begin " + std::to_string(total)); }
    void Position(long done) override { events.push_back(std::to_string(done)); }
    void End() override { events.push_back("end"); }
    std::vector<std::string> events;
};

std::vector<size_t> PieceLengths(std::string_view source) {
    std::vector<size_t> lengths;
    for (std::string_view piece : CutIntoPieces(source)) lengths.push_back(piece.size());
    return lengths;
}

// n bytes of 'a' with a line feed at every multiple of every (from every on).
std::string Lines(size_t n, size_t every) {
    std::string text(n, 'a');
    for (size_t i = every; every && i < n; i += every) text[i] = '\n';
    return text;
}

TEST(PipelinePieces, ShortTextsAreOnePieceAndLineFeedsBeginTheNextPiece) {
    EXPECT_TRUE(CutIntoPieces("").empty());
    EXPECT_EQ(PieceLengths(Lines(499, 100)), (std::vector<size_t>{499}));

    std::string text = Lines(500, 0);
    text[200] = '\n';
    std::vector<std::string_view> pieces = CutIntoPieces(text);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(pieces[0], std::string_view(text).substr(0, 200));
    EXPECT_EQ(pieces[1], std::string_view(text).substr(200));

    // Without a line feed the search runs to the end.
    EXPECT_EQ(PieceLengths(Lines(1000, 0)), (std::vector<size_t>{1000}));
}

TEST(PipelinePieces, VeryLongTextsUseAThousandthOfTheirLengthAndAShorterTail) {
    // 159,800 bytes: step 160, tail 500, so a rest of 300 bytes stays one piece.
    std::string text = Lines(159800, 500);
    text[159700] = '\n';
    std::vector<size_t> lengths = PieceLengths(text);
    ASSERT_EQ(lengths.size(), 320u);
    EXPECT_EQ(lengths.front(), 500u);
    EXPECT_EQ(lengths.back(), 300u);

    // 160,300 bytes: step 160 still, but the tail is 240, so the rest is cut too.
    text = Lines(160300, 500);
    text[160200] = '\n';
    lengths = PieceLengths(text);
    ASSERT_EQ(lengths.size(), 322u);
    EXPECT_EQ(lengths[320], 200u);
    EXPECT_EQ(lengths[321], 100u);

    // A million bytes: step 1,000 takes every tenth line feed.
    lengths = PieceLengths(Lines(1000000, 100));
    EXPECT_EQ(lengths, std::vector<size_t>(1000, 1000));
}

// GBK text of one piece per line: lines of 600 bytes, each but the first starting with
// a line feed, then mostly 中文.
std::string GbkText(int lines) {
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += i == 0 ? "aa" : "\na";
        for (int j = 0; j < 149; ++j) text += "\xD6\xD0\xCE\xC4";
        text += "\xD6\xD0";
    }
    return text;
}

class PipelineTest : public ::testing::Test {
  protected:
    PipelineTest() {
        // G2B words are Big5: take them from the conversion itself.
        auto lib = std::make_unique<WordAdjustmentLib>();
        lib->apply = true;
        for (int i = 0; i < 12; ++i) {
            lib->wordsBefore.push_back(i == 0 ? TransferFromGbk("\xD6\xD0\xCE\xC4", kModeCross)
                                              : "unused" + std::to_string(i));
            lib->wordsAfter.push_back("X");
        }
        g2b.push_back(std::move(lib));
        context.g2bLibs = &g2b;
        context.b2gLibs = &b2g;
        context.g2bAppliedTotal = CountAppliedItems(g2b);
        context.control.transferState = &state;
        context.control.sleep = [this](int milliseconds) {
            sleeps.push_back(milliseconds);
            if (sleeps.size() == 3) state = kTransferRunning;
        };
    }

    WordAdjustmentLibList g2b, b2g;
    volatile int state = kTransferRunning;
    std::vector<int> sleeps;
    ConversionContext context;
    RecordingSink sink;
};

TEST_F(PipelineTest, ProgressMessagesFollowThePiecesThenEveryFifthItem) {
    std::string source = GbkText(2), result;
    ASSERT_EQ(CutIntoPieces(source).size(), 2u);
    EXPECT_TRUE(TransferGbkText(context, &sink, source, result, kModeSimplifiedToTraditional));
    EXPECT_EQ(sink.events, (std::vector<std::string>{"begin 40", "0", "20", "40", "end"}));

    // Mode 0: 2 * (20 + 13 / 10) units; the adjustment reports after items 5 and 10.
    sink.events.clear();
    EXPECT_TRUE(TransferGbkText(context, &sink, source, result, kModeCross));
    EXPECT_EQ(sink.events, (std::vector<std::string>{"begin 42", "0", "20", "41", "42", "42", "end"}));

    sink.events.clear();
    EXPECT_TRUE(TransferGbkText(context, &sink, "", result, kModeCross));
    EXPECT_TRUE(result.empty());
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(PipelineTest, OnlyModeZeroAdjustsWords) {
    std::string source = GbkText(3);
    std::string plain = TransferFromGbk(source, kModeCross);
    std::string adjusted, withoutSink, mode3, mode1;
    ASSERT_TRUE(TransferGbkText(context, &sink, source, adjusted, kModeCross));
    ASSERT_TRUE(TransferGbkText(context, nullptr, source, withoutSink, kModeCross));
    ASSERT_TRUE(TransferGbkText(context, &sink, source, mode3, kModeCrossPlain));
    ASSERT_TRUE(TransferGbkText(context, &sink, source, mode1, kModeSimplifiedToTraditional));
    EXPECT_EQ(mode3, plain);
    EXPECT_NE(adjusted, plain);
    EXPECT_EQ(adjusted.find(plain.substr(2, 4)), std::string::npos);  // every 中文 became X
    EXPECT_EQ(withoutSink, adjusted);
    EXPECT_EQ(mode1, TransferFromGbk(source, kModeSimplifiedToTraditional));

    // Big5 text takes the B2G list, whose words are GBK.
    auto lib = std::make_unique<WordAdjustmentLib>();
    lib->apply = true;
    lib->wordsBefore = {"\xD6\xD0"};
    lib->wordsAfter = {"Y"};
    b2g.push_back(std::move(lib));
    std::string back;
    ASSERT_TRUE(TransferBig5Text(context, nullptr, plain, back, kModeCross));
    EXPECT_EQ(back.substr(0, 5), "aaY\xCE\xC4");
}

TEST_F(PipelineTest, CancelKeepsTheConvertedPiecesWithoutWordAdjustment) {
    std::string source = GbkText(10);
    std::vector<std::string_view> pieces = CutIntoPieces(source);
    ASSERT_EQ(pieces.size(), 10u);
    int pumps = 0;
    context.control.pumpMessages = [&] {
        if (++pumps == 3) state = kTransferStopped;
    };
    std::string result;
    EXPECT_FALSE(TransferGbkText(context, &sink, source, result, kModeCross));
    EXPECT_TRUE(context.cancelled);
    std::string firstThree(pieces[0].data(), pieces[0].size() + pieces[1].size() + pieces[2].size());
    EXPECT_EQ(result, TransferFromGbk(firstThree, kModeCross));
    EXPECT_EQ(sink.events, (std::vector<std::string>{"begin 210", "0", "20", "end"}));

    // The next conversion starts afresh.
    state = kTransferRunning;
    context.control.pumpMessages = {};
    EXPECT_TRUE(TransferGbkText(context, nullptr, source, result, kModeCrossPlain));
    EXPECT_FALSE(context.cancelled);
}

TEST_F(PipelineTest, PauseWaitsInTwoHundredMillisecondSleepsThenGoesOn) {
    std::string source = GbkText(4);
    int pumps = 0;
    context.control.pumpMessages = [&] {
        if (++pumps == 2) state = kTransferPaused;
    };
    std::string result;
    EXPECT_TRUE(TransferGbkText(context, nullptr, source, result, kModeCrossPlain));
    EXPECT_EQ(sleeps, (std::vector<int>{200, 200, 200}));
    EXPECT_EQ(result, TransferFromGbk(source, kModeCross));
}

}  // namespace
}  // namespace zelvo
