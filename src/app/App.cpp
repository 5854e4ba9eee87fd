#include "app/App.h"

namespace datrelle {

App::App(Platform& platform)
    : platform_(platform),
      sysTray_(platform, vars_),
      dateRefresh_(platform, vars_, sysTray_, form_.Check2) {
    WireHandlers();
}

void App::WireHandlers() {
    form_.Check2.onClick = [this] { dateRefresh_.OnCheck2Click(); };
    form_.Timer3.onTick = [this] { dateRefresh_.RefreshDate(); };
}

void App::Load() {
    dateRefresh_.RefreshDate();
    form_.Timer3.SetEnabled(true);
}

void App::Unload() {
    sysTray_.DeleteTrayIcon(IconKind::Day, vars_.CurDay);
    sysTray_.DeleteTrayIcon(IconKind::Month, vars_.CurMonth);
}

void App::OnTaskbarCreated() {
    dateRefresh_.AddShownIconsAgain();
}

void App::OnDateMayHaveChanged() {
    dateRefresh_.RefreshDate();
}

void App::OnIconsReloaded() {
    dateRefresh_.ReplaceShownIcons();
}

}  // namespace datrelle
