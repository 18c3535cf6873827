// The two edit areas of the main window. The values are those the context area takes
// (1 Source, 3 Destination); 0 means no area has been chosen yet.
#pragma once

#include "services/menu_entry.h"

namespace zelvo {

enum class EditArea : int { kNone = 0, kSource = 1, kDestination = 3 };

}  // namespace zelvo
