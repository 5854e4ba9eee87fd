#include "tray/WeekIcon.h"

#include <utility>

namespace datrelle {

void WeekIcon::Start(bool neverShown) {
    neverShown_ = neverShown;
    regional_ = platform_.calendar.RegionalWeeks();
    ShowMarks();
    if (vars_.ShowWeek == 1) {
        Add();
    }
}

WeekRule WeekIcon::Rule() const {
    return ChosenRule(WeekRuleSettingOf(vars_.WeekNumbers), regional_);
}

void WeekIcon::OnNewDay() {
    const auto& today = tray_.Today();
    if (shown_ && (!today || WeekOf(*today, Rule()) != *shown_)) {
        Replace();
    }
}

void WeekIcon::Replace() {
    if (vars_.ShowWeek == 1) {
        Remove();
        Add();
    }
}

void WeekIcon::OnRegionalFormatChanged() {
    const WeekRule before = Rule();
    regional_ = platform_.calendar.RegionalWeeks();
    // Added again as the date icons are, whether the rule changed or not.
    Replace();
    if (Rule() != before && onRuleChanged) {
        onRuleChanged(Rule());
    }
}

void WeekIcon::OnShowWeekClick() {
    vars_.ShowWeek = vars_.ShowWeek == 1 ? 0 : 1;
    ShowMarks();
    if (vars_.ShowWeek == 0) {
        Remove();
        return;
    }
    Add();
    if (std::exchange(neverShown_, false)) {
        (void)tray_.ShowNotification(IconKind::Week, vars_.CurWeek, kNotificationTitle,
                                     kWeekIconText);
    }
}

void WeekIcon::OnRuleClick(WeekRuleSetting setting) {
    const WeekRule before = Rule();
    vars_.WeekNumbers = static_cast<std::int16_t>(setting);
    ShowMarks();
    if (Rule() != before) {
        RuleChanged();
    }
}

void WeekIcon::Remove() {
    if (shown_) {
        tray_.DeleteTrayIcon(IconKind::Week, vars_.CurWeek);
        shown_.reset();
    }
}

void WeekIcon::ShowMarks() {
    const WeekRuleSetting setting = WeekRuleSettingOf(vars_.WeekNumbers);
    form_.mnuShowWeek.SetChecked(vars_.ShowWeek == 1);
    form_.mnuWeekRegional.SetChecked(setting == WeekRuleSetting::Regional);
    form_.mnuWeekIso.SetChecked(setting == WeekRuleSetting::Iso);
    form_.mnuWeekSunday.SetChecked(setting == WeekRuleSetting::SundayFirstJanuary);
}

void WeekIcon::Add() {
    // The date the other two icons show, so that all three agree; today's before the
    // first refresh.
    const auto& today = tray_.Today();
    const WeekNumber week = WeekOf(today ? *today : platform_.calendar.Today(), Rule());
    tray_.AddWeekIcon(week);
    shown_ = week;
}

void WeekIcon::RuleChanged() {
    Replace();
    if (onRuleChanged) {
        onRuleChanged(Rule());
    }
}

}  // namespace datrelle
