#include "convert/lib_validation.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "convert/lib_management.h"
#include "convert/pipeline.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/file_system.h"
#include "platform/registry_store.h"
#include "services/codepage_codec.h"
#include "services/multibyte.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

constexpr int64_t kSecondsPerDay = 86400;
const char kCheckSection[] = "CTWA";

// "Big5" for the G2B list, whose words are Big5, "GBK" for B2G.
std::string CheckKey(const char* format, bool isG2B) {
    return ReplaceAll(format, "%s", isG2B ? "Big5" : "GBK");
}

void QuickScan(const WordAdjustmentLib& lib, int libIndex, std::vector<LibProblem>& problems) {
    std::string previous, lastReported;
    size_t lastProblem = 0;
    const size_t items = std::min(lib.wordsBefore.size(), lib.wordsAfter.size());
    for (size_t i = 0; i < items; ++i) {
        const std::string& word = lib.wordsBefore[i];
        if (i > 0 && word == previous) {
            if (lastReported.empty() || word != lastReported) {
                if (problems.size() > static_cast<size_t>(kQuickCheckProblemLimit)) {
                    problems.push_back({libIndex, kCutProblemWord, {}, LibProblemKind::kRepeatedWord, 0});
                    return;
                }
                problems.push_back({libIndex, word, {}, LibProblemKind::kRepeatedWord, 2});
                lastReported = word;
                lastProblem = problems.size() - 1;
            } else {
                ++problems[lastProblem].count;
            }
        }
        previous = word;
    }
}

void CompleteScan(const WordAdjustmentLib& lib, int libIndex, std::vector<LibProblem>& problems) {
    const size_t items = std::min(lib.wordsBefore.size(), lib.wordsAfter.size());
    for (size_t start = 0; start < items;) {
        const WordAdjustments adjustments = AdjustmentsOfWord(lib.wordsBefore, lib.wordsAfter, start);
        const size_t end = adjustments.end;
        const std::string& word = lib.wordsBefore[start];
        const int selfItems = adjustments.selfItems;
        const auto& afters = adjustments.afters;
        const auto& counts = adjustments.counts;
        if (selfItems > 0)
            problems.push_back({libIndex, word, {}, LibProblemKind::kEqualToItself, selfItems});
        for (size_t k = 0; k < afters.size(); ++k)
            if (counts[k] > 1)
                problems.push_back({libIndex, word, afters[k], LibProblemKind::kIdenticalPairs, counts[k]});
        if (afters.size() > 1)
            problems.push_back(
                {libIndex, word, {}, LibProblemKind::kSeveralAdjustments, static_cast<int>(afters.size())});
        start = end;
    }
}

// The code page the current UI language's texts are written in (Latin for English and for
// language packs, whose titles keep only what that code page has).
int UiTextCodePage() {
    if (UiLcid() == kLcidSimplifiedChinese) return kCodePageGbk;
    if (UiLcid() == kLcidTraditionalChinese) return kCodePageBig5;
    return 1252;
}

// Title of a lib written in codePage. A system lib's title is a UI text; a custom lib's is
// written in the lib's own encoding. A title of the other encoding goes through the codec,
// so a Big5 title in a Simplified Chinese summary reads as the same characters.
std::string LibTitle(const WordAdjustmentLibList& list, int index, int codePage) {
    if (index < 0 || static_cast<size_t>(index) >= list.size() || !list[index]) return {};
    const WordAdjustmentLib& lib = *list[index];
    const int written = lib.isSystem ? UiTextCodePage() : LibCodePage(lib.isG2B);
    if (written == codePage) return lib.title;
    return EncodeCodePage(DecodeCodePage(lib.title, written), codePage);
}

}  // namespace

std::vector<LibProblem> ScanLibList(const WordAdjustmentLibList& list, bool complete) {
    std::vector<LibProblem> problems;
    for (size_t i = 0; i < list.size(); ++i) {
        if (!list[i]) continue;
        if (complete)
            CompleteScan(*list[i], static_cast<int>(i), problems);
        else
            QuickScan(*list[i], static_cast<int>(i), problems);
    }
    return problems;
}

std::string FormatCheckTime(int64_t time) {
    return FormatLocalTime(time, "%Y-%m-%d %H:%M:%S");
}

