#include "cli/program_folder.h"

#include "platform/file_system.h"

namespace zelvo::cli {

std::string ProgramFolder(const std::string& home) {
    if (!home.empty()) return home;
    std::string own = ParentFolder(ProgramFilePath());
    if (FolderExists(JoinPath(own, "ctwa"))) return own;
#ifdef ZELVO_DIST_DIR
    if (FolderExists(JoinPath(ZELVO_DIST_DIR, "ctwa"))) return ZELVO_DIST_DIR;
#endif
    return own;
}

bool LoadDirectionLibs(const std::string& programFolder, bool isG2B, WordAdjustmentLibList& libs,
                       ConversionContext& context) {
    if (!FolderExists(JoinPath(programFolder, "ctwa"))) return false;
    LibFolders folders{JoinPath(programFolder, "ctwa"), JoinPath(programFolder, "config")};
    LoadLibList(libs, isG2B, false, folders);
    (isG2B ? context.g2bLibs : context.b2gLibs) = &libs;
    (isG2B ? context.g2bAppliedTotal : context.b2gAppliedTotal) = CountAppliedItems(libs);
    return true;
}

}  // namespace zelvo::cli
