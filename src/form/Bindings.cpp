#include "form/Bindings.h"

#include <algorithm>

namespace datrelle {
namespace {

int Id(ControlId id) {
    return static_cast<int>(id);
}
int Id(MenuCommand command) {
    return static_cast<int>(command);
}
int Id(TimerNumber timer) {
    return static_cast<int>(timer);
}

}  // namespace

std::vector<Binding> Bindings(Form& form) {
    using enum ControlId;
    return {
        {Id(Check1), &form.Check1},
        {Id(Check2), &form.Check2},
        {Id(Check3), &form.Check3},
        {Id(Check4), &form.Check4},
        {Id(Command1), &form.Command1},
        {Id(Command2), &form.Command2},
        {Id(Command3), &form.Command3},
        {Id(Command4), &form.Command4},
        {Id(Command5), &form.Command5},
        {Id(Command6), &form.Command6},
        {Id(Command7), &form.Command7},
        {Id(Command8), &form.Command8},
        {Id(Command9), &form.Command9},
        {Id(MenuCommand::Settings), &form.MnuSettings},
        {Id(MenuCommand::OpenFileInBrowser), &form.mnuOpenFileInBrowser},
        {Id(MenuCommand::AutoApp), &form.mnuAutoApp},
        {Id(MenuCommand::CopyClipLong), &form.MnuCopyClipLong},
        {Id(MenuCommand::CopyClipShort), &form.MnuCopyClipShort},
        {Id(MenuCommand::Exit), &form.mnuExit},
        {Id(TimerNumber::Timer1), &form.Timer1},
        {Id(TimerNumber::Timer2), &form.Timer2},
        {Id(TimerNumber::Timer3), &form.Timer3},
        {Id(TimerNumber::NewDay), &form.NewDayTimer},
    };
}

bool Route(std::span<const Binding> bindings, int id, ControlEvent event) {
    const auto bound = std::ranges::find(bindings, id, &Binding::id);
    if (bound == bindings.end()) {
        return false;
    }
    const bool clicked = event == ControlEvent::Clicked;
    return std::visit(ForEachKind{[clicked](CheckBox* box) {
                                      if (clicked) {
                                          box->UserClick();
                                      }
                                      return clicked;
                                  },
                                  [event](CommandButton* button) {
                                      if (event == ControlEvent::Ticked) {
                                          return false;
                                      }
                                      button->Press();
                                      return true;
                                  },
                                  [clicked](MenuItem* item) {
                                      if (clicked) {
                                          item->Click();
                                      }
                                      return clicked;
                                  },
                                  [event](Timer* timer) {
                                      if (event != ControlEvent::Ticked) {
                                          return false;
                                      }
                                      timer->Tick();
                                      return true;
                                  }},
                      bound->model);
}

}  // namespace datrelle
