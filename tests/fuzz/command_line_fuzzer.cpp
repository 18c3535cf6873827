// The program's command line (a path, a quoted path or the tagged "[n]N[l]L[p]path" form)
// under the system code pages it meets, and the number readers behind it.
#include <cstdlib>
#include <string>

#include "app/command_line.h"
#include "fuzz_support.h"

using namespace zelvo;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::InputReader input(data, size);
    const unsigned choice = input.Byte();
    const int codePage = choice % 3 == 0 ? 936 : choice % 3 == 1 ? 950 : 1252;
    const std::string argument(input.Rest());
    if (auto request = ParseCommandLine(argument, codePage)) {
        if (request->launchIndex < 0 || request->languageIndex < -1) std::abort();
        if (request->path.size() > argument.size()) std::abort();
    }
    AtoiText(argument);
    if (IsDecimalText(argument) && std::to_string(AtoiText(argument)) != argument) std::abort();
    ChooseSourceLanguageIndex(static_cast<int>(choice) - 2, [] { return 134; });
    return 0;
}
