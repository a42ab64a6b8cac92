// Test module: sends every message of the protocol once, in a fixed order,
// so that the window side can be checked against it.
#include "sdk/tavil_module.h"

TAVIL_START_TEST(HWND window, uint32_t, intptr_t) {
    auto send = [window](UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(window, message, wParam, lParam);
    };
    send(TM_SCREEN_TEXT, 0, reinterpret_cast<LPARAM>("protocol: screen\r\n"));
    send(TM_LOG_TEXT, 0, reinterpret_cast<LPARAM>("protocol: log\r\n"));
    send(TM_COLOURED_TEXT, reinterpret_cast<WPARAM>("protocol: red\r\n"), 0x0000FF);
    send(TM_PROGRESS, 0, 50);
    send(TM_MINUTES_LEFT, 0, 3);
    send(TM_RESULT_COLOUR, 0, 0x0000FF);
    send(TM_ENABLE_RUN_BUTTON, 0, 0);
    send(TM_ENABLE_RUN_BUTTON, 1, 0);
    TavilMessageBoxRecord box = {"protocol: question", "Protocol", MB_YESNO};
    LRESULT answer = send(TM_MESSAGE_BOX, 0, reinterpret_cast<LPARAM>(&box));
    TavilStringListRecord list = {2, {"first", "second"}};
    send(TM_STRING_LIST, 0, reinterpret_cast<LPARAM>(&list));
    send(TM_CLEAR_OUTPUT, 0, 0);
    send(TM_RESTART_LOG, 0, 0);
    send(TM_QUERY_LOG_READY, 0, 0);
    send(TM_REOPEN_LOG, 0, 0);
    send(TM_SET_LOG_DIR, 1, reinterpret_cast<LPARAM>("C:\\protocol\\logs"));
    send(TM_SET_LOG_DIR, 0, 0);
    send(TM_NOP_407, 0, 0);
    send(TM_NOP_40C, 0, 0);
    // Bad input the window must survive.
    send(TM_SCREEN_TEXT, 0, 0);
    TavilStringListRecord huge = {1000000, {"only one"}};
    send(TM_STRING_LIST, 0, reinterpret_cast<LPARAM>(&huge));
    send(TM_QUERY_RUN_STATE, 0, 0);
    send(TM_PROGRESS, 0, 100);
    return answer == IDYES ? 0 : 7;
}
