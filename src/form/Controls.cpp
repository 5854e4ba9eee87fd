#include "form/Controls.h"

namespace datrelle {
namespace {

void Notify(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

}  // namespace

bool CheckBox::SetValue(int state) {
    if (state < kUnchecked || state > kGreyed) {
        return false;
    }
    if (state == state_) {
        return true;
    }
    state_ = state;
    Notify(onShow);
    Notify(onClick);
    return true;
}

void CommandButton::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Notify(onShow);
    }
}

void CommandButton::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        Notify(onShow);
    }
}

void CommandButton::Press() {
    if (enabled_) {
        Notify(onClick);
    }
}

void MenuItem::SetChecked(bool checked) {
    if (checked != checked_) {
        checked_ = checked;
        Notify(onShow);
    }
}

bool Timer::SetInterval(int milliseconds) {
    if (milliseconds < 0) {
        return false;
    }
    if (milliseconds != interval_) {
        interval_ = milliseconds;
        Notify(onShow);
    }
    return true;
}

void Timer::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        Notify(onShow);
    }
}

void Timer::Restart(int milliseconds) {
    interval_ = milliseconds;
    enabled_ = true;
    Notify(onShow);
}

}  // namespace datrelle