bool ParseCheckTime(const std::string& text, int64_t& time) {
    const size_t blank = text.find(' ', 6);
    if (blank == std::string::npos) return false;
    const std::string date = text.substr(0, blank), clock = text.substr(blank + 1);
    int year, month, day, hour, minute, second;
    char rest;
    if (std::sscanf(date.c_str(), "%d-%d-%d%c", &year, &month, &day, &rest) != 3) return false;
    if (std::sscanf(clock.c_str(), "%d:%d:%d%c", &hour, &minute, &second, &rest) != 3) return false;
    return TimeFromLocal(year, month, day, hour, minute, second, time);
}

bool QuickCheckShortcutApplies(const std::string& lastCheckTime, int lastCheckOk, int64_t now,
                               const std::vector<int64_t>& fileTimes) {
    if (lastCheckOk != 1) return false;
    int64_t checked = 0;
    if (!ParseCheckTime(lastCheckTime, checked)) return false;
    const int64_t age = (now - checked) / kSecondsPerDay;  // whole days, fraction dropped
    if (age < -1 || age > kQuickCheckTrustDays) return false;
    for (int64_t modified : fileTimes)
        if (modified > checked) return false;
    return true;
}

std::vector<std::string> QuickCheckFiles(const WordAdjustmentLibList& list, bool isG2B,
                                         const LibFolders& folders) {
    std::vector<std::string> files{LibSettingsPath(folders, isG2B)};
    for (const auto& lib : list)
        if (lib && lib->apply) files.push_back(lib->path);
    return files;
}

bool CheckLibList(const WordAdjustmentLibList& list, bool isG2B, bool complete, int64_t now,
                  const LibFolders& folders, std::vector<LibProblem>& problems) {
    problems.clear();
    const std::string timeKey = CheckKey("Last Check Time %s", isG2B);
    const std::string okKey = CheckKey("Last Check OK %s", isG2B);
    if (!complete) {
        std::vector<int64_t> fileTimes;
        for (const std::string& path : QuickCheckFiles(list, isG2B, folders)) {
            FileTimes times;
            // A file that no longer exists has not changed.
            if (FileExists(path) && GetFileTimes(path, times)) fileTimes.push_back(times.modified);
        }
        if (QuickCheckShortcutApplies(ReadRegString(kCheckSection, timeKey, ""),
                                      ReadRegInt(kCheckSection, okKey, 0), now, fileTimes))
            return true;
    }
    problems = ScanLibList(list, complete);
    WriteRegString(kCheckSection, timeKey, FormatCheckTime(now));
    WriteRegInt(kCheckSection, okKey, problems.empty() ? 1 : 0);
    return problems.empty();
}

LibCheckReport QuickCheckReport(const WordAdjustmentLibList& list, bool isG2B,
                                const std::vector<LibProblem>& problems, int summaryCodePage) {
    if (summaryCodePage == 0) summaryCodePage = UiTextCodePage();
    // "繁體庫:" in Big5 or "简体库:" in GBK, and the word for lib in the same encoding.
    const std::string heading = isG2B ? "\xC1\x63\xC5\xE9\xAE\x77:" : "\xBC\xF2\xCC\xE5\xBF\xE2:";
    const std::string libWord = isG2B ? "\xAE\x77" : "\xBF\xE2";

    LibCheckReport report;
    report.details = heading + "\r\n\r\n";
    struct LibEntry {
        int index;
        int problems;  // the cut entry counts as one more
        bool cut;
    };
    std::vector<LibEntry> libs;
    int linesOfLib = 0;
    for (const LibProblem& problem : problems) {
        if (libs.empty() || libs.back().index != problem.libIndex) {
            libs.push_back({problem.libIndex, 0, false});
            linesOfLib = 0;
            const std::string id = std::to_string(problem.libIndex);
            report.details +=
                libWord + " %Lib_Id_Place_Holder_" + id + "% (%Error_Count_Place_Holder_" + id + "%):\r\n";
        }
        LibEntry& lib = libs.back();
        ++lib.problems;
        const bool cut = problem.word == kCutProblemWord;
        lib.cut = lib.cut || cut;
        if (linesOfLib > kQuickCheckProblemLimit) continue;
        ++linesOfLib;
        if (cut || linesOfLib > kQuickCheckProblemLimit) {
            report.details += "\t...\r\n";
            linesOfLib = kQuickCheckProblemLimit + 1;
        } else {
            report.details += WordCountLine(problem.word, problem.count);
        }
    }

    std::string listName = LoadUiString(isG2B ? IDS_DIALOG_WA_BIG5_LIB_B : IDS_DIALOG_WA_GBK_LIB_G);
    report.summary = ReplaceAll(listName, "&", "") + ":\r\n\r\n";
    std::vector<std::pair<std::string, std::string>> placeholders;
    for (size_t n = 0; n < libs.size(); ++n) {
        const LibEntry& lib = libs[n];
        std::string count = lib.problems > kQuickCheckProblemLimit
                                ? std::to_string(kQuickCheckProblemLimit) + "+"
                                : std::to_string(lib.problems) + (lib.cut ? "+" : "");
        const std::string number = std::to_string(n + 1);
        report.summary +=
            "\t" + number + ": " + LibTitle(list, lib.index, summaryCodePage) + " (" + count + ")\r\n";
        const std::string id = std::to_string(lib.index);
        placeholders.emplace_back("%Lib_Id_Place_Holder_" + id + "%", number);
        placeholders.emplace_back("%Error_Count_Place_Holder_" + id + "%", count);
    }
    report.details = FillPlaceholders(report.details, placeholders);
    return report;
}

