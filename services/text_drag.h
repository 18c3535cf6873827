// Where text dragged with the mouse in an edit control starts and lands, worked out on
// positions in a text. A position counts one unit per character of the control or per
// byte of a code page: any unit works as long as one is used throughout.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zelvo {

// A press inside the selection becomes a drag once the mouse leaves the square of this
// side centred on the press point; released inside it, the press was a click.
constexpr int kDragSquareSide = 10;
// dx, dy: how far the mouse is from the press point.
bool LeftDragSquare(int dx, int dy);

// The character under the mouse is part of the selection [start, end) (in either order):
// a press there drags. An empty selection has no inside.
bool IsOverSelection(long character, long start, long end);

// A drop between two characters at `position` lies inside the selection when it is
// strictly between its ends: text dropped there would land inside itself.
bool IsInsideSelection(long position, long start, long end);

// What the user asked for with the keys held and what the drag allows: copy while Ctrl is
// held, else move; the other one when the drag allows only that.
enum class DropAction { kNone, kCopy, kMove };
DropAction ChooseDropAction(bool controlHeld, bool copyAllowed, bool moveAllowed);

// Moving the selection [start, end) of a text to `dropAt`, between two characters of the
// same text as it is before the move. The move is one replacement: the span from the
// first to the last position involved is replaced by itself with its two parts swapped
// (the moved text and the text it jumps over), so a single Undo brings the old text back.
// The result is the text with the selection removed and inserted where the drop point
// lands once the removed length is taken off a point after the selection.
struct TextMove {
    bool changes = false;  // false: the drop lies inside the selection or at one of its ends
    long spanStart = 0;
    long spanEnd = 0;
    long split = 0;       // the span's parts are [spanStart, split) and [split, spanEnd)
    long movedStart = 0;  // where the moved text lies afterwards
    long movedEnd = 0;
};
TextMove PlanTextMove(long start, long end, long dropAt);

// The span's text after the move: the part after `split` (counted from the span's start)
// first, then the part before it. A split past the end takes the whole span.
std::string SwapAtSplit(std::string_view span, size_t split);

// EM_CHARFROMPOS of a multi-line edit control answers in 16 bits: the character index and
// the line number come back modulo 65536. The true value is the smallest one at or after
// `atLeast` (the first visible line, the start of the line) that ends in those 16 bits.
long UnwrapSixteenBits(unsigned lowBits, long atLeast);

// Which way a control scrolls while a drag hovers near its edge: -1 within `inset` of the
// low edge, 1 within `inset` of the high edge, else 0. `position` and the edges lie on one
// axis; a control too small for both insets scrolls towards the nearer edge.
int EdgeScrollStep(int position, int low, int high, int inset);

}  // namespace zelvo
