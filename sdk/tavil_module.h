/* TAVIL Hardware Diagnostics: the module SDK.
 *
 * The one header a test module needs.  A library test module exports
 *
 *     extern "C" __declspec(dllexport) int32_t __cdecl StartTest(HWND window,
 *                                                               uint32_t flags,
 *                                                               intptr_t argument);
 *
 * (see TAVIL_START_TEST below) and reports to `window` with the TM_
 * messages, sent with SendMessage.  docs/module-guide.md explains the
 * contract and shows a complete module.
 *
 * This header is also read by the program itself.  Its portable parts
 * define TAVIL_SDK_CONSTANTS_ONLY first: they get the constants and the
 * records, without <windows.h>.
 */
#ifndef TAVIL_MODULE_H
#define TAVIL_MODULE_H

#include <stdint.h>

/* ---- Window messages (wParam, lParam -> result) ------------------------ */
#define TM_SCREEN_TEXT       0x401 /* 0, text -> 0: append text to the run's output view */
#define TM_LOG_TEXT          0x402 /* 0, text -> 0: write text unchanged to the open run log */
#define TM_PROGRESS          0x403 /* 0, percent 0..100 -> 0: progress of this module (100 at its end) */
#define TM_QUERY_RUN_STATE   0x404 /* 0, 0 -> TAVIL_RUN_STATE_*: 259 go on, 1 the user pressed Stop */
#define TM_RUN_DONE          0x405 /* 0, 0 -> 0: the worker's last message of a run */
#define TM_MODULE_COUNT      0x406 /* count, 0 -> 0: the worker: modules that will run in this batch */
#define TM_NOP_407           0x407 /* ignored */
#define TM_STOP              0x408 /* 0, 0 -> 0: the test page's Stop button */
#define TM_ENABLE_RUN_BUTTON 0x409 /* 1 enable / 0 disable, 0 -> 0: the Run/Stop button */
#define TM_RESTART_LOG       0x40A /* 0, 0 or 1 -> 0: start the run log afresh (1: service-mode loop) */
#define TM_QUERY_LOG_READY   0x40B /* 0, 0 -> 1 when the log is ready, 0 while it restarts */
#define TM_NOP_40C           0x40C /* ignored */
#define TM_CLEAR_OUTPUT      0x40D /* 0, 0 -> 0: empty the Individual Test page's output view */
#define TM_REOPEN_LOG        0x40E /* 0, 0 -> 0: flush the run log to disk (closed and reopened) */
#define TM_SET_LOG_DIR       0x40F /* 0, 0: open a fresh log / 1, directory text: log there -> 0 */
#define TM_RUN_RESULT        0x410 /* 0, result -> 0: the worker: the run result */
#define TM_RESULT_COLOUR     0x414 /* 1 pass / 0 error, 0x00BBGGRR -> 0: result colour (service mode) */
#define TM_COLOURED_TEXT     0x415 /* text, 0x00BBGGRR -> 0: append text in a colour */
#define TM_START_RUN         0x41E /* 0, catalogue slot or -1 -> 0: the test page's Run button */
#define TM_PAGE_CHANGED      0x41F /* 0, page index -> 0: the tab control */
#define TM_BACK              0x420 /* 0, 0 -> 0: the test page's Back button */
#define TM_MESSAGE_BOX       0x421 /* 0, TavilMessageBoxRecord* -> id of the button pressed */
#define TM_STRING_LIST       0x422 /* 0, TavilStringListRecord* -> 0: a list the window keeps */
#define TM_HELP_CLOSED       0x423 /* 0, 0 -> 0: the help window was closed */
#define TM_SELECT_MODULE     0x424 /* 0, catalogue slot -> 0: the Individual Test list's choice */
#define TM_MINUTES_LEFT      0x425 /* 0, minutes -> 0: minutes this module still needs */

/* Answers of TM_QUERY_RUN_STATE. */
#define TAVIL_RUN_STATE_RUNNING 259 /* go on */
#define TAVIL_RUN_STATE_STOPPED 1   /* the user pressed Stop: return as soon as you can */

/* ---- Run flags: the `flags` argument of StartTest ---------------------- */
#define FLAG_SERVICE         0x01u /* service installation ("Final Inspection") */
#define FLAG_WINDIR_OTHER    0x02u /* the Windows folder is not named "windows" */
#define FLAG_BATCH           0x04u /* the module runs in a batch (Quick Test and the like) */
#define FLAG_STOP_WHEN_ERROR 0x08u /* "Stop When Error": stop repeating after a failure */
#define FLAG_FULLTEST        0x10u /* Full Test installation */
#define FLAG_RECOVERY        0x20u /* recovery check build */
#define FLAG_HYPER           0x80u /* service installation, SUBTYPE=HYPER */

/* ---- Results ------------------------------------------------------------ */
/* StartTest returns 0 when no error was found; any other value is an error
 * code and becomes the module's result.  The program itself gives a module
 * that could not be loaded, that has no StartTest export, or (a program
 * module) that could not be started this result; a module never returns
 * it. */
#define TAVIL_RESULT_OK          0
#define TAVIL_RESULT_NOT_STARTED ((int32_t)0xE0000005u)

/* ---- The system-information module ----------------------------------- */
/* Before it calls hwconfig.dll, the program sets this environment variable
 * of its own process to the log directory (ending in "\"); the module
 * writes cfg.log there, or into its own directory when the variable is not
 * set. */
#define TAVIL_LOG_DIRECTORY_VARIABLE "TAVIL_LOG_DIRECTORY"

/* ---- Records ------------------------------------------------------------ */
/* lParam of TM_MESSAGE_BOX.  The result of the message is the id of the
 * button pressed (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7). */
typedef struct TavilMessageBoxRecord {
    const char* text;
    const char* caption;
    uint32_t style; /* MB_ flags */
} TavilMessageBoxRecord;

/* lParam of TM_STRING_LIST: `count` texts (at most TAVIL_STRING_LIST_MAX;
 * the window ignores the rest). */
#define TAVIL_STRING_LIST_MAX 40
typedef struct TavilStringListRecord {
    int32_t count;
    const char* strings[TAVIL_STRING_LIST_MAX];
} TavilStringListRecord;

#endif /* TAVIL_MODULE_H */

/* ---- The entry point ---------------------------------------------------- */
/* `argument` of StartTest:
 *  - batch and single runs: the number of times to repeat the test (>= 1);
 *  - resume run: a `const char*` to the log directory (ending in "\", or ""
 *    when the user runs without logs), NUL-terminated and valid until
 *    StartTest returns.  Copy it if you need it longer.
 * It is pointer-sized, so the text fits on both architectures; on 32-bit
 * Windows it is exactly the 32-bit argument of the classic contract. */
#if defined(_WIN32) && !defined(TAVIL_SDK_CONSTANTS_ONLY) && !defined(TAVIL_MODULE_ENTRY_H)
#define TAVIL_MODULE_ENTRY_H
#include <windows.h>
typedef int32_t(__cdecl* TavilStartTestFunction)(HWND window, uint32_t flags, intptr_t argument);
#define TAVIL_START_TEST_NAME "StartTest"
#ifdef __cplusplus
#define TAVIL_START_TEST extern "C" __declspec(dllexport) int32_t __cdecl StartTest
#else
#define TAVIL_START_TEST __declspec(dllexport) int32_t __cdecl StartTest
#endif
#endif
