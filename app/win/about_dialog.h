// The About dialog (template 100): the program icon, product name and version, build
// date and copyright, written in the UI language when it opens.
#pragma once

#include <string>

#include "app/editor_app.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {

class EditorApp;

struct AboutTexts {
    std::string caption;    // "About %1"
    std::string product;    // "%1 %2 Version %3": company, product, version
    std::string build;      // "Build: %1" with the build date
    std::string copyright;  // "Copyright (C) %1. All rights reserved." with the company
    std::string ok;
};

// The texts in the current UI language (bytes in the UI code page). Names the application
// has not set yet come from the UI string table.
AboutTexts MakeAboutTexts(const EditorApp& app);

class AboutDialog : public Dialog {
  public:
    explicit AboutDialog(const EditorApp& app);
    ~AboutDialog() override;

  protected:
    bool OnInitDialog() override;

  private:
    const EditorApp& app_;
    UniqueFont font_;
};

}  // namespace zelvo
