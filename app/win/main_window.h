// The program's one top-level window: dialog 102 with the Source edit area (286) above
// the Destination edit area (296). Toolbars, menus, status bar and documents come later
// on this frame.
#pragma once

#include <string>

#include "app/win/dialog.h"

namespace zelvo {

class EditorApp;

class FontHandle {
  public:
    FontHandle() = default;
    ~FontHandle() { Reset(nullptr); }
    FontHandle(const FontHandle&) = delete;
    FontHandle& operator=(const FontHandle&) = delete;
    void Reset(HFONT font) {
        if (font_) DeleteObject(font_);
        font_ = font;
    }
    HFONT get() const { return font_; }

  private:
    HFONT font_ = nullptr;
};

class MainWindow : public Dialog {
  public:
    explicit MainWindow(EditorApp& app);

    int launchIndex() const { return launchIndex_; }
    int sourceLanguageIndex() const { return sourceLanguageIndex_; }

    // Handles the stored command line once: parses it, and when it names an existing
    // file loads that file into the Source edit area. False when it was ignored.
    bool OpenFromCommandLine();

    // The bytes of an edit area in the code page its text is shown in.
    std::string SourceText() const;
    std::string DestinationText() const;

  protected:
    bool OnInitDialog() override;
    void OnSize(UINT type, int width, int height) override;
    void OnTimer(UINT_PTR timerId) override;
    void OnClose() override;
    // Enter and Escape in an edit area must not end the editor.
    void OnOk() override {}
    void OnCancel() override {}

  private:
    void LayOut();
    // Until the view settings own the areas' fonts, the Source area showing GBK or Big5 text gets
    // the system's font for that character set so the characters are drawn.
    void SetSourceFontForCodePage(int codePage);
    void ShowCaretAtStart();

    EditorApp& app_;
    int launchIndex_ = 0;
    int sourceLanguageIndex_ = -1;
    int sourceCodePage_ = 0;
    int destinationCodePage_ = 0;
    FontHandle sourceFont_;
};

}  // namespace zelvo
