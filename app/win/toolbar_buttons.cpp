#include "app/win/toolbar_buttons.h"

#include "app/win/flat_button.h"
#include "resources/resource.h"

namespace zelvo {

namespace {

constexpr ToolbarButton kSourceButtons[] = {
    {IDM_SOURCE_OPEN, IDB_TOOL_OPEN},
    {IDM_SOURCE_CLOSE, IDB_TOOL_CLOSE},
    {IDM_SOURCE_SAVE, IDB_TOOL_SAVE},
    {IDM_SOURCE_PROPERTIES, IDB_TOOL_PROPERTIES},
    {IDM_SOURCE_CUT, IDB_TOOL_CUT},
    {IDM_SOURCE_COPY, IDB_TOOL_COPY},
    {IDM_SOURCE_COPY_ALL, IDB_TOOL_COPY_ALL},
    {IDM_SOURCE_PASTE, IDB_TOOL_PASTE},
    {IDM_SOURCE_FIND_REPLACE, IDB_TOOL_FIND},
    {IDM_TOGGLE_SOURCE_AREA, IDB_TOOL_SOURCE_AREA},
    {IDM_TOGGLE_DESTINATION_AREA, IDB_TOOL_DESTINATION_AREA},
    {IDM_TRANSFER_G2B, IDB_TOOL_G2B},
    {IDM_TRANSFER_B2G, IDB_TOOL_B2G},
    {IDM_SITE_TRANSFER, IDB_TOOL_SITE_TRANSFER},
    {IDM_PROFILE_OPERATIONS, IDB_TOOL_PROFILES},
    {IDM_NEW, IDB_TOOL_NEW},
    {IDM_ALWAYS_ON_TOP, IDB_TOOL_ON_TOP},
    {IDM_EXIT, IDB_TOOL_EXIT},
};
constexpr size_t kSourceRightCount = 4;

constexpr ToolbarButton kDestinationButtons[] = {
    {IDM_DESTINATION_OPEN, IDB_TOOL_OPEN},
    {IDM_DESTINATION_CLOSE, IDB_TOOL_CLOSE},
    {IDM_DESTINATION_SAVE, IDB_TOOL_SAVE},
    {IDM_DESTINATION_PROPERTIES, IDB_TOOL_PROPERTIES},
    {IDM_DESTINATION_CUT, IDB_TOOL_CUT},
    {IDM_DESTINATION_COPY, IDB_TOOL_COPY},
    {IDM_DESTINATION_COPY_ALL, IDB_TOOL_COPY_ALL},
    {IDM_DESTINATION_PASTE, IDB_TOOL_PASTE},
    {IDM_DESTINATION_FIND_REPLACE, IDB_TOOL_FIND},
    {IDM_TOGGLE_SOURCE_AREA_D, IDB_TOOL_SOURCE_AREA},
    {IDM_TOGGLE_DESTINATION_AREA_D, IDB_TOOL_DESTINATION_AREA},
};

}  // namespace

std::span<const ToolbarButton> SourceToolbarButtons() {
    return kSourceButtons;
}

std::span<const ToolbarButton> SourceToolbarRightButtons() {
    return std::span<const ToolbarButton>(kSourceButtons).last(kSourceRightCount);
}

std::span<const ToolbarButton> DestinationToolbarButtons() {
    return kDestinationButtons;
}

int AddToolbarButtons(FlatButtonSet& buttons, HWND window, HINSTANCE instance) {
    int added = 0;
    for (auto row : {SourceToolbarButtons(), DestinationToolbarButtons()})
        for (const ToolbarButton& button : row)
            if (buttons.Add(window, button.commandId, instance, button.bitmapId)) ++added;
    return added;
}

}  // namespace zelvo
