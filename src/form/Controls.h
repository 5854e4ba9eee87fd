#pragma once

#include <functional>

// Small models of the window's controls. The model, not the real control, is the
// source of truth: the Win32 layer shows what the model holds (through onShow) and
// reports a user's action to the model, so a user's click and the program's own
// change of a control take the same path.

namespace datrelle {

class CheckBox {
  public:
    static constexpr int kUnchecked = 0;
    static constexpr int kChecked = 1;
    static constexpr int kGreyed = 2;

    explicit CheckBox(int state) : state_(state) {}

    int Value() const { return state_; }

    // A box knows three states; any other value is refused (false) and changes nothing.
    // A new state runs the click handler, exactly as a user's click does; the state
    // the box already has runs nothing.
    bool SetValue(int state);

    // A user's click checks a box that is not checked and unchecks a checked one.
    void UserClick() { SetValue(state_ == kChecked ? kUnchecked : kChecked); }

    std::function<void()> onClick;
    std::function<void()> onShow;

  private:
    int state_;
};

class CommandButton {
  public:
    explicit CommandButton(bool enabled = true, bool visible = true)
        : enabled_(enabled), visible_(visible) {}

    bool Enabled() const { return enabled_; }
    bool Visible() const { return visible_; }
    void SetEnabled(bool enabled);
    void SetVisible(bool visible);

    // Pressing the button from code runs its click handler as a mouse click does.
    // A disabled button cannot be clicked, so pressing it does nothing either.
    void Press();

    std::function<void()> onClick;
    std::function<void()> onShow;

  private:
    bool enabled_;
    bool visible_;
};

class MenuItem {
  public:
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);

    void Click() const {
        if (onClick) {
            onClick();
        }
    }

    std::function<void()> onClick;
    std::function<void()> onShow;

  private:
    bool checked_ = false;
};

// A window timer. An interval of 0 never fires, even when the timer is enabled.
class Timer {
  public:
    explicit Timer(int interval) : interval_(interval) {}

    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    // A negative interval is refused (false) and the timer keeps the one it has.
    bool SetInterval(int milliseconds);
    void SetEnabled(bool enabled);
    // Enables the timer with this interval, counted from now even when it ran with the
    // same one already: a wake-up armed anew.
    void Restart(int milliseconds);

    // True when the timer would fire: enabled with an interval above 0.
    bool Running() const { return enabled_ && interval_ > 0; }

    void Tick() const {
        if (onTick) {
            onTick();
        }
    }

    std::function<void()> onTick;
    std::function<void()> onShow;

  private:
    int interval_;
    bool enabled_ = false;
};

}  // namespace datrelle
