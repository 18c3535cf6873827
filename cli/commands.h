// The subcommands of zelvoc, one file each.
#pragma once

#include <string>
#include <vector>

namespace zelvo::cli {

using Arguments = std::vector<std::string>;

int RunConvert(const Arguments& args);
int RunDetect(const Arguments& args);
int RunTransfer(const Arguments& args);

struct Command {
    const char* name;
    int (*run)(const Arguments& args);
};

// The table of subcommands; a new subcommand adds its row in commands.cpp.
const std::vector<Command>& Commands();

}  // namespace zelvo::cli
