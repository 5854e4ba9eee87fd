#pragma once

#include <span>
#include <variant>
#include <vector>

#include "form/Form.h"

// The one table that binds each model of the window to the number by which Windows knows
// its control: a check box's or button's ControlId, a menu item's command, a timer's
// number. The Win32 layer shows every model on its control from it and routes the
// control's events back through it.
//
// A new control takes its model in Form, its row in Bindings.cpp, its number (a ControlId
// with the control's row in the inventory, a MenuCommand with its item in the resources,
// or a TimerNumber) and its handler in app/App.cpp. The build stops while a model of Form
// has no row, or two rows share a model or a number; the tests find a button or check box
// of the inventory without a model, and an item of the menu without one.

namespace datrelle {

// The popup menu's commands, as the resources number them (the Win32 layer's tests hold
// the menu against them), and the window's timers.
enum class MenuCommand : int {
    Settings = 301,
    OpenFileInBrowser = 302,
    AutoApp = 303,
    CopyClipLong = 305,
    CopyClipShort = 306,
    Exit = 308,
    CopyClipIso = 309,
    CopyWeek = 310,
    Calendar = 311,
    ShowWeek = 312,
    WeekRegional = 313,
    WeekIso = 314,
    WeekSunday = 315,
};
enum class TimerNumber : int { Timer1 = 1, Timer2, Timer3, NewDay };

using BoundModel = std::variant<CheckBox*, CommandButton*, MenuItem*, Timer*>;

struct Binding {
    int id;
    BoundModel model;
};

// Every model of the form, each under its own number.
std::vector<Binding> Bindings(Form& form);

// What reaches a model from its control.
enum class ControlEvent {
    Clicked,  // a check box or button clicked, a menu item chosen
    Pressed,  // Enter on the focused control: buttons only
    Ticked,   // a timer's tick: timers only
};

// Hands the event to the model bound to id, when that model takes it: a check box changes
// its state as a user's click does, a button is pressed, a menu item clicked, a timer
// ticks. Any other event, and any other number, reaches nothing.
void Route(std::span<const Binding> bindings, int id, ControlEvent event);

// One lambda for each kind of model, for std::visit.
template <typename... Lambdas>
struct ForEachKind : Lambdas... {
    using Lambdas::operator()...;
};
template <typename... Lambdas>
ForEachKind(Lambdas...) -> ForEachKind<Lambdas...>;

}  // namespace datrelle
