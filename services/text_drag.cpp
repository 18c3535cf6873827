#include "services/text_drag.h"

#include <algorithm>
#include <cstdlib>

namespace zelvo {

bool LeftDragSquare(int dx, int dy) {
    constexpr int half = kDragSquareSide / 2;
    return std::abs(dx) > half || std::abs(dy) > half;
}

bool IsOverSelection(long character, long start, long end) {
    if (start > end) std::swap(start, end);
    return start <= character && character < end;
}

bool IsInsideSelection(long position, long start, long end) {
    if (start > end) std::swap(start, end);
    return start < position && position < end;
}

DropAction ChooseDropAction(bool controlHeld, bool copyAllowed, bool moveAllowed) {
    if (controlHeld && copyAllowed) return DropAction::kCopy;
    if (moveAllowed) return DropAction::kMove;
    if (copyAllowed) return DropAction::kCopy;
    return DropAction::kNone;
}

TextMove PlanTextMove(long start, long end, long dropAt) {
    if (start > end) std::swap(start, end);
    TextMove move;
    const long length = end - start;
    if (length == 0 || (start <= dropAt && dropAt <= end)) return move;
    move.changes = true;
    if (dropAt < start) {
        // The moved text jumps back over [dropAt, start).
        move.spanStart = dropAt;
        move.spanEnd = end;
        move.split = start;
        move.movedStart = dropAt;
    } else {
        // The moved text jumps forward over [end, dropAt).
        move.spanStart = start;
        move.spanEnd = dropAt;
        move.split = end;
        move.movedStart = dropAt - length;
    }
    move.movedEnd = move.movedStart + length;
    return move;
}

std::string SwapAtSplit(std::string_view span, size_t split) {
    split = std::min(split, span.size());
    std::string swapped(span.substr(split));
    swapped.append(span.substr(0, split));
    return swapped;
}

long UnwrapSixteenBits(unsigned lowBits, long atLeast) {
    atLeast = std::max(atLeast, 0L);
    const long ahead = (static_cast<long>(lowBits & 0xFFFFu) - (atLeast & 0xFFFF)) & 0xFFFF;
    return atLeast + ahead;
}

int EdgeScrollStep(int position, int low, int high, int inset) {
    const bool nearLow = position < low + inset;
    const bool nearHigh = position >= high - inset;
    if (nearLow && nearHigh) return position - low <= high - position ? -1 : 1;
    if (nearLow) return -1;
    if (nearHigh) return 1;
    return 0;
}

}  // namespace zelvo
