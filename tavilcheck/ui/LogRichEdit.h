// The program's rich-edit view for logs and long texts: rich text streamed
// in, a working character format, and a notice when the user has scrolled
// to the end (the welcome dialog's agreement text).
#pragma once

#include <windows.h>

#include <richedit.h>

#include <string>

#include "skinlib/SubclassedControl.h"

namespace tavil {

// Sent to the notification window when an armed view is scrolled to its end.
constexpr UINT WM_AGREEMENT_READ = WM_USER + 102;

class LogRichEdit : public skin::SubclassedControl {
public:
    // The end-of-scroll notice: the owner sets both.
    HWND notifyWindow = nullptr;
    bool notifyAtEnd = false;

    // Reads the control's default character format into the saved copy and
    // the working format.
    void LoadDefaultFormat();
    // `points` of `faceName` as the view's default and present format.
    void UseFont(const char* faceName, int points);
    // Courier New, so that the columns of logs and module output line up.
    void UseFixedPitchFont(int points) { UseFont("Courier New", points); }
    void SetFontSize(int points);
    void SetFontName(const char* faceName);
    // Streams `text` in as rich text: in place of the selection when
    // `replaceSelection`, else in place of the whole content.
    void StreamIn(const std::string& text, bool replaceSelection);

    // Appends plain `text` at the end without touching what is there, in
    // `colour` or the default colour; the cost does not grow with the
    // content.
    void AppendText(const std::string& text, COLORREF colour, bool useColour);
    // Appends plain `text` in the default colour and scrolls the view down
    // by the lines it added.  Pieces are gathered and go into the control
    // together at the next FlushDrawing (or once 256 KB are waiting), so a
    // stream of pieces costs the control a few appends and paints a second
    // rather than one of each per piece.  Anything that reads or changes
    // the content puts the waiting text in first.
    void AppendAndScroll(const std::string& text);
    // Puts the waiting text in and draws what was appended since the last
    // flush.
    void FlushDrawing();
    // The same on the animation tick, when the last put was long enough
    // ago (a quarter of a second).
    void FlushDrawingIfDue();
    // Empties the view.  A view holding much text is replaced by a fresh
    // control with the same settings: Wine's rich edit takes time that
    // grows with the square of the paragraphs to delete text (86 s for
    // 1 MB of output), destroying the control takes a moment.
    void Clear();
    // The most text the view keeps (0: no limit).  Beyond it the view is
    // emptied and says so, so that a program writing gigabytes cannot
    // exhaust the program's memory through it; the run log keeps everything.
    void SetTextLimit(long characters) { m_textLimit = characters; }
    // No undo record: the view is a record of a run, and keeping one costs
    // time and memory with every append.
    void DisableUndo();
    int LineCount();
    // True when the last line is in view (or the text needs no scrolling).
    bool ScrolledToEnd() const;
    // For the view's mouse events (EN_MSGFILTER, with ENM_MOUSEEVENTS set):
    // a right button press opens the pop-up menu with "Copy" at the mouse,
    // owned by `owner`, and choosing it copies the selection.
    void OfferCopyMenu(const MSGFILTER& filter, HWND owner);
    void SetBackground(COLORREF colour);

protected:
    LRESULT ControlProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Append(const std::string& text, COLORREF colour, bool useColour);
    // The gathered pieces into the control, scrolled by the lines added.
    void PutWaitingText();
    // Drawing is held while a piece goes in and left to the next paint: a
    // long run appends thousands of pieces, and painting each one at once
    // would cost far more than the append itself.
    void HoldDrawing();
    // Characters in the control (not counting the waiting text).
    LONG TextLength() const;
    // Destroys the control and creates an empty one in its place, with the
    // same class, styles, id, place, z-order and view settings.
    void Recreate();

    CHARFORMATA m_format{};
    CHARFORMATA m_defaultFormat{};
    bool m_drawingHeld = false;
    std::string m_waiting; // pieces not yet in the control
    int m_lineLength = 0;  // characters since the last line end of the pieces
    long m_textLimit = 0;
    bool m_undoDisabled = false;
    bool m_backgroundSet = false;
    DWORD m_lastPut = 0;
    bool m_endColoured = true; // the text at the end may not be in the default colour
    COLORREF m_background = 0;
};

} // namespace tavil
