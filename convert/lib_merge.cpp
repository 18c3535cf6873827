#include "convert/lib_merge.h"

#include "convert/charset_detector.h"
#include "convert/lib_management.h"
#include "platform/file_system.h"
#include "services/message_service.h"
#include "services/multibyte.h"
#include "services/settings_file.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

// The words of a file's items are tested on this many bytes at most, and only when there
// are at least kShortestTestedText of them.
constexpr size_t kTestedBytes = 10000;
constexpr size_t kShortestTestedText = 7;
constexpr int kLeniency = 2;

std::string MergeError(int n) {
    return ErrorListEntry(LoadUiString(IDS_DIALOG_MWA_ERROR_LIST), n);
}

bool ContainsPath(const std::vector<std::string>& paths, const std::string& path) {
    for (const std::string& candidate : paths)
        if (SameLibPath(candidate, path)) return true;
    return false;
}

bool LooksLikeEncoding(const std::string& wordsText, bool isBig5) {
    if (wordsText.size() < kShortestTestedText) return true;
    std::string_view sample = std::string_view(wordsText).substr(0, kTestedBytes);
    return isBig5 ? LooksLikeBig5(sample, kLeniency) : LooksLikeGbk(sample, kLeniency);
}

// The items of a lib file in file order, and their words joined for the encoding test.
bool ReadItems(const std::string& path, int codePage, std::vector<std::string>& before,
               std::vector<std::string>& after, std::string& wordsText) {
    std::string text;
    if (!FileExists(path) || !ReadFileBytes(path, text)) return false;
    size_t zero = text.find('\0');
    if (zero != std::string::npos) text.resize(zero);
    std::vector<std::string> lines;
    SplitLines(text, lines);
    std::string wordBefore, wordAfter;
    for (const std::string& line : lines) {
        if (!ParseLibItemLine(line, codePage, wordBefore, wordAfter)) continue;
        wordsText += wordBefore;
        wordsText += wordAfter;
        before.push_back(std::move(wordBefore));
        after.push_back(std::move(wordAfter));
    }
    return true;
}

// Walks the sorted items one word at a time: items equal to themselves go, a pair already
// kept for the word goes, different adjustments of one word all stay.
void RemoveRepetitions(LibMergeResult& result, int codePage) {
    std::vector<std::string> keptBefore, keptAfter;
    std::string equalLines, pairLines, severalLines;
    const auto& before = result.wordsBefore;
    const auto& after = result.wordsAfter;
    for (size_t start = 0; start < before.size();) {
        WordAdjustments adjustments = AdjustmentsOfWord(before, after, start);
        const int selfItems = adjustments.selfItems;
        std::vector<std::string>& afters = adjustments.afters;
        const std::vector<int>& seen = adjustments.counts;
        const std::string& word = before[start];
        if (selfItems > 0) {
            ++result.repetitions.equalToItself;
            equalLines += WordCountLine(word, selfItems);
        }
        for (size_t k = 0; k < afters.size(); ++k) {
            if (seen[k] < 2) continue;
            ++result.repetitions.identicalPairs;
            pairLines += WordCountLine("{" + word + "," + afters[k] + "}", seen[k]);
        }
        if (afters.size() >= 2) {
            ++result.repetitions.severalAdjustments;
            severalLines += WordCountLine(word, static_cast<int>(afters.size()));
        }
        for (std::string& kept : afters) {
            keptBefore.push_back(word);
            keptAfter.push_back(std::move(kept));
        }
        start = adjustments.end;
    }
    result.wordsBefore = std::move(keptBefore);
    result.wordsAfter = std::move(keptAfter);

    std::string& details = result.repetitions.details;
    details.clear();
    auto section = [&](int line, const std::string& lines) {
        if (lines.empty()) return;
        if (!details.empty()) details += "\r\n";
        details += ReportHeading(IDS_DIALOG_WA_VALIDATION_CHECK_REPORT_INFO, line, codePage) + "\r\n" + lines;
    };
    section(1, equalLines);
    section(2, pairLines);
    section(3, severalLines);
}

WordAdjustmentLib TargetLib(const LibMergeRequest& request) {
    WordAdjustmentLib lib;
    lib.isG2B = request.isBig5;
    lib.apply = true;
    lib.path = request.target;
    lib.title = request.title;
    lib.description = request.description;
    return lib;
}

}  // namespace

std::string CheckLibMerge(const LibMergeRequest& request, const LibMergeContext& context) {
    if (ContainsPath(request.sources, request.target)) return MergeError(1);
    if (SameLibPath(request.target, JoinPath(context.ctwaFolder, "basebig.txt")) ||
        SameLibPath(request.target, JoinPath(context.ctwaFolder, "basegb.txt")))
        return MergeError(5);
    const auto& otherList = request.isBig5 ? context.gbkLibPaths : context.big5LibPaths;
    if (ContainsPath(otherList, request.target))
        return FillPlaceholders(MergeError(6), {{"#1", LibEncodingName(request.isBig5)},
                                                {"#2", LibEncodingName(!request.isBig5)}});
    return {};
}

bool MergeLibFiles(const LibMergeRequest& request, LibMergeResult& result) {
    result = LibMergeResult{};
    const int codePage = LibCodePage(request.isBig5);
    for (const std::string& source : request.sources) {
        std::string wordsText;
        if (!ReadItems(source, codePage, result.wordsBefore, result.wordsAfter, wordsText)) {
            result.unreadable = source;
            return false;
        }
        if (!LooksLikeEncoding(wordsText, request.isBig5)) result.unlikeSources.push_back(source);
    }
    if (FileExists(request.target)) {
        std::vector<std::string> before, after;
        std::string wordsText;
        if (ReadItems(request.target, codePage, before, after, wordsText))
            result.targetUnlike = !LooksLikeEncoding(wordsText, request.isBig5);
    }
    result.itemsRead = static_cast<int>(result.wordsBefore.size());
    SortLibItems(result.wordsBefore, result.wordsAfter);
    RemoveRepetitions(result, codePage);
    return true;
}

