#include "cli/commands.h"

namespace zelvo::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        {"convert", RunConvert},
        {"detect", RunDetect},
    };
    return table;
}

}  // namespace zelvo::cli
