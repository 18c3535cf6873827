// The dialog framework every window of the program sits on. A Dialog owns its HWND,
// runs modal or modeless from a resource template, dispatches WM_COMMAND through a table
// from control id to handler, and relabels its controls from the UI string table when it
// opens.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "services/help.h"

namespace zelvo {

class Control;

class Dialog {
  public:
    using CommandHandler = std::function<void(int id, int notifyCode)>;

    explicit Dialog(int templateId);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; returns what End was given, or -1 when it could not open.
    INT_PTR RunModal(HWND parent);
    // Creates the dialog as a modeless window; false when it could not be created.
    bool CreateModeless(HWND parent);
    // Ends a modal run with the result, or destroys a modeless window.
    void End(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    bool IsModal() const { return modal_; }
    int TemplateId() const { return templateId_; }

    // The instance whose resources hold the templates (the program's, or a test's).
    static void SetResourceInstance(HINSTANCE instance);
    static HINSTANCE ResourceInstance();

    // The window a question asked now speaks for, and so its owner: the innermost modal
    // dialog still open, or else a window that speaks for the program (the main window,
    // modal or not); null when none is open.
    static HWND SpeakingWindow();

  protected:
    // The command table: a control id, or a range of ids for dynamic menus, to a handler.
    void BindCommand(int id, CommandHandler handler);
    void BindCommandRange(int firstId, int lastId, CommandHandler handler);
    // Attaches the control of the template with this id and hands it the notifications it
    // sends, for its named callbacks. The control must live as long as the dialog.
    void BindControl(int id, Control& control);
    template <class T>
    void BindCommand(int id, void (T::*method)()) {
        T* self = static_cast<T*>(this);
        BindCommand(id, [self, method](int, int) { (self->*method)(); });
    }

    // A window that speaks for the program while it is open, modal or not: questions asked
    // with no dialog of its own open are owned by it. Set before the window opens.
    void SetSpeaksForProgram() { speaksForProgram_ = true; }

    // Pairs of control id and UI string id applied by RelabelControls.
    void SetLabels(std::vector<std::pair<int, int>> labels) { labels_ = std::move(labels); }
    // Writes each labelled control's text from the UI string table in the UI language.
    // Called when the dialog opens, before OnInitDialog, and again when the UI language changes.
    virtual void RelabelControls();

    // Handlers. OnInitDialog returns what WM_INITDIALOG returns (true: default focus).
    virtual bool OnInitDialog() { return true; }
    virtual void OnSize(UINT type, int width, int height) {}
    virtual void OnTimer(UINT_PTR timerId) {}
    // The close box and Alt+F4. The default ends the dialog with IDCANCEL.
    virtual void OnClose() { End(IDCANCEL); }
    virtual void OnDestroy() {}
    // IDOK and IDCANCEL when nothing is bound to them.
    virtual void OnOk() { End(IDOK); }
    virtual void OnCancel() { End(IDCANCEL); }
    // The help topic F1 opens while the dialog is active.
    virtual int HelpTopic() const { return kHelpTopicStart; }
    // Any other message; return true and set result when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result) { return false; }

    // For dialogs that open by another road than RunModal and CreateModeless (a property
    // sheet page, whose WM_INITDIALOG carries its page description): the dialog procedure's
    // work, with the object that opens given on WM_INITDIALOG.
    static INT_PTR RouteMessage(Dialog* opening, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // A modal window the toolkit runs without a Dialog of its own (a property sheet) speaks
    // for the program from Begin to End, as a modal dialog does.
    static void BeginSpeakingFor(HWND window);
    static void EndSpeakingFor(HWND window);

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool DispatchCommand(int id, int notifyCode);

    void BeginSpeaking();
    void EndSpeaking();

    int templateId_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool speaksForProgram_ = false;
    std::map<int, CommandHandler> commands_;
    std::vector<std::pair<std::pair<int, int>, CommandHandler>> commandRanges_;
    std::vector<std::pair<int, int>> labels_;
    std::vector<std::pair<int, Control*>> boundControls_;
};

}  // namespace zelvo
