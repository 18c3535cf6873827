// Drives a modal window from a timer while the test's thread sits in its modal loop: every
// tick finds the window by its caption and, once it shows, runs the next step on it. After
// kMaxTicks the window is given up: onTimeout (if set) closes it and timedOut is set.
#pragma once

#include <windows.h>

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
    TimedSteps(const TimedSteps&) = delete;
    TimedSteps& operator=(const TimedSteps&) = delete;

    bool timedOut() const { return timedOut_; }
    size_t stepsRun() const { return next_; }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        TimedSteps* self = current_;
        if (!self) return;
        HWND window = FindWindowW(nullptr, self->caption_.c_str());
        if (++self->ticks_ > kMaxTicks) {
            self->timedOut_ = true;
            if (window && self->onTimeout_) self->onTimeout_(window);
            return;
        }
        if (!window || !IsWindowVisible(window)) return;
        if (self->next_ < self->steps_.size()) self->steps_[self->next_++](window);
    }

    inline static TimedSteps* current_ = nullptr;
    std::wstring caption_;
    std::vector<Step> steps_;
    std::function<void(HWND)> onTimeout_;
    size_t next_ = 0;
    int ticks_ = 0;
    bool timedOut_ = false;
    UINT_PTR timer_ = 0;
};

}  // namespace zelvo
