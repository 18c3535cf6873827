// Tools > Options: the property sheet "Options" with the General page (dialog 280) and the
// Code Transfer page (dialog 140). Each page reads its settings when it opens and writes
// them when the sheet is confirmed.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "platform/win/handles.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/property_sheet.h"
#include "transfer/options.h"

namespace zelvo {

// What the sheet asks of the program and hands back to it.
struct OptionsDialogArgs {
    std::string productName;
    std::function<bool()> isShellExtensionRegistered;
    std::function<void(bool enable)> setShellExtension;
};

// Dialog 280: the count of recent files and the Explorer entry.
class OptionsGeneralPage : public PropertyPage {
  public:
    explicit OptionsGeneralPage(const OptionsDialogArgs& args);

  protected:
    bool OnInitDialog() override;
    bool OnApply() override;

  private:
    const OptionsDialogArgs& args_;
    ComboBox count_;
    Button shellOpen_;
    UniqueFont font_;
};

// Dialog 140: where an edit-area transfer puts its result, path names, lib validation.
class OptionsCodeTransferPage : public PropertyPage {
  public:
    OptionsCodeTransferPage();
    // The options written on OK; what the program follows from then on.
    const CodeTransferOptions& options() const { return options_; }
    bool applied() const { return applied_; }

  protected:
    bool OnInitDialog() override;
    bool OnApply() override;

  private:
    CodeTransferOptions options_;
    bool applied_ = false;
    Button toSource_;
    Button toDestination_;
    Button changePathCode_;
    Button checkWd_;
    UniqueFont font_;
};

// Runs the sheet over owner. When the Code Transfer page was confirmed, its options come
// back for the running program to follow.
std::optional<CodeTransferOptions> RunOptionsDialog(HWND owner, const OptionsDialogArgs& args);

}  // namespace zelvo
