// The application object of tavilcheck: start-up around the main window.
#pragma once

#include "framework/Application.h"

namespace tavil {

class TavilCheckApp : public fw::Application {
public:
    // Runs the whole program; returns the process exit code.
    int InitInstance() override;
};

} // namespace tavil
