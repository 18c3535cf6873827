// Resource ids shared by the templates and the code.
#pragma once

#define IDD_MAIN_WINDOW 102
#define IDC_SOURCE_EDIT 286
#define IDC_DESTINATION_EDIT 296
