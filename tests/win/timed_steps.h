// Drives a modal window from a timer while the test's thread sits in its modal loop: every
// tick finds the window by its caption and, once it shows, runs the next step on it. After
// kMaxTicks the window is given up: onTimeout (if set) closes it and timedOut is set.
// Steps may also name their own windows, for dialogs that open over one another.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

namespace zelvo {

class TimedSteps {
  public:
    using Step = std::function<void(HWND window)>;
    static constexpr UINT kTickMs = 40;
    static constexpr int kMaxTicks = 150;  // six seconds for any one window

    TimedSteps(std::wstring caption, std::vector<Step> steps, std::function<void(HWND)> onTimeout = {})
        : caption_(std::move(caption)), steps_(std::move(steps)), onTimeout_(std::move(onTimeout)) {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
    }
    ~TimedSteps() {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    // Each step on the window of its own caption, once that window shows and takes input (a
    // dialog with a modal dialog of its own open over it is disabled); every step has
    // kMaxTicks to find its window.
    struct CaptionedStep {
        std::wstring caption;
        Step step;
    };
    explicit TimedSteps(std::vector<CaptionedStep> steps, std::function<void(HWND)> onTimeout = {})
        : onTimeout_(std::move(onTimeout)), captioned_(true) {
        for (CaptionedStep& step : steps) {
            captions_.push_back(std::move(step.caption));
            steps_.push_back(std::move(step.step));
        }
        current_ = this;
        timer_ = SetTimer(nullptr, 0, kTickMs, Tick);
    }
    TimedSteps(const TimedSteps&) = delete;
    TimedSteps& operator=(const TimedSteps&) = delete;

    bool timedOut() const { return timedOut_; }
    size_t stepsRun() const { return next_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TimedSteps* self = current_;
        if (!self) return;
        const std::wstring& caption =
            !self->captioned_ ? self->caption_
                              : self->captions_[std::min(self->next_, self->captions_.size() - 1)];
        HWND window = FindWindowW(nullptr, caption.c_str());
        if (++self->ticks_ > kMaxTicks) {
            self->timedOut_ = true;
            if (window && self->onTimeout_) self->onTimeout_(window);
            return;
        }
        if (!window || !IsWindowVisible(window)) return;
        if (self->captioned_ && !IsWindowEnabled(window)) return;
        if (self->next_ < self->steps_.size()) {
            if (self->captioned_) self->ticks_ = 0;
            self->steps_[self->next_++](window);
        }
    }

    inline static TimedSteps* current_ = nullptr;
    std::wstring caption_;
    std::vector<std::wstring> captions_;
    std::vector<Step> steps_;
    std::function<void(HWND)> onTimeout_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool timedOut_ = false;
    bool captioned_ = false;
    UINT_PTR timer_ = 0;
};

}  // namespace zelvo
