// The View menu's dialogs: Font Size (the size of either area, typed or chosen) and the
// proportion between the edit areas with a live preview.
#pragma once

#include <windows.h>

#include <functional>

#include "app/edit_area.h"
#include "platform/win/handles.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/dialog.h"

namespace zelvo {

// Dialog 252. The area chosen when it opens is ticked; switching the area keeps what was
// typed for the other one. OK refuses a text that is no size from 1 to 600 with a message
// and stays open; after OK, the sizes to apply are read from sourcePoints() and
// destinationPoints() (unchanged sizes come back as they were given).
class FontSizeDialog : public Dialog {
  public:
    FontSizeDialog(EditArea preselected, int sourcePoints, int destinationPoints);

    int sourcePoints() const { return points_[0]; }
    int destinationPoints() const { return points_[1]; }
    EditArea tickedArea() const { return ticked_; }

  protected:
    bool OnInitDialog() override;
    void OnOk() override;

  private:
    void Tick(EditArea area);
    // Takes the typed text for the ticked area; false (after saying so) when it is no size.
    bool TakeTypedSize();
    void ShowSize(EditArea area);

    EditArea ticked_;
    int points_[2];
    Button source_;
    Button destination_;
    ComboBox sizes_;
    UniqueFont font_;
};

// Dialog 242. Every change of the list calls preview with the new proportion at once;
// Reset chooses 50. Closing other than with OK hands preview the proportion the dialog
// opened with again, when it was changed.
class ProportionDialog : public Dialog {
  public:
    using Preview = std::function<void(int proportion)>;
    ProportionDialog(int proportion, Preview preview);

    int proportion() const { return current_; }

  protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void OnClose() override { OnCancel(); }

  private:
    void Choose(int proportion);

    int opened_;
    int current_;
    Preview preview_;
    ComboBox list_;
    Button reset_;
    UniqueFont font_;
};

}  // namespace zelvo
