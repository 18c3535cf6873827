#include "app/text_difference.h"

#include <algorithm>

#include "services/multibyte.h"
#include "services/ui_strings.h"

namespace zelvo {

namespace {

std::string_view ComparedPart(std::string_view line) { return line.substr(0, kDifferenceLineBytes); }

// The compared part without a double-byte character cut in half at its end.
std::string_view ShownPart(std::string_view line, int codePage) {
    std::string_view part = ComparedPart(line);
    if (part.size() < line.size() && !CharStarts(line, codePage).At(part.size())) part.remove_suffix(1);
    return part;
}

}  // namespace

std::vector<std::string_view> EditControlLines(std::string_view text) {
    std::vector<std::string_view> lines;
    size_t start = 0;
    for (size_t breakAt = text.find("\r\n"); breakAt != std::string_view::npos; breakAt = text.find("\r\n", start)) {
        lines.push_back(text.substr(start, breakAt - start));
        start = breakAt + 2;
    }
    lines.push_back(text.substr(start));
    return lines;
}

bool ShouldAskBeforeDifferenceCheck(std::string_view sourceText, std::string_view destinationText,
                                    const AreaSnapshot& source, const AreaSnapshot& destination) {
    if (sourceText.empty() || destinationText.empty()) return false;
    return source.languageIndex != destination.languageIndex || source.fontSize != destination.fontSize;
}

std::string AdjustBeforeDifferenceCheckQuestion(const std::string& productName) {
    return LoadUiString(IDS_DIALOG_ZELVO_PROMPT_ADJUST_BEFORE_TEXT_DIFFERENCE_CHECK, productName);
}

TextDifferenceReport CheckTextDifference(std::string_view sourceText, int sourceCodePage,
                                         std::string_view destinationText, int destinationCodePage) {
    const std::vector<std::string_view> sourceLines = EditControlLines(sourceText);
    const std::vector<std::string_view> destinationLines = EditControlLines(destinationText);
    const size_t lineCount = std::max(sourceLines.size(), destinationLines.size());
    TextDifferenceReport report;
    for (size_t i = 0; i < lineCount; ++i) {
        const bool bothExist = i < sourceLines.size() && i < destinationLines.size();
        if (bothExist && ComparedPart(sourceLines[i]) == ComparedPart(destinationLines[i])) continue;
        const std::string_view sourceLine = i < sourceLines.size() ? ShownPart(sourceLines[i], sourceCodePage) : "";
        const std::string_view destinationLine =
            i < destinationLines.size() ? ShownPart(destinationLines[i], destinationCodePage) : "";
        if (report.differences > 0) report.details += "\r\n";
        report.details += std::to_string(i + 1);
        report.details += ": ";
        report.details += sourceLine;
        report.details += " -> ";
        report.details += destinationLine;
        ++report.differences;
    }
    const std::string results = LoadUiString(IDS_DIALOG_ZELVO_TEXT_DIFFERENCE_CHECK_RESULT);
    if (report.differences == 0)
        report.message = UiStringLine(results, 0);
    else if (report.differences == 1)
        report.message = UiStringLine(results, 1);
    else
        report.message = FillPlaceholders(UiStringLine(results, 2), {{"#1", std::to_string(report.differences)}});
    return report;
}

}  // namespace zelvo
