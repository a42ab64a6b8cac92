// Test program: writes nothing and exits with TAVIL_TEST_EXIT_CODE (3 when
// not set).
#include <cstdlib>

int main() {
    const char* code = std::getenv("TAVIL_TEST_EXIT_CODE");
    return code ? std::atoi(code) : 3;
}
