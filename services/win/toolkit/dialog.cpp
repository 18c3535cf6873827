#include "services/win/toolkit/dialog.h"

#include "services/ui_strings.h"
#include "services/win/toolkit/controls.h"
#include "services/win/toolkit/win_text.h"

namespace zelvo {

namespace {
HINSTANCE resourceInstance = nullptr;
// The windows that speak for the program, in the order they opened: modal dialogs and the
// main window. Every window lives on the one user-interface thread.
std::vector<HWND> speakingWindows;
}  // namespace

void Dialog::SetResourceInstance(HINSTANCE instance) {
    resourceInstance = instance;
}
HINSTANCE Dialog::ResourceInstance() {
    return resourceInstance ? resourceInstance : GetModuleHandleW(nullptr);
}

HWND Dialog::SpeakingWindow() {
    for (auto it = speakingWindows.rbegin(); it != speakingWindows.rend(); ++it)
        if (IsWindow(*it)) return *it;
    return nullptr;
}

void Dialog::BeginSpeaking() {
    if (modal_ || speaksForProgram_) BeginSpeakingFor(hwnd_);
}

void Dialog::EndSpeaking() {
    EndSpeakingFor(hwnd_);
}

void Dialog::BeginSpeakingFor(HWND window) {
    speakingWindows.push_back(window);
}

void Dialog::EndSpeakingFor(HWND window) {
    std::erase(speakingWindows, window);
}

Dialog::Dialog(int templateId) : templateId_(templateId) {}

Dialog::~Dialog() {
    // A modeless window must not outlive the object its procedure points at.
    if (hwnd_ && !modal_) {
        HWND window = hwnd_;
        EndSpeaking();
        hwnd_ = nullptr;
        SetWindowLongPtrW(window, DWLP_USER, 0);
        DestroyWindow(window);
    }
}

INT_PTR Dialog::RunModal(HWND parent) {
    if (hwnd_) return -1;
    modal_ = true;
    INT_PTR result = DialogBoxParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    modal_ = false;
    hwnd_ = nullptr;
    return result;
}

bool Dialog::CreateModeless(HWND parent) {
    if (hwnd_) return true;
    modal_ = false;
    HWND window = CreateDialogParamW(ResourceInstance(), MAKEINTRESOURCEW(templateId_), parent, DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return window != nullptr;
}

void Dialog::End(INT_PTR result) {
    if (!hwnd_) return;
    // An ending dialog speaks for nothing any more, though its window lives until its loop returns.
    EndSpeaking();
    if (modal_)
        EndDialog(hwnd_, result);
    else
        DestroyWindow(hwnd_);
}

void Dialog::BindCommand(int id, CommandHandler handler) {
    commands_[id] = std::move(handler);
}

void Dialog::BindControl(int id, Control& control) {
    // Bound before the window exists, the control is attached when the dialog initialises.
    if (hwnd_) control.Attach(hwnd_, id);
    boundControls_.emplace_back(id, &control);
    BindCommand(id, [&control](int, int notifyCode) { control.OnNotify(notifyCode); });
}

void Dialog::BindCommandRange(int firstId, int lastId, CommandHandler handler) {
    commandRanges_.push_back({{firstId, lastId}, std::move(handler)});
}

void Dialog::RelabelControls() {
    for (const auto& [controlId, stringId] : labels_) {
        HWND control = Item(controlId);
        if (control) SetWindowTextW(control, WidenUiText(LoadUiString(stringId)).c_str());
    }
}

bool Dialog::DispatchCommand(int id, int notifyCode) {
    auto it = commands_.find(id);
    if (it != commands_.end()) {
        it->second(id, notifyCode);
        return true;
    }
    for (const auto& [range, handler] : commandRanges_) {
        if (id >= range.first && id <= range.second) {
            handler(id, notifyCode);
            return true;
        }
    }
    return false;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* opening = message == WM_INITDIALOG ? reinterpret_cast<Dialog*>(lParam) : nullptr;
    return RouteMessage(opening, window, message, wParam, lParam);
}

INT_PTR Dialog::RouteMessage(Dialog* opening, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = opening;
        if (!self) return FALSE;
        self->hwnd_ = window;
        SetWindowLongPtrW(window, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->BeginSpeaking();
    } else {
        self = reinterpret_cast<Dialog*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (!self) return FALSE;
    INT_PTR result = self->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        self->EndSpeaking();
        SetWindowLongPtrW(window, DWLP_USER, 0);
        self->hwnd_ = nullptr;
        // The controls went with the window.
        for (auto& bound : self->boundControls_) bound.second->Attach(nullptr);
    }
    return result;
}

INT_PTR Dialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    INT_PTR result = 0;
    if (OnMessage(message, wParam, lParam, result)) return result;
    switch (message) {
        case WM_INITDIALOG:
            for (auto& [id, control] : boundControls_) control->Attach(hwnd_, id);
            RelabelControls();
            return OnInitDialog() ? TRUE : FALSE;
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            if (DispatchCommand(id, code)) return TRUE;
            if (id == IDOK) {
                OnOk();
                return TRUE;
            }
            if (id == IDCANCEL) {
                OnCancel();
                return TRUE;
            }
            return FALSE;
        }
        case WM_SIZE:
            OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
            return TRUE;
        case WM_TIMER:
            OnTimer(wParam);
            return TRUE;
        case WM_CLOSE:
            OnClose();
            return TRUE;
        case WM_DESTROY:
            OnDestroy();
            return TRUE;
        case WM_HELP:
            OpenHelpTopic(HelpTopic());
            return TRUE;
        default:
            return FALSE;
    }
}

}  // namespace zelvo
