// Message maps: tables that route a message number (and, for WM_COMMAND
// and WM_NOTIFY, a control id and a notification code) to a member
// handler.  Each dialog class declares its table with the macros below and
// chains its base class's table.
//
//   class MyDialog : public fw::Dialog {
//       FW_DECLARE_MESSAGE_MAP(MyDialog)
//       LRESULT OnRun(WPARAM, LPARAM);
//   };
//   FW_BEGIN_MESSAGE_MAP(MyDialog, fw::Dialog)
//       FW_ON_COMMAND(IDC_RUN, OnRun)
//   FW_END_MESSAGE_MAP()
//
// A handler returns the message's result; a message that has an entry is
// handled and does not reach WindowProc's default processing.
#pragma once

#include <windows.h>

namespace fw {

class Dialog;
using MessageHandler = LRESULT (Dialog::*)(WPARAM, LPARAM);

// For WM_COMMAND entries `id` and `code` are the control id and
// notification code; for WM_NOTIFY the sender's id and the code; for other
// messages both are ignored.
struct MessageMapEntry {
    UINT message;
    UINT id;
    UINT code;
    MessageHandler handler;
};

struct MessageMap {
    const MessageMap* base;
    const MessageMapEntry* entries; // ends with an entry whose handler is null
};

// The entry of `map` (or of its bases) that handles the message, or nullptr.
const MessageMapEntry* FindHandler(const MessageMap* map, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace fw

#define FW_DECLARE_MESSAGE_MAP(ThisClass)                                                                              \
protected:                                                                                                             \
    using ThisMapClass = ThisClass;                                                                                    \
    static const fw::MessageMapEntry s_messageEntries[];                                                               \
    static const fw::MessageMap s_messageMap;                                                                          \
    const fw::MessageMap* GetMessageMap() const override { return &s_messageMap; }                                     \
                                                                                                                       \
private:

#define FW_BEGIN_MESSAGE_MAP(ThisClass, BaseClass)                                                                     \
    const fw::MessageMap ThisClass::s_messageMap = {&BaseClass::s_messageMap, ThisClass::s_messageEntries};            \
    const fw::MessageMapEntry ThisClass::s_messageEntries[] = {

#define FW_END_MESSAGE_MAP()                                                                                           \
    { 0, 0, 0, nullptr }                                                                                               \
    }                                                                                                                  \
    ;

#define FW_HANDLER(fn) static_cast<fw::MessageHandler>(&ThisMapClass::fn)
// Any message number.
#define FW_ON_MESSAGE(message, fn) {message, 0, 0, FW_HANDLER(fn)},
// A button click (or menu command) from control `id`.
#define FW_ON_COMMAND(id, fn) {WM_COMMAND, id, BN_CLICKED, FW_HANDLER(fn)},
// A WM_COMMAND notification `code` from control `id`.
#define FW_ON_CONTROL(code, id, fn) {WM_COMMAND, id, static_cast<UINT>(code), FW_HANDLER(fn)},
// A WM_NOTIFY notification `code` from control `id`.
#define FW_ON_NOTIFY(code, id, fn) {WM_NOTIFY, id, static_cast<UINT>(code), FW_HANDLER(fn)},