std::string CompleteCheckReport(const WordAdjustmentLibList& list, bool isG2B,
                                const std::vector<LibProblem>& problems) {
    const int codePage = LibCodePage(isG2B);
    const int id = IDS_DIALOG_WA_VALIDATION_CHECK_REPORT_INFO;
    std::string text = ReportHeading(id, 0, codePage) + "\r\n\r\n";
    if (problems.empty()) return text + ReportHeading(id, 4, codePage) + "\r\n";
    const LibProblemKind kinds[] = {LibProblemKind::kEqualToItself, LibProblemKind::kIdenticalPairs,
                                    LibProblemKind::kSeveralAdjustments};
    for (size_t start = 0; start < problems.size();) {
        size_t end = start;
        while (end < problems.size() && problems[end].libIndex == problems[start].libIndex) ++end;
        text += LibTitle(list, problems[start].libIndex, codePage) + ":\r\n";
        for (int k = 0; k < 3; ++k) {
            std::string lines;
            for (size_t i = start; i < end; ++i) {
                const LibProblem& problem = problems[i];
                if (problem.kind != kinds[k]) continue;
                lines += WordCountLine(kinds[k] == LibProblemKind::kIdenticalPairs
                                           ? "{" + problem.word + "," + problem.after + "}"
                                           : problem.word,
                                       problem.count);
            }
            if (!lines.empty()) text += ReportHeading(id, k + 1, codePage) + "\r\n" + lines;
        }
        text += "\r\n";
        start = end;
    }
    return text;
}

WarningCharset ChooseWarningCharset(bool g2bFailed, bool b2gFailed, bool hasGb2312Font, bool hasBig5Font) {
    WarningCharset choice;
    if (g2bFailed && !b2gFailed) {
        choice.charset = 136;
        if (hasGb2312Font && !hasBig5Font) {
            choice.charset = 134;
            choice.convertG2BDetails = true;
        }
    } else if (b2gFailed && !g2bFailed) {
        choice.charset = 134;
        if (hasBig5Font && !hasGb2312Font) {
            choice.charset = 136;
            choice.convertB2GDetails = true;
        }
    } else if (g2bFailed && b2gFailed) {
        if (hasGb2312Font || !hasBig5Font) {
            choice.charset = 134;
            choice.convertG2BDetails = true;
        } else {
            choice.charset = 136;
            choice.convertB2GDetails = true;
        }
    }
    return choice;
}

namespace {

// Big5 details in GBK with their traditional characters kept, or GBK details in Big5.
std::string ConvertDetails(const std::string& details, bool big5ToGbk) {
    ConversionContext context;
    std::string converted;
    if (!big5ToGbk) {
        TransferGbkText(context, nullptr, details, converted, 3);
        return converted;
    }
    std::string simplified;
    TransferBig5Text(context, nullptr, details, simplified, 3);
    TransferGbkText(context, nullptr, simplified, converted, 1);
    return converted;
}

// The reports of both lists as one, the B2G part first, the details converted to the
// encoding chosen; a list that passed has no report.
LibCheckReport JoinListReports(const std::optional<LibCheckReport>& b2g,
                               const std::optional<LibCheckReport>& g2b, const WarningCharset& charset,
                               const char* separator) {
    LibCheckReport joined;
    if (b2g) {
        joined.summary = b2g->summary;
        joined.details = charset.convertB2GDetails ? ConvertDetails(b2g->details, false) : b2g->details;
    }
    if (g2b) {
        if (!joined.summary.empty()) joined.summary += separator;
        joined.summary += g2b->summary;
        if (!joined.details.empty()) joined.details += separator;
        joined.details += charset.convertG2BDetails ? ConvertDetails(g2b->details, true) : g2b->details;
    }
    return joined;
}

int DetailsCodePage(const WarningCharset& charset) {
    return charset.charset == 136 ? 950 : 936;
}

// The code page a report's message is written in: the UI language's, but under the English
// UI (whose words are ASCII) the details' Chinese one, so the libs' titles keep their
// characters.
int MessageCodePage(const WarningCharset& charset) {
    return UiLcid() == kLcidEnglish ? DetailsCodePage(charset) : UiTextCodePage();
}

}  // namespace

