#include "win32/ViewBinding.h"

namespace datrelle::win32 {

void BindViews(std::span<const Binding> bindings, const ControlWindows& controls, HWND window,
               HMENU popup) {
    for (const Binding& binding : bindings) {
        const int id = binding.id;
        std::visit(
            ForEachKind{
                [&](CheckBox* box) {
                    const HWND control = controls.Get(static_cast<ControlId>(id));
                    box->onShow = [control, box] {
                        SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(box->Value()), 0);
                    };
                },
                [&](CommandButton* button) {
                    const HWND control = controls.Get(static_cast<ControlId>(id));
                    button->onShow = [control, button] {
                        EnableWindow(control, button->Enabled());
                        ShowWindow(control, button->Visible() ? SW_SHOWNA : SW_HIDE);
                    };
                },
                [&](MenuItem* item) {
                    item->onShow = [popup, item, id] {
                        // Fails only for an item the menu does not have; these are its own.
                        CheckMenuItem(popup, static_cast<UINT>(id),
                                      MF_BYCOMMAND | (item->Checked() ? MF_CHECKED : MF_UNCHECKED));
                    };
                },
                [&](Timer* timer) {
                    timer->onShow = [window, timer, id] {
                        // An interval of 0 never fires; SetTimer would take it as its
                        // shortest. SetTimer fails only when the system is out of timers,
                        // and KillTimer when the timer was not running: neither leaves
                        // anything to undo.
                        if (timer->Running()) {
                            SetTimer(window, static_cast<UINT_PTR>(id),
                                     static_cast<UINT>(timer->Interval()), nullptr);
                        } else {
                            KillTimer(window, static_cast<UINT_PTR>(id));
                        }
                    };
                }},
            binding.model);
        std::visit([](auto* model) { model->onShow(); }, binding.model);
    }
}

}  // namespace datrelle::win32
