// The download dialog of updates and language support packs.
#pragma once

#define IDD_UPDATE_DOWNLOAD 6400
// Starts the download, and stops it while it runs.
#define IDC_UPDATE_START 6401
#define IDC_UPDATE_EXIT 6402
#define IDC_UPDATE_STATUS 6403
#define IDC_UPDATE_PROGRESS 6404
#define IDC_UPDATE_PERCENT 6405
#define IDC_UPDATE_SPEED 6406
#define IDC_UPDATE_URL_LABEL 6407
#define IDC_UPDATE_URL 6408
#define IDC_UPDATE_SAVE_LABEL 6409
#define IDC_UPDATE_SAVE_PATH 6410
#define IDC_UPDATE_BROWSE 6411
#define IDC_UPDATE_INSTALL 6412
#define IDI_UPDATE_DOWNLOAD 6413