MessageRequest LibRedundancyWarning(const WordAdjustmentLibList& g2b,
                                    const std::vector<LibProblem>& g2bProblems,
                                    const WordAdjustmentLibList& b2g,
                                    const std::vector<LibProblem>& b2gProblems, bool hasGb2312Font,
                                    bool hasBig5Font, const std::string& productName) {
    const bool g2bFailed = !g2bProblems.empty();
    const bool b2gFailed = !b2gProblems.empty();
    const WarningCharset charset = ChooseWarningCharset(g2bFailed, b2gFailed, hasGb2312Font, hasBig5Font);
    std::optional<LibCheckReport> b2gReport, g2bReport;
    const int textCodePage = MessageCodePage(charset);
    if (b2gFailed) b2gReport = QuickCheckReport(b2g, false, b2gProblems, textCodePage);
    if (g2bFailed) g2bReport = QuickCheckReport(g2b, true, g2bProblems, textCodePage);
    const LibCheckReport report = JoinListReports(b2gReport, g2bReport, charset, "\r\n\r\n");
    MessageRequest request;
    request.text = LoadUiString(IDS_WDAD_LIB_REDUNDANCY_WARNING, productName, report.summary);
    request.style = kMbYesNo | kMbIconWarning;
    request.details = report.details;
    request.detailsEnabled = true;
    request.showCheckBox = true;
    request.checked = true;
    request.detailsCodePage = DetailsCodePage(charset);
    if (textCodePage != UiTextCodePage()) request.textCodePage = textCodePage;
    return request;
}

namespace {

// "\t%d: %s (%d)\r\n" for each lib with problems, numbered from 1, under the list's name.
std::string CompleteCheckSummary(const WordAdjustmentLibList& list, bool isG2B,
                                 const std::vector<LibProblem>& problems, int codePage) {
    std::string listName = LoadUiString(isG2B ? IDS_DIALOG_WA_BIG5_LIB_B : IDS_DIALOG_WA_GBK_LIB_G);
    std::string summary = ReplaceAll(listName, "&", "") + ":\r\n";
    int number = 0;
    for (size_t start = 0; start < problems.size();) {
        size_t end = start;
        while (end < problems.size() && problems[end].libIndex == problems[start].libIndex) ++end;
        summary += '\t';
        summary += std::to_string(++number);
        summary += ": ";
        summary += LibTitle(list, problems[start].libIndex, codePage);
        summary += " (";
        summary += std::to_string(end - start);
        summary += ")\r\n";
        start = end;
    }
    return summary;
}

}  // namespace

MessageRequest CompleteCheckMessage(const WordAdjustmentLibList& g2b,
                                    const std::vector<LibProblem>& g2bProblems,
                                    const WordAdjustmentLibList& b2g,
                                    const std::vector<LibProblem>& b2gProblems, bool hasGb2312Font,
                                    bool hasBig5Font) {
    const int id = IDS_DIALOG_WA_VALIDATION_CHECK_REPORT_INFO;
    const std::string infoLines = LoadUiString(id);
    MessageRequest request;
    request.caption = UiStringLine(infoLines, 0);
    if (g2bProblems.empty() && b2gProblems.empty()) {
        request.text = UiStringLine(infoLines, 4);
        request.style = kMbOk | kMbIconInformation;
        return request;
    }
    const WarningCharset charset =
        ChooseWarningCharset(!g2bProblems.empty(), !b2gProblems.empty(), hasGb2312Font, hasBig5Font);
    const int textCodePage = MessageCodePage(charset);
    std::optional<LibCheckReport> b2gReport, g2bReport;
    if (!b2gProblems.empty())
        b2gReport = LibCheckReport{CompleteCheckSummary(b2g, false, b2gProblems, textCodePage),
                                   CompleteCheckReport(b2g, false, b2gProblems)};
    if (!g2bProblems.empty())
        g2bReport = LibCheckReport{CompleteCheckSummary(g2b, true, g2bProblems, textCodePage),
                                   CompleteCheckReport(g2b, true, g2bProblems)};
    const LibCheckReport report = JoinListReports(b2gReport, g2bReport, charset, "\r\n");
    request.text = UiStringLine(infoLines, 0) + "\r\n\r\n" + report.summary;
    request.style = kMbOk | kMbIconWarning;
    request.details = report.details;
    request.detailsEnabled = true;
    request.detailsCodePage = DetailsCodePage(charset);
    if (textCodePage != UiTextCodePage()) request.textCodePage = textCodePage;
    return request;
}

