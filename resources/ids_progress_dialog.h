// The "Code Transfer" progress dialog of long edit-area and clipboard conversions.
#pragma once

#define IDD_PROGRESS 251
#define IDC_PROGRESS_BAR 1142
#define IDC_PROGRESS_OPERATION 1143
#define IDC_PROGRESS_PERCENT 1144
// The one button cancels; it has the id of the default button, so Enter cancels too.
#define IDC_PROGRESS_CANCEL 1
