#include "form/Bindings.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace datrelle {
namespace {

template <typename Enum>
constexpr int Number(Enum number) {
    return static_cast<int>(number);
}

// A model of the form, named by its member, under its number: each kind of model takes
// its own kind of number.
struct Row {
    constexpr Row(ControlId box, CheckBox Form::*model) : id(Number(box)), member(model) {}
    constexpr Row(ControlId button, CommandButton Form::*model)
        : id(Number(button)), member(model) {}
    constexpr Row(MenuCommand command, MenuItem Form::*model)
        : id(Number(command)), member(model) {}
    constexpr Row(TimerNumber timer, Timer Form::*model) : id(Number(timer)), member(model) {}

    int id;
    std::variant<CheckBox Form::*, CommandButton Form::*, MenuItem Form::*, Timer Form::*> member;
};

using enum ControlId;

constexpr Row kRows[] = {
    {Check1, &Form::Check1},
    {Check2, &Form::Check2},
    {Check3, &Form::Check3},
    {Check4, &Form::Check4},
    {Command1, &Form::Command1},
    {Command2, &Form::Command2},
    {Command3, &Form::Command3},
    {Command4, &Form::Command4},
    {Command5, &Form::Command5},
    {Command6, &Form::Command6},
    {Command7, &Form::Command7},
    {Command8, &Form::Command8},
    {Command9, &Form::Command9},
    {MenuCommand::Settings, &Form::MnuSettings},
    {MenuCommand::OpenFileInBrowser, &Form::mnuOpenFileInBrowser},
    {MenuCommand::AutoApp, &Form::mnuAutoApp},
    {MenuCommand::CopyClipLong, &Form::MnuCopyClipLong},
    {MenuCommand::CopyClipShort, &Form::MnuCopyClipShort},
    {MenuCommand::CopyClipIso, &Form::MnuCopyClipIso},
    {MenuCommand::CopyWeek, &Form::MnuCopyWeek},
    {MenuCommand::Calendar, &Form::mnuCalendar},
    {MenuCommand::ShowWeek, &Form::mnuShowWeek},
    {MenuCommand::WeekRegional, &Form::mnuWeekRegional},
    {MenuCommand::WeekIso, &Form::mnuWeekIso},
    {MenuCommand::WeekSunday, &Form::mnuWeekSunday},
    {MenuCommand::Exit, &Form::mnuExit},
    {TimerNumber::Timer1, &Form::Timer1},
    {TimerNumber::Timer2, &Form::Timer2},
    {TimerNumber::Timer3, &Form::Timer3},
    {TimerNumber::NewDay, &Form::NewDayTimer},
};

template <typename Model>
constexpr std::size_t SizeOf(Model Form::*) {
    return sizeof(Model);
}

// Form holds nothing but models, so the models of the rows, when no two rows name the
// same one, fill it exactly if every model has its row: one left out leaves bytes over.
constexpr bool EveryModelOnceUnderANumberOfItsOwn() {
    std::size_t bytes = 0;
    for (std::size_t row = 0; row < std::size(kRows); ++row) {
        for (std::size_t earlier = 0; earlier < row; ++earlier) {
            if (kRows[earlier].id == kRows[row].id || kRows[earlier].member == kRows[row].member) {
                return false;
            }
        }
        bytes += std::visit([](auto member) { return SizeOf(member); }, kRows[row].member);
    }
    return bytes == sizeof(Form);
}
static_assert(EveryModelOnceUnderANumberOfItsOwn(),
              "every model of Form needs one row of kRows, under a number no other row has");

}  // namespace

std::vector<Binding> Bindings(Form& form) {
    std::vector<Binding> bindings;
    bindings.reserve(std::size(kRows));
    for (const Row& row : kRows) {
        bindings.push_back(
            {row.id, std::visit([&form](auto member) -> BoundModel { return &(form.*member); },
                                row.member)});
    }
    return bindings;
}

void Route(std::span<const Binding> bindings, int id, ControlEvent event) {
    const auto bound = std::ranges::find(bindings, id, &Binding::id);
    if (bound == bindings.end()) {
        return;
    }
    std::visit(ForEachKind{[event](CheckBox* box) {
                               if (event == ControlEvent::Clicked) {
                                   box->UserClick();
                               }
                           },
                           [event](CommandButton* button) {
                               if (event != ControlEvent::Ticked) {
                                   button->Press();
                               }
                           },
                           [event](MenuItem* item) {
                               if (event == ControlEvent::Clicked) {
                                   item->Click();
                               }
                           },
                           [event](Timer* timer) {
                               if (event == ControlEvent::Ticked) {
                                   timer->Tick();
                               }
                           }},
               bound->model);
}

}  // namespace datrelle
