// Resource ids of perfmode and its resource library PerfRes.dll.  The
// program's own string table holds only the four start-up strings; the
// library holds everything else (and those four again).
#pragma once

// Dialog, menu and icon of the resource library.
#define IDD_PERFORMANCE  262
#define IDM_CONTEXT_HELP 236 // sub-menu 1 holds "What's This?"
#define IDI_PERFORMANCE  291

// Controls of the Performance dialog and the button row.
#define IDC_PERF_TEXT_TOP     1248
#define IDC_PERF_TEXT_BOTTOM  1249
#define IDC_MODE_POWER_SAVING 1390
#define IDC_MODE_PERFORMANCE  1391
#define IDC_PERF_APPLY        12321
#define IDC_PERF_DEFAULT      105
#define IDC_PERF_HELP         9
#define IDM_WHATS_THIS        32779

// Strings of the program's own table (needed before the library loads).
#define IDS_CANNOT_OPEN_LIBRARY 6170 // "Cannot open dynamic link library ''%s''."
#define IDS_MRCUTILS_FAILED     6172
#define IDS_PERF_CAPTION        10010 // also the mutex name and the dialog title
#define IDS_RESOURCE_LIBRARY    57347

// Strings of the resource library.
#define IDS_BUTTON_OK          6062
#define IDS_BUTTON_CANCEL      6063
#define IDS_BUTTON_APPLY       6064
#define IDS_BUTTON_DEFAULT     6065
#define IDS_BUTTON_HELP        6066
#define IDS_ASK_APPLY          6069
#define IDS_ASK_DEFAULT        6070
#define IDS_MRCUTILS_KEY       6086
#define IDS_PERF_INTRODUCTION  6102
#define IDS_EXPORT_MISSING     6171
#define IDS_DIALOG_FAILED      6173
#define IDS_CANNOT_START       6174
#define IDS_NOT_ADMINISTRATOR  6175
#define IDS_ASK_WAITING_CHANGE 6308
#define IDS_PERF_NOTE          7102
#define IDS_HELP_FILE          10011
#define IDS_POPUP_TARGET       57346
#define IDS_RESTART_FAILED     6309 // the restart request was refused
