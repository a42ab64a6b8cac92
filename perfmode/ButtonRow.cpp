#include "ButtonRow.h"

namespace perfmode {

int FittedButtonWidth(int clientWidth, int count, int width) {
    while (count * (width + 7) + 7 >= clientWidth && width - 5 >= kMinimumButtonWidth)
        width -= 5;
    return width;
}

std::vector<ButtonPlace> ButtonRowPlaces(int clientRight, int clientBottom, int count, int width) {
    std::vector<ButtonPlace> places;
    for (int i = 0; i < count; ++i) {
        int left = clientRight - (count - i) * (width + 7);
        places.push_back({left, clientBottom - 38, left + width, clientBottom - 17});
    }
    return places;
}

} // namespace perfmode
