#include "transfer/options.h"

#include <cstdlib>

#include "platform/registry_store.h"

namespace zelvo {

namespace {
constexpr const char* kCodeTransferSection = "Code Transfer";
}  // namespace

CodeTransferOptions ReadCodeTransferOptions() {
    CodeTransferOptions options;
    options.transferToSource = ReadRegInt(kCodeTransferSection, "UI Display Source 2 Source", 0) == 1;
    options.changePathCode = ReadRegInt(kCodeTransferSection, "Change Path Code", 0) == 1;
    options.checkWd = ReadRegInt("CTWA", "Check WD", 1) != 0;
    return options;
}

void WriteCodeTransferOptions(const CodeTransferOptions& options) {
    WriteRegInt(kCodeTransferSection, "UI Display Source 2 Source", options.transferToSource ? 1 : 0);
    WriteRegInt(kCodeTransferSection, "Change Path Code", options.changePathCode ? 1 : 0);
    WriteRegInt("CTWA", "Check WD", options.checkWd ? 1 : 0);
}

std::vector<std::string> MruCountChoices() {
    std::vector<std::string> choices;
    for (int count = 0; count <= kMaximumMruChoice; ++count) choices.push_back(std::to_string(count));
    return choices;
}

int MruCountOfText(const std::string& text) {
    return std::atoi(text.c_str());
}

}  // namespace zelvo
