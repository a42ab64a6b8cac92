// Where the dialog's row of buttons goes: portable arithmetic, no Windows
// header.
#pragma once

#include <vector>

namespace perfmode {

struct ButtonPlace {
    int left, top, right, bottom; // client pixels
};

// The width the buttons get: `width` shrunk in steps of 5 while `count`
// buttons with 7-pixel gaps do not fit strictly inside `clientWidth`,
// stopping at the last step not below kMinimumButtonWidth (a row that
// still does not fit then runs off the left edge instead of shrinking to
// nothing).
constexpr int kMinimumButtonWidth = 20;
int FittedButtonWidth(int clientWidth, int count, int width);

// The places of `count` buttons of `width`, right-aligned with 7-pixel
// gaps, from client bottom - 38 to client bottom - 17.
std::vector<ButtonPlace> ButtonRowPlaces(int clientRight, int clientBottom, int count, int width);

} // namespace perfmode
