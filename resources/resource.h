// Resource ids shared by the templates and the code, one header per window.
#pragma once

#include "ids_main_window.h"
#include "ids_progress_dialog.h"
#include "ids_site_transfer_dialog.h"
#include "ids_view_dialogs.h"
#include "ids_profile_dialogs.h"
#include "ids_options_dialogs.h"
#include "ids_find_replace_dialog.h"
#include "ids_update_dialog.h"
#include "ids_lib_editor_dialogs.h"
#include "ids_lib_check_dialogs.h"

// The program's message box and its variant with an editable box.
#define IDD_MESSAGE_BOX 5100
#define IDD_MESSAGE_BOX_INPUT 5101
#define IDC_MESSAGE_BOX_SLOT1 5110
#define IDC_MESSAGE_BOX_SLOT2 5111
#define IDC_MESSAGE_BOX_SLOT3 5112
#define IDC_MESSAGE_BOX_DETAILS_BUTTON 5113
#define IDC_MESSAGE_BOX_ICON 5114
#define IDC_MESSAGE_BOX_TEXT 5115
#define IDC_MESSAGE_BOX_DETAILS_TEXT 5116
#define IDC_MESSAGE_BOX_CHECK 5117
#define IDC_MESSAGE_BOX_INPUT 5118
