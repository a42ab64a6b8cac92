#include "Application.h"

#include <cstdlib>

namespace fw {

int Application::ArgumentCount() { return __argc; }
const char* Application::Argument(int index) { return index >= 0 && index < __argc ? __argv[index] : ""; }

int RunApplication(Application& app) { return app.InitInstance(); }

} // namespace fw
