#include "LogRichEdit.h"

#include <cstring>

#include "framework/Gdi.h"
#include "framework/ResourceSource.h"
#include "resource_ids.h"

namespace tavil {

namespace {

// A view holding more than this is emptied by replacing the control.
constexpr LONG kClearByDeletingUpTo = 16 * 1024;

// Gathered pieces go into the control at the latest at this size, so the
// text waiting is bounded however fast it comes.
constexpr size_t kMaxWaitingText = size_t{256} * 1024;
// The gathered pieces go in at most this often on the animation tick:
// part of each put's cost in Wine's rich edit grows with what the view
// holds, so fewer, larger puts slow a long run down less.  Four a second
// still reads as live output.
constexpr DWORD kPutIntervalMs = 250;
// Lines longer than this (binary output, a program that never ends a
// line) are broken in the view: the control's layout cost grows with the
// length of a paragraph (2 MB in lines of 256 took 2 s to put in, in
// lines of 1024 4 s, in lines of 4096 13 s), and an endless paragraph
// would make each append slower than the last.  Program lines up to this
// length stay whole, so that copying one gives it back unbroken; the log
// keeps every line as it came.
constexpr int kMaxViewLine = 1024;

struct StreamSource {
    std::string text;
};

// Hands out the text in the pieces the control asks for, taking them from
// its front.
DWORD CALLBACK StreamOut(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto* source = reinterpret_cast<StreamSource*>(cookie);
    size_t count = source->text.size() < static_cast<size_t>(wanted) ? source->text.size() : wanted;
    // A stream buffer, not a string: it takes no terminating NUL.
    std::memcpy(buffer, source->text.data(), count); // NOLINT(bugprone-not-null-terminated-result)
    source->text.erase(0, count);
    *given = static_cast<LONG>(count);
    return 0;
}

} // namespace

void LogRichEdit::LoadDefaultFormat() {
    m_defaultFormat = CHARFORMATA{};
    m_defaultFormat.cbSize = sizeof m_defaultFormat;
    Send(EM_GETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&m_defaultFormat));
    m_format = m_defaultFormat;
}

void LogRichEdit::UseFont(const char* faceName, int points) {
    CHARFORMATA font{};
    font.cbSize = sizeof font;
    font.dwMask = CFM_SIZE | CFM_FACE;
    font.yHeight = points * 20;
    lstrcpynA(font.szFaceName, faceName, LF_FACESIZE);
    Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&font));
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&font));
    LoadDefaultFormat();
}

void LogRichEdit::SetFontSize(int points) {
    m_format.cbSize = sizeof m_format;
    m_format.dwMask = CFM_SIZE;
    m_format.yHeight = points * 20;
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&m_format));
}

void LogRichEdit::SetFontName(const char* faceName) {
    m_format.cbSize = sizeof m_format;
    std::strncpy(m_format.szFaceName, faceName ? faceName : "", LF_FACESIZE - 1);
    m_format.szFaceName[LF_FACESIZE - 1] = '\0';
    m_format.dwMask |= CFM_FACE;
    Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&m_format));
}

void LogRichEdit::StreamIn(const std::string& text, bool replaceSelection) {
    StreamSource source{text};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = StreamOut;
    Send(EM_STREAMIN, replaceSelection ? (SFF_SELECTION | SF_RTF) : SF_RTF, reinterpret_cast<LPARAM>(&stream));
}

void LogRichEdit::HoldDrawing() {
    if (!m_drawingHeld)
        Send(WM_SETREDRAW, FALSE);
    m_drawingHeld = true;
}

void LogRichEdit::FlushDrawingIfDue() {
    if (!m_waiting.empty() && ::GetTickCount() - m_lastPut < kPutIntervalMs)
        return;
    FlushDrawing();
}

void LogRichEdit::FlushDrawing() {
    PutWaitingText();
    if (!m_drawingHeld)
        return;
    m_drawingHeld = false;
    Send(WM_SETREDRAW, TRUE);
    ::RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE);
}

void LogRichEdit::AppendText(const std::string& text, COLORREF colour, bool useColour) {
    HoldDrawing();
    PutWaitingText();
    Append(text, colour, useColour);
    FlushDrawing();
}

void LogRichEdit::AppendAndScroll(const std::string& text) {
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            m_lineLength = 0;
        } else if (++m_lineLength > kMaxViewLine) {
            m_waiting += '\r';
            m_lineLength = 1;
        }
        m_waiting += c;
    }
    if (m_waiting.size() >= kMaxWaitingText)
        PutWaitingText();
}

void LogRichEdit::PutWaitingText() {
    if (m_waiting.empty())
        return;
    std::string text;
    text.swap(m_waiting);
    m_lastPut = ::GetTickCount();
    HoldDrawing();
    int before = LineCount();
    Append(text, 0, false);
    int added = LineCount() - before;
    if (added > 0)
        Send(EM_LINESCROLL, 0, added);
    if (m_textLimit > 0 && TextLength() > m_textLimit) {
        // Removing only the oldest lines would take minutes in Wine's rich
        // edit; emptying the view is quick.
        Clear();
        Append("[Earlier output was cleared from this view.]\r\n", 0, false);
    }
}

