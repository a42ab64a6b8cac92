// The worker's view of the Test Times dialog of a service-mode batch: for
// each batch entry, how many times to run it (0 leaves it out).
#pragma once

#include <string>
#include <vector>

namespace tavil {

class TestTimesDialog {
public:
    virtual ~TestTimesDialog() = default;
    // Shows the entries' names modally; true when the user answered OK,
    // with one count per entry in `counts`.
    virtual bool Ask(const std::vector<std::string>& names, std::vector<int>& counts) = 0;
};

} // namespace tavil
