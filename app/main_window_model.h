// The main window without the window: which parts are shown, where they go, which
// commands are enabled and checked, what the menus hold, what the status bar and the
// title say, and the decisions of an edit area transfer. The Win32 window asks this
// module and carries out the answers; nothing here touches the system.
// Each of those ideas has its own header; this one gathers them for the window.
#pragma once

#include "app/command_state.h"
#include "app/main_menus.h"
#include "app/main_window_layout.h"
#include "app/status_texts.h"
#include "app/transfer_plan.h"
#include "app/view_state.h"