void LogRichEdit::Append(const std::string& text, COLORREF colour, bool useColour) {
    // The selection goes to the end; only the new text is formatted.  The
    // caret normally is there already (after the last piece): setting it
    // by character position can cost time in proportion to the content,
    // so it is only moved when the user has put it elsewhere.
    LONG end = TextLength();
    CHARRANGE selection{};
    Send(EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMin != end || selection.cpMax != end)
        Send(EM_SETSEL, end, end);
    // Text put in at the end takes the format of the text before it: the
    // format is set only when the colour changes.  Each format change is a
    // walk over all paragraphs in Wine's rich edit.
    if (useColour || m_endColoured) {
        CHARFORMATA format{};
        format.cbSize = sizeof format;
        format.dwMask = CFM_COLOR;
        format.dwEffects = useColour ? 0 : CFE_AUTOCOLOR;
        format.crTextColor = colour;
        Send(EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        m_endColoured = useColour;
    }
    Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
}

void LogRichEdit::Clear() {
    m_waiting.clear();
    m_lineLength = 0;
    m_endColoured = true; // whatever the format at the end, set it again
    FlushDrawing();
    if (TextLength() > kClearByDeletingUpTo)
        Recreate();
    else
        ::SetWindowTextA(m_hwnd, "");
}

void LogRichEdit::DisableUndo() {
    m_undoDisabled = true;
    Send(EM_SETUNDOLIMIT, 0);
}

void LogRichEdit::Recreate() {
    HWND old = m_hwnd;
    HWND parent = ::GetParent(old);
    char className[64] = "";
    ::GetClassNameA(old, className, sizeof className);
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrA(old, GWL_STYLE));
    DWORD exStyle = static_cast<DWORD>(::GetWindowLongPtrA(old, GWL_EXSTYLE));
    int id = ::GetDlgCtrlID(old);
    RECT place{};
    ::GetWindowRect(old, &place);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    HWND before = ::GetWindow(old, GW_HWNDPREV);
    RECT area{};
    Send(EM_GETRECT, 0, reinterpret_cast<LPARAM>(&area));
    LRESULT events = Send(EM_GETEVENTMASK);
    LRESULT limit = Send(EM_GETLIMITTEXT);
    HFONT font = reinterpret_cast<HFONT>(Send(WM_GETFONT));

    ::DestroyWindow(old); // detaches this object
    HWND fresh = ::CreateWindowExA(exStyle, className, "", style, place.left, place.top, place.right - place.left,
                                   place.bottom - place.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                   ::GetModuleHandleA(nullptr), nullptr);
    if (!fresh)
        return;
    Attach(fresh);
    ::SetWindowPos(fresh, before ? before : HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (font)
        Send(WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    Send(EM_EXLIMITTEXT, 0, limit);
    if (m_undoDisabled)
        Send(EM_SETUNDOLIMIT, 0);
    CHARFORMATA format = m_defaultFormat;
    Send(EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&format));
    Send(EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&format));
    m_format = m_defaultFormat;
    Send(EM_SETRECT, 0, reinterpret_cast<LPARAM>(&area));
    Send(EM_SETEVENTMASK, 0, events);
    if (m_backgroundSet)
        Send(EM_SETBKGNDCOLOR, 0, m_background);
    m_drawingHeld = false;
}

LONG LogRichEdit::TextLength() const {
    GETTEXTLENGTHEX length{GTL_DEFAULT, CP_ACP};
    return static_cast<LONG>(Send(EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&length)));
}

int LogRichEdit::LineCount() {
    PutWaitingText();
    return static_cast<int>(Send(EM_GETLINECOUNT));
}

void LogRichEdit::SetBackground(COLORREF colour) {
    m_backgroundSet = true;
    m_background = colour;
    Send(EM_SETBKGNDCOLOR, 0, colour);
}

LRESULT LogRichEdit::ControlProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A reader of the text (a screen reader, a test) sees all of it.
    switch (message) {
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case EM_GETTEXTEX:
    case EM_GETTEXTLENGTHEX:
    case EM_GETTEXTRANGE:
    case EM_STREAMOUT:
        PutWaitingText(); // does nothing while the waiting text goes in
        break;
    }
    // The end-of-scroll notice: before a scroll-bar action when the view is
    // at its end already, and after anything that may have scrolled it
    // there (the bar, the wheel, the keyboard, a scroll request).
    const bool armed = notifyAtEnd && notifyWindow;
    if (armed && message == WM_VSCROLL && ScrolledToEnd())
        ::SendMessageA(notifyWindow, WM_AGREEMENT_READ, 0, 0);
    if ((message == WM_VSCROLL || message == WM_HSCROLL) &&
        (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION))
        ::SetScrollPos(m_hwnd, message == WM_VSCROLL ? SB_VERT : SB_HORZ, HIWORD(wParam), TRUE);
    const LRESULT result = DefaultProc(message, wParam, lParam);
    const bool mayScroll = message == WM_VSCROLL || message == WM_MOUSEWHEEL || message == WM_KEYDOWN ||
                           message == EM_SCROLL || message == EM_LINESCROLL || message == EM_SCROLLCARET;
    if (armed && mayScroll && ScrolledToEnd())
        ::SendMessageA(notifyWindow, WM_AGREEMENT_READ, 0, 0);
    return result;
}

bool LogRichEdit::ScrolledToEnd() const {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hwnd, SB_VERT, &info))
        return true; // no scroll bar: all of it is in view
    const int limit = info.nMax - static_cast<int>(info.nPage > 0 ? info.nPage - 1 : 0);
    return info.nPos + 1 >= limit;
}

void LogRichEdit::OfferCopyMenu(const MSGFILTER& filter, HWND owner) {
    if (filter.msg != WM_RBUTTONDOWN)
        return;
    fw::Menu menu(::LoadMenuA(fw::ResourceSource::MenuModule(IDR_COPY_MENU), MAKEINTRESOURCEA(IDR_COPY_MENU)));
    if (!menu)
        return;
    POINT at;
    ::GetCursorPos(&at);
    UINT command =
        ::TrackPopupMenu(::GetSubMenu(menu.get(), 0), TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
    if (command == IDM_COPY)
        Send(WM_COPY);
}

} // namespace tavil
