#include "services/help.h"

#include <algorithm>

#include "services/system_language.h"

namespace zelvo {
namespace {

struct TopicPage {
    int topic;
    const char* page;
};

constexpr TopicPage kTopicPages[] = {
    {0, "index.html"},
    {1, "intro.htm"},
    {2, "userguide\\0_contents.htm"},
    {3, "download.htm"},
    {7, "support.htm"},
    {8, "rel_note.htm"},
    {21, "userguide\\31_uilLan.htm"},
    {22, "userguide\\32_textlan.htm"},
    {23, "userguide\\33_text.htm"},
    {24, "userguide\\34_fromexpl.htm"},
    {25, "userguide\\35_codetransfer.htm"},
    {26, "userguide\\36_ime.htm"},
    {27, "userguide\\37_layout.htm"},
    {200, "userguide\\1_introduction.htm"},
    {201, "userguide\\2_sysreq.htm"},
};

HelpTopicOpener& Opener() {
    static HelpTopicOpener opener;
    return opener;
}

}  // namespace

std::string HelpFolderName(int uiLcid) {
    if (uiLcid == 2052) return "gb2312";
    if (uiLcid == 1028) return "big5";
    return "english";
}

std::string HelpPageOfTopic(int topic) {
    for (const TopicPage& row : kTopicPages)
        if (row.topic == topic) return row.page;
    return "index.html";
}

std::string HelpLocalPath(std::string_view appFolder, int uiLcid, int topic) {
    return std::string(appFolder) + "\\doc\\" + HelpFolderName(uiLcid) + "\\" + HelpPageOfTopic(topic);
}

std::string HelpWebAddress(int uiLcid, int topic) {
    std::string page = HelpPageOfTopic(topic);
    std::replace(page.begin(), page.end(), '\\', '/');
    return std::string(kMakerWebServer) + "/zelvo/help/" + HelpFolderName(uiLcid) + "/" + page;
}

std::string ProductHomePage(int uiLcid) {
    if (uiLcid == 2052) return std::string(kMakerWebServer) + "/zelvo/index_chs.html";
    if (uiLcid == 1028) return std::string(kMakerWebServer) + "/zelvo/index_cht.html";
    return std::string(kMakerWebServer) + "/zelvo";
}

std::string MakerHomePage(int uiLcid) {
    if (uiLcid == 2052) return std::string(kMakerWebServer) + "/index_chs.html";
    return std::string(kMakerWebServer) + "/";
}

std::optional<std::string> CommandLineForAddress(std::string_view registeredCommand, std::string_view address) {
    std::string line(registeredCommand);
    size_t cut = line.find("\"%1\"");
    if (cut == std::string::npos) cut = line.find("%1");
    if (cut != std::string::npos) line.erase(cut);
    while (!line.empty() && (line.back() == ' ' || line.back() == '\t')) line.pop_back();
    if (line.empty()) return std::nullopt;
    return line + " " + std::string(address);
}

void SetHelpTopicOpener(HelpTopicOpener opener) {
    Opener() = std::move(opener);
}

void OpenHelpTopic(int topic) {
    if (Opener()) Opener()(topic);
}

}  // namespace zelvo
