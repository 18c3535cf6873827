#include "convert/pipeline.h"

#include <chrono>
#include <climits>
#include <thread>

#include "convert/word_adjustment.h"
#include "services/multibyte.h"

namespace zelvo {
namespace {

constexpr long kUnitsPerPiece = 20;
constexpr int kPauseSleepMilliseconds = 200;

long ClampUnits(long long units) {
    return units > LONG_MAX ? LONG_MAX : static_cast<long>(units);
}

int TransferState(const TransferControl& control) {
    return control.transferState ? *control.transferState : kTransferRunning;
}

// Waits out a pause; true when the transfer has been stopped.
bool WaitWhilePausedThenCheckStop(const TransferControl& control) {
    while (TransferState(control) == kTransferPaused) {
        if (control.sleep)
            control.sleep(kPauseSleepMilliseconds);
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(kPauseSleepMilliseconds));
    }
    return TransferState(control) == kTransferStopped;
}

using AppendConverter = void (*)(std::string_view, int, std::string&);

bool TransferText(ConversionContext& context, ProgressSink* progress, std::string_view source,
                  std::string& result, int mode, AppendConverter convert, bool isG2B) {
    result.clear();
    context.cancelled = false;
    source = source.substr(0, source.find('\0'));
    if (source.empty()) return true;

    const std::vector<std::string_view> pieces = CutIntoPieces(source);
    const long long k = static_cast<long long>(pieces.size());
    const bool adjustWords = mode == kModeCross;
    const long long appliedTotal = isG2B ? context.g2bAppliedTotal : context.b2gAppliedTotal;
    const long total =
        ClampUnits(adjustWords ? k * (kUnitsPerPiece + (appliedTotal + 1) / 10) : k * kUnitsPerPiece);
    if (progress) progress->Begin(total);

    result.reserve(source.size());
    bool stopped = false;
    for (size_t j = 0; j < pieces.size(); ++j) {
        convert(pieces[j], mode, result);
        if (context.control.pumpMessages) context.control.pumpMessages();
        if (WaitWhilePausedThenCheckStop(context.control)) {
            stopped = true;
            break;
        }
        if (progress) progress->Position(ClampUnits(kUnitsPerPiece * static_cast<long long>(j)));
    }

    if (!stopped) {
        if (adjustWords) {
            ApplyWordAdjustment(context, isG2B, progress, static_cast<long>(k), result);
            if (progress) progress->Position(total);
        } else if (progress) {
            progress->Position(ClampUnits(k * kUnitsPerPiece));
        }
    }
    if (progress) progress->End();
    context.cancelled = stopped;
    return !stopped;
}

}  // namespace

std::vector<std::string_view> CutIntoPieces(std::string_view source) {
    std::vector<std::string_view> pieces;
    const size_t n = source.size();
    if (n == 0) return pieces;
    size_t step = 160;
    size_t tail = 500;
    if (n / 160 > 1000) {
        step = n / 1000;
        tail = step * 3 / 2;
    }
    size_t p = 0;
    for (;;) {
        if (n - p < tail) {
            pieces.push_back(source.substr(p));
            break;
        }
        size_t e = p + step;
        while (e < n && source[e] != '\n') ++e;
        pieces.push_back(source.substr(p, e - p));
        if (e == n) break;
        p = e;
    }
    return pieces;
}

bool TransferGbkText(ConversionContext& context, ProgressSink* progress, std::string_view source,
                     std::string& result, int mode) {
    return TransferText(context, progress, source, result, mode, AppendTransferFromGbk, true);
}

bool TransferBig5Text(ConversionContext& context, ProgressSink* progress, std::string_view source,
                      std::string& result, int mode) {
    return TransferText(context, progress, source, result, mode, AppendTransferFromBig5, false);
}

void ApplyWordAdjustment(const ConversionContext& context, bool isG2B, ProgressSink* progress,
                         long pieceCount, std::string& text) {
    const WordAdjustmentLibList* libs = isG2B ? context.g2bLibs : context.b2gLibs;
    if (!libs) return;
    // The words are in the target encoding of the direction, and so is the text: the
    // search judges character starts in that code page whatever the system's own is.
    const int codePage = isG2B ? kCodePageBig5 : kCodePageGbk;
    WordAdjustmentItemCallback onItem;
    if (progress) {
        const long long k = pieceCount;
        onItem = [progress, k](long items) {
            if (items % 5 == 0) progress->Position(ClampUnits(k * kUnitsPerPiece + k * items / 10));
        };
    }
    // Site transfers convert thousands of small files with one list: the index of its
    // words is built once and kept in the context.
    const WordAdjustmentIndex& index =
        (isG2B ? context.g2bIndex : context.b2gIndex).Get(*libs, codePage, context.libsGeneration);
    AdjustWords(index, text, onItem);
}

bool TransferTextKeepingZeros(ConversionContext& context, ProgressSink* progress, std::string_view input,
                              bool fromGbk, int mode, std::string& output) {
    // Text without zero bytes, nearly all of it, converts straight into the output: a second
    // buffer of the text's size costs a page fault per 4 KB touched.
    if (input.find('\0') == std::string_view::npos)
        return fromGbk ? TransferGbkText(context, progress, input, output, mode)
                       : TransferBig5Text(context, progress, input, output, mode);
    output.clear();
    output.reserve(input.size() + input.size() / 8);
    size_t start = 0;
    while (start <= input.size()) {
        size_t zero = input.find('\0', start);
        if (zero == std::string_view::npos) zero = input.size();
        std::string_view piece = input.substr(start, zero - start);
        std::string converted;
        const bool completed = fromGbk ? TransferGbkText(context, progress, piece, converted, mode)
                                       : TransferBig5Text(context, progress, piece, converted, mode);
        if (!completed) return false;
        output += converted;
        if (zero == input.size()) break;
        output.push_back('\0');
        start = zero + 1;
    }
    return true;
}

}  // namespace zelvo
