#include "modules/common/TestReporter.h"

namespace tavil::modules {

int MinutesLeft(unsigned long long elapsedMs, int percent) {
    if (percent >= 100)
        return 0;
    if (percent <= 0)
        return -1;
    unsigned long long leftMs = elapsedMs * static_cast<unsigned>(100 - percent) / static_cast<unsigned>(percent);
    return static_cast<int>((leftMs + 59999) / 60000);
}

} // namespace tavil::modules
