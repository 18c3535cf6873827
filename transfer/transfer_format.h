// Texts of a running or finished transfer: durations for the clocks, the caption and the
// summary, and the size texts of the summary and the disk-space message.
#pragma once

#include <cstdint>
#include <string>

namespace zelvo {

// "hh:mm:ss". Hours go on counting past 23 ("25:00:00") rather than wrapping like a
// time of day, so a long run never looks shorter than it was. Negative counts show zero.
std::string FormatShortDuration(int64_t seconds);

// "1 hour(s) 2 Minute(s) 5 Second(s)", leaving out leading zero units ("2 Minute(s) 5
// Second(s)", "5 Second(s)"), with the unit words of the current UI language.
std::string FormatLongDuration(int64_t seconds);

// Seconds still to go when done of total units took elapsedSeconds; -1 while nothing is
// done yet, as no estimate can be made then.
int64_t RemainingSeconds(int64_t totalUnits, int64_t doneUnits, int64_t elapsedSeconds);

// "512 bytes", "1.50 KB", "12.34 MB", "2.00 GB" (1 KB = 1024 bytes).
std::string FormatSizeText(uint64_t bytes);

}  // namespace zelvo