bool WriteMergeTarget(const LibMergeRequest& request, const LibMergeResult& result, std::string& copyPath) {
    if (!KeepCopyOfFile(request.target, copyPath)) {
        ShowFileWriteFailure(request.target + ".bak");
        return false;
    }
    WordAdjustmentLib lib = TargetLib(request);
    lib.wordsBefore = result.wordsBefore;
    lib.wordsAfter = result.wordsAfter;
    if (!ReplaceFileBytes(request.target, LibFileText(lib))) {
        ShowFileWriteFailure(request.target);
        return false;
    }
    return true;
}

std::string MergeUnlikeQuestion(const LibMergeRequest& request, const LibMergeResult& result) {
    const std::string encoding = LibEncodingName(request.isBig5);
    std::string question;
    if (!result.unlikeSources.empty()) {
        std::string files;
        for (const std::string& source : result.unlikeSources) files += source + "\r\n";
        question = FillPlaceholders(MergeError(2), {{"#1", encoding}, {"#2", files}});
    }
    if (result.targetUnlike) {
        if (!question.empty()) question += "\r\n";
        question += FillPlaceholders(MergeError(4), {{"#1", encoding}}) + "\r\n";
    }
    if (question.empty()) return {};
    return question + "\r\n" + MergeError(3);
}

std::string MergeReportText(const LibMergeRequest& request, const LibMergeResult& result) {
    std::string sources;
    for (size_t i = 0; i < request.sources.size(); ++i) {
        if (i > 0) sources += "\r\n";
        sources += request.sources[i];
    }
    const LibMergeRepetitions& repetitions = result.repetitions;
    std::string summary;
    if (repetitions.equalToItself + repetitions.identicalPairs + repetitions.severalAdjustments > 0) {
        const std::string list = LoadUiString(IDS_DIALOG_MWA_MERGE_REPORT_ERROR_LIST);
        summary = UiStringLine(list, 0) + "\r\n";
        auto paragraph = [&](int groups, int heading) {
            if (groups == 0) return;
            summary += "\r\n" + ReplaceAll(UiStringLine(list, heading), "#1", std::to_string(groups)) +
                       "\r\n" + UiStringLine(list, heading + 1) + "\r\n";
        };
        paragraph(repetitions.equalToItself, 1);
        paragraph(repetitions.identicalPairs, 3);
        paragraph(repetitions.severalAdjustments, 5);
    }
    const std::string type =
        ReplaceAll(LoadUiString(IDS_WDAD_TYPE_LIB), "#1", LibEncodingName(request.isBig5));
    return FillPlaceholders(LoadUiString(IDS_DIALOG_MWA_MERGE_REPORT),
                            {{"#1", std::to_string(request.sources.size())},
                             {"#2", sources},
                             {"#3", request.target},
                             {"#4", type},
                             {"#5", std::to_string(result.itemsRead)},
                             {"#6", std::to_string(result.wordsBefore.size())},
                             {"#7", summary}});
}

bool RunLibMerge(LibMergeRequest request, const LibMergeContext& context) {
    std::string refusal = CheckLibMerge(request, context);
    if (!refusal.empty()) {
        ShowMessage(refusal, "", kMbOk | kMbIconError);
        return false;
    }
    LibMergeResult result;
    if (!MergeLibFiles(request, result)) {
        ShowMessage(LoadUiString(IDS_DIALOG_WA_PROMPT_ADD_LIB_FAILED) + "\r\n\r\n" + result.unreadable, "",
                    kMbOk | kMbIconError);
        return false;
    }
    std::string question = MergeUnlikeQuestion(request, result);
    if (!question.empty() && ShowMessage(question, "", kMbYesNo | kMbIconQuestion | kMbDefButton2) != kIdYes)
        return false;
    if (FileExists(request.target)) {
        const std::string list = LoadUiString(IDS_DIALOG_MWA_MERGE_REPORT_ERROR_LIST);
        if (ShowMessage(UiStringLine(list, 7), "", kMbYesNo | kMbIconQuestion) == kIdYes) {
            WordAdjustmentLib old = TargetLib(request);
            old.apply = false;
            if (ReadLibFile(old, request.isBig5, false)) {
                request.title = old.title;
                request.description = old.description;
            }
        }
    }
    std::string copyPath;
    if (!WriteMergeTarget(request, result, copyPath)) return false;
    if (!copyPath.empty()) {
        ShowMessage(FillPlaceholders(ErrorListEntry(LoadUiString(IDS_DIALOG_WA_ERROR_LIST), 2),
                                     {{"#1", request.target}, {"#2", copyPath}}),
                    "", kMbOk | kMbIconInformation);
    }
    MessageRequest report;
    report.text = MergeReportText(request, result);
    report.caption = LoadUiString(IDS_DIALOG_MWA_MERGE_REPORT_TITLE);
    report.style = kMbOk | kMbIconInformation;
    report.details = result.repetitions.details;
    report.detailsEnabled = !report.details.empty();
    report.detailsCodePage = LibCodePage(request.isBig5);
    ShowMessage(report);
    return true;
}

}  // namespace zelvo
