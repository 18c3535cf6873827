#include "cli/commands.h"

#include <cstdio>

namespace zelvo::cli {

const std::vector<Command>& Commands() {
    static const std::vector<Command> table = {
        {"convert", RunConvert, &kConvertHelp},
        {"detect", RunDetect, &kDetectHelp},
        {"transfer", RunTransfer, &kTransferHelp},
        {"check-libs", RunCheckLibs, &kCheckLibsHelp},
    };
    return table;
}

int UsageError(const char* command, const std::string& message) {
    std::fprintf(stderr, "zelvoc %s: %s\nTry 'zelvoc %s --help' for the usage and the options.\n", command,
                 message.c_str(), command);
    return 2;
}

}  // namespace zelvo::cli
