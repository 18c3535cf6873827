#include "services/text_drag.h"

#include <gtest/gtest.h>

#include <string>

namespace zelvo {
namespace {

// The text after a planned move, carried out as the edit area does it: one replacement of
// the span.
std::string Apply(const std::string& text, const TextMove& move) {
    if (!move.changes) return text;
    const auto spanStart = static_cast<size_t>(move.spanStart);
    const auto spanEnd = static_cast<size_t>(move.spanEnd);
    return text.substr(0, spanStart) +
           SwapAtSplit(std::string_view(text).substr(spanStart, spanEnd - spanStart),
                       static_cast<size_t>(move.split - move.spanStart)) +
           text.substr(spanEnd);
}

TEST(TextDrag, MovingForwardOrBackLandsWhereTheDropPointWasInTheOldText) {
    const std::string text = "ABCDEF";
    TextMove forward = PlanTextMove(1, 3, 5);  // "BC" dropped between E and F
    EXPECT_EQ(Apply(text, forward), "ADEBCF");
    EXPECT_EQ(forward.movedStart, 3);
    EXPECT_EQ(forward.movedEnd, 5);

    TextMove back = PlanTextMove(3, 5, 0);  // "DE" dropped at the start
    EXPECT_EQ(Apply(text, back), "DEABCF");
    EXPECT_EQ(back.movedStart, 0);
    EXPECT_EQ(back.movedEnd, 2);

    TextMove toEnd = PlanTextMove(0, 1, 6);
    EXPECT_EQ(Apply(text, toEnd), "BCDEFA");
    EXPECT_EQ(toEnd.movedStart, 5);
    EXPECT_EQ(toEnd.movedEnd, 6);
}

TEST(TextDrag, ADropInsideTheSelectionOrAtItsEndsChangesNothing) {
    for (long dropAt : {2L, 3L, 4L, 5L}) {
        SCOPED_TRACE(dropAt);
        EXPECT_FALSE(PlanTextMove(2, 5, dropAt).changes);
    }
    EXPECT_FALSE(PlanTextMove(3, 3, 0).changes);  // nothing selected, nothing to move
    EXPECT_TRUE(PlanTextMove(2, 5, 1).changes);
    EXPECT_TRUE(PlanTextMove(2, 5, 6).changes);
}

TEST(TextDrag, ASelectionMadeBackwardsMovesAsTheSameRange) {
    const std::string text = "ABCDEF";
    EXPECT_EQ(Apply(text, PlanTextMove(3, 1, 5)), "ADEBCF");
    EXPECT_FALSE(PlanTextMove(5, 2, 4).changes);
}

TEST(TextDrag, GbkBytesMoveAsWholeCharacters) {
    // "中文ab": the selection is the bytes of 中, dropped at the end of the text.
    const std::string text =
        "\xD6\xD0\xCE\xC4"
        "ab";
    EXPECT_EQ(Apply(text, PlanTextMove(0, 2, 6)),
              "\xCE\xC4"
              "ab"
              "\xD6\xD0");
    // "ab" dropped between the two characters.
    EXPECT_EQ(Apply(text, PlanTextMove(4, 6, 2)),
              "\xD6\xD0"
              "ab"
              "\xCE\xC4");
}

// The result of a move is defined as: remove the selection, take the removed length off a
// drop point after it, insert the text there. Every selection and drop point of a short
// text gives that result through the one-replacement plan, with the moved text where the
// plan says.
TEST(TextDrag, OneReplacementGivesTheSameTextAsDeleteThenInsert) {
    const std::string text = "0123456";
    const long size = static_cast<long>(text.size());
    for (long start = 0; start <= size; ++start) {
        for (long end = start; end <= size; ++end) {
            for (long dropAt = 0; dropAt <= size; ++dropAt) {
                SCOPED_TRACE(std::to_string(start) + "," + std::to_string(end) + "->" +
                             std::to_string(dropAt));
                const std::string moved =
                    text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
                std::string expected = text;
                if (!(start < dropAt && dropAt < end) && start != end) {
                    expected.erase(static_cast<size_t>(start), moved.size());
                    long at = dropAt >= end ? dropAt - (end - start) : dropAt;
                    expected.insert(static_cast<size_t>(at), moved);
                }
                TextMove move = PlanTextMove(start, end, dropAt);
                EXPECT_EQ(Apply(text, move), expected);
                if (move.changes) {
                    const std::string after = Apply(text, move);
                    EXPECT_EQ(after.substr(static_cast<size_t>(move.movedStart),
                                           static_cast<size_t>(move.movedEnd - move.movedStart)),
                              moved);
                }
            }
        }
    }
}

TEST(TextDrag, SwapAtSplitKeepsEveryByte) {
    EXPECT_EQ(SwapAtSplit("abc|de", 4), "deabc|");
    EXPECT_EQ(SwapAtSplit("abc", 0), "abc");
    EXPECT_EQ(SwapAtSplit("abc", 3), "abc");
    EXPECT_EQ(SwapAtSplit("abc", 9), "abc");
    EXPECT_EQ(SwapAtSplit("", 1), "");
}

TEST(TextDrag, PressAndDropPointsAgainstTheSelection) {
    // Over a character: the first selected one counts, the one after the selection does not.
    EXPECT_TRUE(IsOverSelection(2, 2, 5));
    EXPECT_TRUE(IsOverSelection(4, 2, 5));
    EXPECT_FALSE(IsOverSelection(5, 2, 5));
    EXPECT_FALSE(IsOverSelection(1, 2, 5));
    EXPECT_TRUE(IsOverSelection(4, 5, 2));
    EXPECT_FALSE(IsOverSelection(3, 3, 3));
    // Between characters: only strictly inside.
    EXPECT_FALSE(IsInsideSelection(2, 2, 5));
    EXPECT_TRUE(IsInsideSelection(3, 2, 5));
    EXPECT_FALSE(IsInsideSelection(5, 2, 5));
    EXPECT_TRUE(IsInsideSelection(3, 5, 2));
}

TEST(TextDrag, TheDragStartsOnlyOutsideTheTenPixelSquare) {
    EXPECT_FALSE(LeftDragSquare(0, 0));
    EXPECT_FALSE(LeftDragSquare(5, -5));
    EXPECT_FALSE(LeftDragSquare(-5, 5));
    EXPECT_TRUE(LeftDragSquare(6, 0));
    EXPECT_TRUE(LeftDragSquare(0, -6));
    EXPECT_TRUE(LeftDragSquare(-40, 2));
}

TEST(TextDrag, CtrlCopiesElseTheTextMoves) {
    EXPECT_EQ(ChooseDropAction(true, true, true), DropAction::kCopy);
    EXPECT_EQ(ChooseDropAction(false, true, true), DropAction::kMove);
    // A source that only lets its text be copied (or only moved) gets that.
    EXPECT_EQ(ChooseDropAction(false, true, false), DropAction::kCopy);
    EXPECT_EQ(ChooseDropAction(true, false, true), DropAction::kMove);
    EXPECT_EQ(ChooseDropAction(true, false, false), DropAction::kNone);
}

TEST(TextDrag, SixteenBitCharacterIndexesAreUnwrappedFromTheLineStart) {
    EXPECT_EQ(UnwrapSixteenBits(5, 0), 5);
    EXPECT_EQ(UnwrapSixteenBits(5, 3), 5);
    // Character 70,000 of a text comes back as 70,000 - 65,536 = 4,464.
    EXPECT_EQ(UnwrapSixteenBits(4464, 69990), 70000);
    EXPECT_EQ(UnwrapSixteenBits(4464, 70000), 70000);
    // Line 65,539 on a screen whose first line is 65,530.
    EXPECT_EQ(UnwrapSixteenBits(3, 65530), 65539);
    EXPECT_EQ(UnwrapSixteenBits(0x1FFFF, 0), 0xFFFF);  // only the low 16 bits count
    EXPECT_EQ(UnwrapSixteenBits(7, -4), 7);
}

TEST(TextDrag, TheControlScrollsOnlyNearItsEdges) {
    // A control from 0 to 200 with an inset of 11.
    EXPECT_EQ(EdgeScrollStep(0, 0, 200, 11), -1);
    EXPECT_EQ(EdgeScrollStep(10, 0, 200, 11), -1);
    EXPECT_EQ(EdgeScrollStep(11, 0, 200, 11), 0);
    EXPECT_EQ(EdgeScrollStep(188, 0, 200, 11), 0);
    EXPECT_EQ(EdgeScrollStep(189, 0, 200, 11), 1);
    // Smaller than both insets: towards the nearer edge.
    EXPECT_EQ(EdgeScrollStep(3, 0, 16, 11), -1);
    EXPECT_EQ(EdgeScrollStep(13, 0, 16, 11), 1);
}

}  // namespace
}  // namespace zelvo
