// Resource ids shared by the code and the resource scripts of tavilcheck.
// Ranges: 100-199 dialogs, icons, bitmaps, menus and strings (by the
// numbers the installations' resource libraries use), 1000-1099 controls.
#pragma once

// Dialog templates
#define IDD_MAIN_WINDOW   102
#define IDD_HISTORY_PAGE  131
#define IDD_TEST_PAGE     133
#define IDD_TOOLS_PAGE    145
#define IDD_HELP_WINDOW   142
#define IDD_CHECK_DISK    143
#define IDD_TEST_TIMES    135
#define IDD_LOG_DIRECTORY 136
#define IDD_WELCOME       147

// Menus and their commands
#define IDR_COPY_MENU 137
#define IDM_COPY      32771

// Icons and bitmaps
#define IDI_PROGRAM                 128
#define IDB_INDIVIDUAL_TEST_PICTURE 132
#define IDB_BATCH_PICTURE           134

// Controls of the main window (template 102)
#define IDC_PAGE_TABS      1019
#define IDC_CLOSE          1022
#define IDC_DEVICE_MANAGER 1040
#define IDC_SCAN_DISK      1041
#define IDC_HELP_BUTTON    1048
#define IDC_ADVANCED_MENU  1065
#define IDC_ADVANCED_GROUP 1066

// Controls of the test page (template 133)
#define IDC_PROGRESS      1021
#define IDC_DESCRIPTION   1034
#define IDC_PICTURE       1035
#define IDC_PAGE_SPARE    1036
#define IDC_RUN           1037
#define IDC_MODULE_LIST   1038
#define IDC_PROGRESS_TEXT 1042
#define IDC_PROMPT        1047
#define IDC_OUTPUT        1056

// Controls of the History page (template 131)
#define IDC_HISTORY_VIEWER 1008
#define IDC_HISTORY_LIST   1009
#define IDC_CREATE_REPORT  1059

// Controls of the Tools page (template 145)
#define IDC_TOOLS_TEXT          1071
#define IDC_DEVICE_MANAGER_OPEN 1072
#define IDC_CHECK_DISK_OPEN     1073

// Controls of Check Hard Disk (template 143)
#define IDC_VOLUME_LIST    1051
#define IDC_CHECK_START    1052
#define IDC_CHECK_CANCEL   1053
#define IDC_VOLUME_LABEL   1055
#define IDC_FIX_OPTION     1060
#define IDC_RECOVER_OPTION 1061
#define IDC_CHECK_PROGRESS 1062
#define IDC_CHECK_OUTPUT   1063
#define IDC_CHECK_OPTIONS  1064

// Controls of the Test Times dialog (template 135)
#define IDC_TEST_TIMES_LIST 1043

// Controls of the log-directory prompt (template 136)
#define IDC_LOG_DIRECTORY_EDIT   1044
#define IDC_LOG_DIRECTORY_BROWSE 1045
#define IDC_LOG_DIRECTORY_TEXT   1046

// Controls of the welcome dialog (template 147)
#define IDC_AGREEMENT_TEXT    1074
#define IDC_INTRODUCTION_TEXT 1075
#define IDC_AGREE             1076
#define IDC_DISAGREE          1077

// Controls of the help window (template 142)
#define IDC_HELP_TEXT    1049
#define IDC_HELP_OK      1050
#define IDC_SUPPORT_SITE 1078

// Strings
#define IDS_BATCH_SEPARATOR          102
#define IDS_VERDICT_FAIL             103
#define IDS_VERDICT_PASS             104
#define IDS_HISTORY_ITEM             105
#define IDS_TITLE_BUNDLE             107
#define IDS_ADMIN_ONLY               108
#define IDS_FILE_MISSING             109
#define IDS_INVALID_INI              110
#define IDS_TAB_FINAL_INSPECTION     112
#define IDS_TAB_QUICK_TEST           113
#define IDS_TAB_INDIVIDUAL_TEST      114
#define IDS_TAB_HISTORY              115
#define IDS_RUN_TEST                 116
#define IDS_STOP                     117
#define IDS_BACK                     118
#define IDS_CLOSE                    121
#define IDS_LOG_DEFAULT_DIR_UNUSABLE 122
#define IDS_PROMPT_QUICK_TEST        123
#define IDS_SELECT_TEST              124
#define IDS_QUICKTEST                125
#define IDS_PROMPT_STOP              126
#define IDS_PROMPT_BACK              127
#define IDS_PERCENT_FINISHED         129
#define IDS_STOP_BEFORE_CLOSE        130
#define IDS_LOADING_DLL_FAILED       131
#define IDS_FINALINSPECTION          134
#define IDS_QUIT_WITH_SHUTDOWN       135
#define IDS_REPETITION_LINE          136
#define IDS_LOG_DIR_NOT_FOUND        137
#define IDS_LOOP_TIMES               138
#define IDS_VERDICT_ABORTED          139
#define IDS_RESULT_ABORT             140
#define IDS_RESULT_OK                141
#define IDS_RESULT_FAILED            142
#define IDS_VERDICT_FAIL_PC          143
#define IDS_CREATE_HISTORY_REPORT    151
#define IDS_HISTORY_REPORT_TITLE     152
#define IDS_REPORT_DATE              153
#define IDS_SYSTEM_INFORMATION       154
#define IDS_REPORT_SEPARATOR         156
#define IDS_VOLUME_WORD              157
#define IDS_VOLUME_PATTERN           158
#define IDS_TITLE_SERVICE            159
#define IDS_WARNING                  160
#define IDS_HELP                     161
#define IDS_SELECT_LOG_DIR           162
#define IDS_QUIT                     163
#define IDS_DO_YOU_WANT_TO_QUIT      164
#define IDS_TAB_FULL_TEST            165
#define IDS_TAB_TOOLS                166
#define IDS_OPEN                     167
#define IDS_MINUTES_REMAINING        168
#define IDS_PROMPT_FULL_TEST         169
#define IDS_SUPPORT_WEBSITE          170
#define IDS_REPORT_CREATED           171
#define IDS_REPORT_NOT_CREATED       172
#define IDS_LOG_SHOWN_IN_PART        173
