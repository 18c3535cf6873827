#include "app/ui_strings.h"

#include <map>

namespace zelvo {

namespace {

// The English column of the entries in use so far. The full table in three languages
// with language packs replaces this map.
const std::map<int, std::string>& EnglishTexts() {
    static const std::map<int, std::string> texts = {
        {IDS_DIALOG_ZELVO_PROMPT_ADD_RIGHT_KEY,
         "You can add %1 to context menu in Windows Explorer, so you can easily read and edit one or more text "
         "files from Windows Explorer just in the way WinZip does. Will you add the function right now?"},
        {IDS_WDAD_BASE_LIB_G2B_TITLE, "Base Lib (GBK->Big5)"},
        {IDS_WDAD_BASE_LIB_B2G_TITLE, "Base Lib (Big5->GBK)"},
        {IDS_WDAD_BASE_LIB_G2B_DESCRIPTION,
         "Adjusts characters by context: a simplified character that stands for different traditional "
         "characters in different words is given the right one for the word."},
        {IDS_WDAD_BASE_LIB_B2G_DESCRIPTION,
         "Adjusts characters by context: a traditional character whose simplified form depends on the word is "
         "given the right one for the word."},
        {IDS_WDAD_PDAF_LIB_G2B_TITLE, "Phrase Difference Adjustment Foundation Lib (GBK->Big5)"},
        {IDS_WDAD_PDAF_LIB_G2B_DESCRIPTION,
         "Replaces words of mainland usage with the words used for the same things in Taiwan and Hong Kong."},
        {IDS_WDAD_PDAF_LIB_B2G_TITLE, "Phrase Difference Adjustment Foundation Lib (Big5->GBK)"},
        {IDS_WDAD_PDAF_LIB_B2G_DESCRIPTION,
         "Replaces words of Taiwan and Hong Kong usage with the words used for the same things on the mainland."},
        {IDS_WDAD_FINAL_FIX_LIB_G2B_TITLE, "Final Fix Lib (GBK->Big5)"},
        {IDS_WDAD_FINAL_FIX_LIB_G2B_DESCRIPTION,
         "Applied last: corrects words that the earlier libs turned wrong through their interactions."},
        {IDS_WDAD_FINAL_FIX_LIB_B2G_TITLE, "Final Fix Lib (Big5->GBK)"},
        {IDS_WDAD_FINAL_FIX_LIB_B2G_DESCRIPTION,
         "Applied last: corrects words that the earlier libs turned wrong through their interactions."},
        {IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP,
         "Can't write file \"%1\". Please check if there is file protection for it's upper folder, or the file "
         "is being used by some other program."},
        {IDS_ERROR_PROMPT_LIMLIT_ACTIONS,
         "Too many instances of #1...\r\n"
         "Windows 95/98 and Me are not high-capacity multi-task operating systems. Under current operating "
         "system, you can run at most #1 instances of #2 concurrently.\r\n"
         "You have already open #1 instances of #2. Please close unnecessary instances of #2 before try to open "
         "new one."},
        {IDS_QXT_PRODUCT, "Zelvo"},
        {IDS_QXT_COMPANY, "Tolvane"},
    };
    return texts;
}

}  // namespace

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    if (from.empty()) return text;
    size_t pos = 0;
    while ((pos = text.find(from, pos)) != std::string::npos) {
        text.replace(pos, from.size(), to);
        pos += to.size();
    }
    return text;
}

std::string LoadUiString(int id, const std::string& arg1, const std::string& arg2, const std::string& arg3) {
    auto it = EnglishTexts().find(id);
    if (it == EnglishTexts().end()) return {};
    std::string text = it->second;
    // One pass, so that an argument holding "%2" is not filled again.
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '3') {
            out += text[i + 1] == '1' ? arg1 : text[i + 1] == '2' ? arg2 : arg3;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string UiStringLine(const std::string& text, int n) {
    size_t start = 0;
    for (int line = 0; line < n; ++line) {
        size_t next = text.find("\r\n", start);
        if (next == std::string::npos) return {};
        start = next + 2;
    }
    size_t end = text.find("\r\n", start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace zelvo
