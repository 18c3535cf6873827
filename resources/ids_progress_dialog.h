// The "Code Transfer" progress dialog of long edit-area and clipboard conversions.
#pragma once

#define IDD_PROGRESS 251
#define IDC_PROGRESS_BAR 1142
#define IDC_PROGRESS_OPERATION 1143
#define IDC_PROGRESS_PERCENT 1144
