// The program folder whose ctwa libs and config settings a zelvoc command uses.
#pragma once

#include <string>

#include "convert/pipeline.h"
#include "convert/word_adjustment_lib.h"

namespace zelvo::cli {

// home when given (--home), else the folder of this program, else the program folder
// of the build it came from.
std::string ProgramFolder(const std::string& home);

// Loads the direction's lib list from the program folder into libs and points the
// context at it. False (libs untouched) when the folder holds no ctwa folder.
bool LoadDirectionLibs(const std::string& programFolder, bool isG2B, WordAdjustmentLibList& libs,
                       ConversionContext& context);

}  // namespace zelvo::cli