bool RunStartupLibCheck(const WordAdjustmentLibList& g2b, const WordAdjustmentLibList& b2g,
                        const LibFolders& folders, int64_t now,
                        const std::function<bool(int)>& hasFontOfCharset, const std::string& productName,
                        const std::function<void()>& openLibManager) {
    if (ReadRegInt(kCheckSection, "Check WD", 1) == 0) return false;
    std::vector<LibProblem> b2gProblems, g2bProblems;
    const bool b2gPassed = CheckLibList(b2g, false, false, now, folders, b2gProblems);
    const bool g2bPassed = CheckLibList(g2b, true, false, now, folders, g2bProblems);
    if (b2gPassed && g2bPassed) return false;
    MessageRequest warning = LibRedundancyWarning(g2b, g2bProblems, b2g, b2gProblems, hasFontOfCharset(134),
                                                  hasFontOfCharset(136), productName);
    MessageAnswer answer = ShowMessage(warning);
    if (!answer.checked) WriteRegInt(kCheckSection, "Check WD", 0);
    if (answer.result == kIdYes && openLibManager) openLibManager();
    return true;
}

std::vector<RepeatingItemsGroup> FindRepeatingItemsGroups(const WordAdjustmentLibList& list) {
    std::vector<RepeatingItemsGroup> groups;
    for (size_t index = 0; index < list.size(); ++index) {
        if (!list[index]) continue;
        const WordAdjustmentLib& lib = *list[index];
        const size_t items = std::min(lib.wordsBefore.size(), lib.wordsAfter.size());
        for (size_t start = 0; start < items;) {
            WordAdjustments adjustments = AdjustmentsOfWord(lib.wordsBefore, lib.wordsAfter, start);
            if (adjustments.afters.size() > 1)
                groups.push_back(
                    {static_cast<int>(index), lib.wordsBefore[start], std::move(adjustments.afters)});
            start = adjustments.end;
        }
    }
    return groups;
}

int CorrectLibList(WordAdjustmentLibList& list, const LibCorrection& correction) {
    int removed = 0;
    for (size_t index = 0; index < list.size(); ++index) {
        if (!list[index]) continue;
        WordAdjustmentLib& lib = *list[index];
        const size_t items = std::min(lib.wordsBefore.size(), lib.wordsAfter.size());
        std::vector<std::string> before, after;
        for (size_t start = 0; start < items;) {
            const size_t end = AdjustmentsOfWord(lib.wordsBefore, lib.wordsAfter, start).end;
            const std::string& word = lib.wordsBefore[start];
            const LibCorrection::Choice* choice = nullptr;
            for (const auto& candidate : correction.choices)
                if (candidate.libIndex == static_cast<int>(index) && candidate.word == word)
                    choice = &candidate;
            if (choice) {
                // One item stays, with the chosen word after adjustment; one equal to the
                // word itself would do nothing, so then none stays.
                const std::string keep = TrimBlanks(choice->keep);
                if (keep != word) {
                    before.push_back(word);
                    after.push_back(keep);
                }
            } else {
                std::vector<std::string> kept;
                for (size_t i = start; i < end; ++i) {
                    const std::string& adjusted = lib.wordsAfter[i];
                    if (correction.deleteEqualToItself && adjusted == word) continue;
                    if (correction.keepOneOfIdenticalPairs &&
                        std::find(kept.begin(), kept.end(), adjusted) != kept.end())
                        continue;
                    kept.push_back(adjusted);
                }
                for (std::string& adjusted : kept) {
                    before.push_back(word);
                    after.push_back(std::move(adjusted));
                }
            }
            start = end;
        }
        removed += static_cast<int>(lib.wordsBefore.size() - before.size());
        lib.wordsBefore = std::move(before);
        lib.wordsAfter = std::move(after);
    }
    return removed;
}

std::string CorrectionStatisticsText(int current, int total, int corrected) {
    return FillPlaceholders(LoadUiString(IDS_DIALOG_WAC_STATISTICS),
                            {{"#1", std::to_string(current)},
                             {"#2", std::to_string(total)},
                             {"#3", std::to_string(corrected)},
                             {"#4", std::to_string(total - corrected)}});
}

}  // namespace zelvo
