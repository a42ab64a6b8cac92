// Test program: writes a detail file "DefLog.tmp" into the log directory it
// is given (its second argument) and exits with 0; without that argument
// it writes nothing.
#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3)
        return 0;
    std::string path = std::string(argv[2]) + "DefLog.tmp";
    if (FILE* file = std::fopen(path.c_str(), "wb")) {
        std::fputs("detail: all sectors read\r\n", file);
        std::fclose(file);
    }
    return 0;
}
