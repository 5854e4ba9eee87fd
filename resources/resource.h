// Resource identifiers shared by Datrelle.rc and the Win32 layer. Plain #defines only:
// windres reads this file too.
#pragma once

#define IDI_APP 1
// The day icons are IDI_DAY_BASE + 1 to + 31, the month icons IDI_MONTH_BASE + 1 to + 12, the
// week icons IDI_WEEK_BASE + 1 to + 53.
#define IDI_DAY_BASE 100
#define IDI_MONTH_BASE 200
#define IDI_WEEK_BASE 400

#define IDR_POPMENU 300
#define IDM_SETTINGS 301
#define IDM_OPEN_FILE_IN_BROWSER 302
#define IDM_AUTO_APP 303
#define IDM_COPY_CLIP_LONG 305
#define IDM_COPY_CLIP_SHORT 306
#define IDM_EXIT 308
#define IDM_COPY_CLIP_ISO 309
#define IDM_COPY_WEEK 310
#define IDM_CALENDAR 311
#define IDM_SHOW_WEEK 312
#define IDM_WEEK_REGIONAL 313
#define IDM_WEEK_ISO 314
#define IDM_WEEK_SUNDAY 315
