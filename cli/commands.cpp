#include "cli/commands.h"

namespace zelvo::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        {"convert", RunConvert},
        {"detect", RunDetect},
        {"transfer", RunTransfer},
    };
    return table;
}

}  // namespace zelvo::cli
