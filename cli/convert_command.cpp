#include <cstdio>

#include "cli/commands.h"

namespace zelvo::cli {

int RunConvert(const Arguments&) {
    std::fputs("zelvoc convert: not built yet\n", stderr);
    return 2;
}

}  // namespace zelvo::cli
