// The update information file as a server might send it: the file is read, its build date
// and address judged, and what comes out must hold together. A parsed date reads back the
// same from both written forms; an offer's address is the home page or an allowed
// address of a program; the first input byte picks the part read as a lone date.
#include <cstdlib>
#include <string>

#include "fuzz_support.h"
#include "services/update_check.h"

using namespace zelvo;

namespace {

void CheckDateRoundTrip(const std::string& text) {
    CalendarDate date;
    if (!ParseDate(text, date)) return;
    if (date.month < 1 || date.month > 12 || date.day < 1 || date.day > 31 || date.year < 1000) std::abort();
    CalendarDate again;
    if (!ParseDate(FormatStoredDate(date), again) || again != date) std::abort();
    if (!ParseDate(FormatBuildDate(date), again) || again != date) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const bool lone = input.Byte() & 1;
    const std::string text(input.Rest());
    if (lone) {
        CheckDateRoundTrip(text);
        IsAllowedDownloadAddress(text);
        return 0;
    }

    const UpdateInfo info = ReadUpdateInfo(text);
    CheckDateRoundTrip(info.build);
    const std::string home = "https://www.tolvane.com/zelvo/";
    UpdateOffer offer;
    if (EvaluateUpdateInfo(text, "2004-4-24", CalendarDate{2026, 12, 8}, home, offer)) {
        CalendarDate build;
        if (!ParseDate(offer.build, build) || build <= CalendarDate{2004, 4, 24} || build.year > 2027)
            std::abort();
        if (offer.url != home) {
            if (!IsAllowedDownloadAddress(offer.url) || offer.url != info.url) std::abort();
            if (offer.url.size() < 4) std::abort();
        }
        if (offer.version != info.version || offer.sha256 != info.sha256) std::abort();
    }
    return 0;
}
