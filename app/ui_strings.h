// UI strings, looked up by number in the current UI language. "%1".."%3" are filled
// here; "#1".."#9" and "#A".."#C" by the caller with ReplaceAll.
#pragma once

#include <string>

namespace zelvo {

enum UiStringId : int {
    IDS_DIALOG_ZELVO_PROMPT_ADD_RIGHT_KEY = 40299,
    IDS_WDAD_BASE_LIB_G2B_TITLE = 50000,
    IDS_WDAD_BASE_LIB_B2G_TITLE = 50001,
    IDS_WDAD_BASE_LIB_G2B_DESCRIPTION = 50002,
    IDS_WDAD_BASE_LIB_B2G_DESCRIPTION = 50003,
    IDS_WDAD_PDAF_LIB_G2B_TITLE = 50004,
    IDS_WDAD_PDAF_LIB_G2B_DESCRIPTION = 50005,
    IDS_WDAD_PDAF_LIB_B2G_TITLE = 50006,
    IDS_WDAD_PDAF_LIB_B2G_DESCRIPTION = 50007,
    IDS_WDAD_FINAL_FIX_LIB_G2B_DESCRIPTION = 50010,
    IDS_WDAD_FINAL_FIX_LIB_G2B_TITLE = 50011,
    IDS_WDAD_FINAL_FIX_LIB_B2G_TITLE = 50012,
    IDS_WDAD_FINAL_FIX_LIB_B2G_DESCRIPTION = 50013,
    IDS_ERROR_FILE_CAN_NOT_WRITE_FILE_CHECK_FP = 100011,
    IDS_ERROR_PROMPT_LIMLIT_ACTIONS = 100026,
    IDS_QXT_PRODUCT = 140000,
    IDS_QXT_COMPANY = 140002,
};

// The text of entry id in the current UI language, with %1..%3 replaced by the
// arguments given. An unknown id gives an empty text.
std::string LoadUiString(int id, const std::string& arg1 = {}, const std::string& arg2 = {},
                         const std::string& arg3 = {});

// Line n (0-based) of a text of several lines separated by CR LF; empty past the end.
std::string UiStringLine(const std::string& text, int n);

// Plain substring replacement, for the caller-filled "#1".."#C" placeholders.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

}  // namespace zelvo
