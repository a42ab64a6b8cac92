// A window that records what the run worker and the modules send it, and
// the helpers that run a worker to its end while this thread handles the
// window's messages.
#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tavilcheck/catalogue/TestCatalogue.h"
#include "tavilcheck/runner/CCallDllThread.h"

namespace tavil {

struct Message {
    UINT id;
    WPARAM wParam;
    LPARAM lParam;
    std::string text; // the text of text messages
    // Of TM_MESSAGE_BOX: the caption and style of the box asked for.
    std::string caption;
    UINT style = 0;
};

// A small hidden window of class `className` (registered on first use)
// whose messages go to `procedure`, with `self` in its user data.
inline HWND CreateTestWindow(const char* className, WNDPROC procedure, void* self) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    ::RegisterClassA(&windowClass);
    HWND hwnd =
        ::CreateWindowA(className, "", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, windowClass.hInstance, nullptr);
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    return hwnd;
}

// Handles this thread's messages until `done()` holds; false when
// `timeoutMs` passed first.
template <class Condition> bool PumpUntil(Condition done, DWORD timeoutMs = 30000) {
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
    return true;
}

// A window that records the worker's messages and answers the queries.
class RecordingWindow {
public:
    RecordingWindow() : hwnd(CreateTestWindow("TavilRecordingWindow", Procedure, this)) {}
    ~RecordingWindow() { ::DestroyWindow(hwnd); }

    HWND hwnd;
    std::vector<Message> messages;
    int32_t runState = TAVIL_RUN_STATE_RUNNING;
    int messageBoxAnswer = IDYES;
    std::function<void(const Message&)> onMessage;

    std::vector<std::string> Texts(UINT id) const {
        std::vector<std::string> texts;
        for (const Message& m : messages)
            if (m.id == id)
                texts.push_back(m.text);
        return texts;
    }
    std::vector<const Message*> All(UINT id) const {
        std::vector<const Message*> found;
        for (const Message& m : messages)
            if (m.id == id)
                found.push_back(&m);
        return found;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT id, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RecordingWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (!self || id < WM_USER || id > WM_USER + 0x100) // the TM_ messages and the program's own
            return ::DefWindowProcA(hwnd, id, wParam, lParam);
        Message m{id, wParam, lParam, "", "", 0};
        const char* text = id == TM_COLOURED_TEXT ? reinterpret_cast<const char*>(wParam)
                           : (id == TM_SCREEN_TEXT || id == TM_LOG_TEXT || (id == TM_SET_LOG_DIR && wParam == 1))
                               ? reinterpret_cast<const char*>(lParam)
                               : nullptr;
        if (id == TM_MESSAGE_BOX && lParam) {
            const auto* box = reinterpret_cast<const TavilMessageBoxRecord*>(lParam);
            text = box->text;
            m.caption = box->caption ? box->caption : "";
            m.style = box->style;
        }
        if (text)
            m.text = text;
        self->messages.push_back(m);
        if (self->onMessage)
            self->onMessage(m);
        switch (id) {
        case TM_QUERY_RUN_STATE:
            return self->runState;
        case TM_QUERY_LOG_READY:
            return 1;
        case TM_MESSAGE_BOX:
            return self->messageBoxAnswer;
        }
        return 0;
    }
};

// Runs `worker` to its end while this thread handles the window's messages.
inline void RunToEnd(CCallDllThread& worker, DWORD timeoutMs = 30000) {
    ASSERT_TRUE(worker.Start());
    ASSERT_TRUE(PumpUntil([&] { return worker.Wait(0); }, timeoutMs)) << "the run did not end";
}

// The request of a batch run over the whole batch list of `catalogue`.
inline RunRequest BatchRequest(const TestCatalogue& catalogue, uint32_t flags = 0, int loops = 1) {
    RunRequest request;
    request.moduleCount = catalogue.quickCount;
    request.runFlags = flags;
    request.loopCount = loops;
    return request;
}

// The request of a single run of catalogue slot `slot`.
inline RunRequest SingleRequest(int slot, int loops = 1) {
    RunRequest request;
    request.runKind = 1;
    request.moduleIndex = slot;
    request.loopCount = loops;
    return request;
}

inline TestCatalogue Batch(std::vector<std::string> files) {
    TestCatalogue catalogue;
    for (size_t i = 0; i < files.size(); ++i) {
        catalogue.quickList[i] = files[i];
        catalogue.quickListBase[i] = files[i].substr(0, files[i].find('.'));
    }
    catalogue.quickCount = static_cast<int>(files.size());
    return catalogue;
}

} // namespace tavil
