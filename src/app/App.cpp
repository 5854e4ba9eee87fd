#include "app/App.h"

namespace datrelle {

void SkipOnFailure(const std::function<void()>& step) noexcept {
    try {
        step();
    } catch (...) {
        // Deliberately nothing: the sequence goes on with its next step.
    }
}

App::App(Platform& platform)
    : platform_(platform),
      sysTray_(platform, vars_),
      dateRefresh_(platform, vars_, sysTray_, form_.Check2, form_.NewDayTimer),
      layout_(platform.window),
      weekIcon_(platform, vars_, form_, sysTray_),
      trayMouse_(platform.window, platform.clipboard, platform.calendar, form_, vars_, sysTray_,
                 platform.monthView, weekIcon_),
      autoHide_(platform.window, form_, vars_, sysTray_),
      commonDialog_(platform.fileDialog),
      browserPanel_(platform.browser, platform.window, commonDialog_, form_, vars_),
      notesPanel_(commonDialog_, platform.notes, platform.files, platform.codePage, form_,
                  notesFile_),
      regStuff_(platform.registry, platform.program, form_.Check1, vars_),
      launcher_(platform.shell, platform.files, form_, vars_),
      autoStartChooser_(commonDialog_, form_, vars_) {
    WireHandlers();
}

void App::WireHandlers() {
    form_.Check2.onClick = [this] { dateRefresh_.OnCheck2Click(); };
    form_.Timer3.onTick = [this] { dateRefresh_.RefreshDate(); };
    form_.NewDayTimer.onTick = [this] { dateRefresh_.RefreshDate(); };

    form_.Check3.onClick = [this] { autoHide_.OnCheck3Click(); };
    form_.Timer1.onTick = [this] { autoHide_.OnTimer1Tick(); };
    form_.MnuCopyClipLong.onClick = [this] { trayMouse_.OnCopyFormClick(kLongDateFormat); };
    form_.MnuCopyClipShort.onClick = [this] { trayMouse_.OnCopyFormClick(kShortDateFormat); };
    form_.MnuCopyClipIso.onClick = [this] { trayMouse_.OnCopyFormClick(kIsoDateFormat); };
    form_.MnuCopyWeek.onClick = [this] { trayMouse_.OnCopyFormClick(kWeekFormat); };

    form_.mnuCalendar.onClick = [this] { trayMouse_.OnCalendarClick(); };
    platform_.monthView.onChosen = [this](const CivilDate& day) { trayMouse_.CopyChosenDay(day); };
    form_.mnuShowWeek.onClick = [this] { weekIcon_.OnShowWeekClick(); };
    form_.mnuWeekRegional.onClick = [this] { weekIcon_.OnRuleClick(WeekRuleSetting::Regional); };
    form_.mnuWeekIso.onClick = [this] { weekIcon_.OnRuleClick(WeekRuleSetting::Iso); };
    form_.mnuWeekSunday.onClick = [this] {
        weekIcon_.OnRuleClick(WeekRuleSetting::SundayFirstJanuary);
    };
    weekIcon_.onRuleChanged = [this](const WeekRule& rule) { platform_.monthView.SetRule(rule); };
    dateRefresh_.onNewDate = [this](const CivilDate& today) {
        weekIcon_.OnNewDay();
        platform_.monthView.SetToday(today);
    };

    form_.Command2.onClick = [this] { browserPanel_.OnCommand2Click(); };
    form_.Command4.onClick = [this] { browserPanel_.OnCommand4Click(); };
    form_.Command7.onClick = [this] { browserPanel_.OnCommand7Click(); };
    form_.mnuOpenFileInBrowser.onClick = [this] { browserPanel_.OnMnuOpenFileInBrowserClick(); };

    form_.Command1.onClick = [this] { platform_.window.Close(); };
    form_.mnuExit.onClick = [this] { platform_.window.Close(); };
    form_.MnuSettings.onClick = [this] { ShowWindowAgain(); };
    form_.Command8.onClick = [this] { SaveChanges(); };

    form_.Check1.onClick = [this] { regStuff_.OnCheck1Click(); };
    form_.Check4.onClick = [this] { launcher_.OnCheck4Click(); };
    form_.Timer2.onTick = [this] { launcher_.OnTimer2Tick(); };
    form_.Command9.onClick = [this] { autoStartChooser_.OnCommand9Click(); };
    // The menu item runs the button's steps, also while the button is disabled (no
    // weather program): it is then the only way to choose the application, and an
    // item that looks available should not do nothing.
    form_.mnuAutoApp.onClick = [this] { autoStartChooser_.OnCommand9Click(); };

    form_.Command3.onClick = [this] { layout_.MinimizeToTray(); };
    form_.Command5.onClick = [this] { layout_.Dock(); };
    form_.Command6.onClick = [this] { layout_.Maximize(); };
}

void App::OnResize() {
    if (stage_ == Stage::Running) {
        layout_.OnResize();
    }
}

void App::OnEscape() {
    platform_.window.SetVisible(false);
}

void App::OnTrayMouse(const TrayNotification& notification) {
    if (stage_ == Stage::Running) {
        trayMouse_.OnNotification(notification);
    }
}

void App::OnBrowserTitleChange(const std::string& title) {
    browserPanel_.OnTitleChange(title);
}

void App::OnLabel1DoubleClick() {
    browserPanel_.OnLabel1DblClick();
}

void App::OnText1DoubleClick() {
    notesPanel_.OnText1DblClick();
}

void App::OnTrayIconsLost() {
    dateRefresh_.ReplaceShownIcons();
    weekIcon_.Replace();
}

void App::OnDateMayHaveChanged() {
    dateRefresh_.RefreshDate();
}

void App::OnRegionalFormatChanged() {
    dateRefresh_.RefreshDate();
    dateRefresh_.ReplaceShownIcons();
    weekIcon_.OnRegionalFormatChanged();
}

void App::ShowWindowAgain() {
    platform_.window.SetVisible(true);
    platform_.window.SetState(kWindowNormal);
}

}  // namespace datrelle
