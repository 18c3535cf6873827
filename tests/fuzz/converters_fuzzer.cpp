// Both converters in every mode on arbitrary bytes, through the code tables alone and
// through the whole pipeline with the shipped libs of the source tree. The tables keep the
// length of the text up to its first zero byte; the pipeline keeps zero bytes where they
// were.
#include <algorithm>
#include <cstdlib>
#include <string>

#include "convert/code_tables.h"
#include "convert/pipeline.h"
#include "convert/word_adjustment_lib.h"
#include "fuzz_support.h"

using namespace zelvo;

namespace {

struct ShippedLibs {
    ShippedLibs() {
        LibFolders folders{ZELVO_SOURCE_DIR "/package/ctwa", fuzz::ScratchFolder() + "/no-config"};
        LoadLibList(g2b, true, false, folders);
        LoadLibList(b2g, false, false, folders);
        context.g2bLibs = &g2b;
        context.b2gLibs = &b2g;
        context.g2bAppliedTotal = CountAppliedItems(g2b);
        context.b2gAppliedTotal = CountAppliedItems(b2g);
        if (context.g2bAppliedTotal == 0 || context.b2gAppliedTotal == 0) std::abort();  // wrong folder
    }
    WordAdjustmentLibList g2b, b2g;
    ConversionContext context;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static ShippedLibs libs;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t textLength = std::min(bytes.find('\0'), bytes.size());
    for (int mode = 0; mode <= 3; ++mode) {
        if (TransferFromGbk(bytes, mode).size() != textLength) std::abort();
        if (TransferFromBig5(bytes, mode).size() != textLength) std::abort();
    }
    for (bool fromGbk : {true, false}) {
        for (int mode = 0; mode <= 3; ++mode) {
            std::string out;
            if (!TransferTextKeepingZeros(libs.context, nullptr, bytes, fromGbk, mode, out)) std::abort();
            if (std::count(out.begin(), out.end(), '\0') != std::count(bytes.begin(), bytes.end(), '\0'))
                std::abort();
            if (mode != 0 && out.size() != bytes.size()) std::abort();
        }
    }
    return 0;
}
