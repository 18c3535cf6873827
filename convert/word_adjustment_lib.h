// Word adjustment libraries: phrase lists applied after the character conversion.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace zelvo {

struct WordAdjustmentLib {
    std::string title;
    std::string description;  // lines joined by CR LF
    std::string path;
    int kind = 0;  // system libs: 1..6 (see LibKindName); 0 for custom libs
    bool isSystem = false;
    bool isG2B = true;
    bool apply = false;
    std::vector<std::string> wordsBefore;  // ascending byte order, equal words in file order
    std::vector<std::string> wordsAfter;   // parallel to wordsBefore
    int64_t fileTime = 0;                  // last-write time, seconds since 1970
};

using WordAdjustmentLibList = std::vector<std::unique_ptr<WordAdjustmentLib>>;

}  // namespace zelvo
