// What the program's message box shows and returns, worked out from the style bits and
// texts before any window exists: the button row, the icon, the height that follows the
// length of the message, long-text handling and the details pane. The Win32 dialog only
// carries these decisions out.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "services/help.h"
#include "services/message_service.h"

namespace zelvo {

// One push button of the row; slots are numbered 1, 2, 3 from left to right.
struct MessageBoxSlot {
    bool visible = false;
    int textId = 0;  // UI string of its label
    int result = 0;  // what a click returns
};

struct MessageBoxButtons {
    std::array<MessageBoxSlot, 3> slots;
    int defaultSlot = 3;   // 1..3: the button Enter clicks
    int escapeResult = 0;  // what Escape and the close box return; 0: they do nothing
    bool closeItemEnabled = true;

    const MessageBoxSlot& Slot(int slot) const { return slots[static_cast<size_t>(slot - 1)]; }
    int DefaultResult() const { return Slot(defaultSlot).result; }
};

// The button row of a style (bits 0-3 the set, bits 8-11 the default button). Sets above 5
// are laid out as set 0.
MessageBoxButtons ButtonsForStyle(unsigned style);

enum class MessageBoxIcon { kNone, kHand, kQuestion, kInformation, kExclamation };
// Bits 4-7: 0 no icon, 0x10 hand, 0x20 question, 0x40 information, anything else exclamation.
MessageBoxIcon IconForStyle(unsigned style);

// The height rule. The template's text box holds about 11.67 lines of 13.05 pixels; the
// window grows or shrinks by the difference, within limits.
inline constexpr int kMessageBoxMinDelta = -48;
inline constexpr int kMessageBoxMaxDelta = 264;
// Lines of about 80 bytes the message takes, counting a line per CR LF.
int EstimatedMessageLines(std::string_view text);
// (lines - 11.67) x 13.05 pixels, truncated toward zero and clamped.
int MessageBoxHeightDelta(int lines);

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const PixelRect&) const = default;
};
// The window grown by delta pixels about its middle: the top moves up by half, the bottom
// down by the rest, so the controls moved down by delta still end where they did.
PixelRect GrowAboutMiddle(PixelRect window, int delta);
// Top-left corner that centres a window of the given size in an area.
PixelRect CentreIn(const PixelRect& area, int width, int height);

// Long texts: above this the text box's length limit is lifted.
inline constexpr size_t kMessageBoxLimitTextAbove = 25000;
struct MessageBoxTexts {
    std::string text;
    std::string details;
    bool liftTextLimit = false;
    bool liftDetailsLimit = false;
};
// Windows 95/98/Me edit controls hold only about 64 KB in all: there a long message is cut
// to 25,000 bytes when the details are long too (over 20,000), else to 40,000 bytes, and
// "..." marks the cut; the details the same with the roles exchanged. A cut never splits a
// double-byte character of codePage.
// detailsCodePage: the details' own code page (0: the same as the text's).
MessageBoxTexts FitMessageBoxTexts(std::string text, std::string details, bool isNt, int codePage,
                                   int detailsCodePage = 0);

// Text boxes break lines only at CR LF: a lone LF of a caller's text becomes CR LF.
std::string WithCrLfLineBreaks(std::string_view text);

// A details text that names a help page instead of holding details: its topic.
std::optional<int> HelpTopicOfDetails(std::string_view details);

// The details pane: a toggle between collapsed and expanded, or, for a help key, a button
// that opens a help page and never expands.
class DetailsPane {
  public:
    // helpKeys false: the details are always shown as text (the shell extension's copy).
    explicit DetailsPane(std::string_view details, bool helpKeys = true);

    bool expanded() const { return expanded_; }
    std::optional<int> helpTopic() const { return helpTopic_; }
    // The label of the details button in the current state.
    int ButtonTextId() const;

    // A click: returns the help topic to open, or flips the pane and returns nothing.
    std::optional<int> Click();

  private:
    std::optional<int> helpTopic_;
    bool expanded_ = false;
};

// Parses an answer as a positive integer not above maximum; blanks around it are allowed.
std::optional<int> ParsePositiveNumber(std::string_view answer, int maximum);

// Asks through the message service until the answer is a positive integer not above
// maximum, showing a "valid number" message after each wrong answer and asking again with
// that answer in the box. Nothing when the user cancels.
std::optional<int> AskPositiveNumber(const MessageRequest& question, const std::string& initialText,
                                     int maximum);

}  // namespace zelvo
