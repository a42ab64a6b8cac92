// vhdtool: the installer's tool for the data files of tavilcheck.
//
//   vhdtool scramble IN OUT        scramble a plain file for shipping
//   vhdtool unscramble IN OUT      turn a shipped file back into plain text
//   vhdtool check-definitions FILE [--windir-other]
//                                  read a test definition file as tavilcheck
//                                  does and print its catalogue and warnings
//   vhdtool check-texts FILE [--service] [--fulltest] [--recovery]
//                                  list the sections of an interface text file
//
// Exit status: 0 when tavilcheck accepts the file, 1 when it rejects it,
// 2 for a usage or file error.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "DefinitionLint.h"
#include "tavilcheck/catalogue/CatalogueParser.h"
#include "tavilcheck/catalogue/DataFile.h"
#include "tavilcheck/catalogue/InterfaceTexts.h"
#include "tavilcheck/catalogue/ModeFlags.h"

using namespace tavil;

namespace {

constexpr int kAccepted = 0;
constexpr int kRejected = 1;
constexpr int kUsageError = 2;

int Usage() {
    std::fprintf(stderr, "usage: vhdtool scramble IN OUT\n"
                         "       vhdtool unscramble IN OUT\n"
                         "       vhdtool check-definitions FILE [--windir-other]\n"
                         "       vhdtool check-texts FILE [--service] [--fulltest] [--recovery]\n");
    return kUsageError;
}

bool Readable(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return false;
    std::fclose(file);
    return true;
}

int Transform(const std::string& in, const std::string& out) {
    if (!Readable(in)) {
        std::fprintf(stderr, "vhdtool: cannot read %s\n", in.c_str());
        return kUsageError;
    }
    std::string data = ReadDataFile(in, kReadScrambled); // XOR is its own inverse
    std::FILE* file = std::fopen(out.c_str(), "wb");
    if (!file || std::fwrite(data.data(), 1, data.size(), file) != data.size() || std::fclose(file) != 0) {
        std::fprintf(stderr, "vhdtool: cannot write %s\n", out.c_str());
        return kUsageError;
    }
    return kAccepted;
}

const char* WindowTypeName(int type) {
    return type == WINDOW_PROMPT ? "PROMPT" : type == WINDOW_DIALOG ? "DIALOG" : "DEFAULT";
}

int CheckDefinitions(const std::string& path, bool windirOther) {
    if (!Readable(path)) {
        std::fprintf(stderr, "vhdtool: cannot read %s (tavilcheck: \"File is missing\")\n", path.c_str());
        return kUsageError;
    }
    uint32_t flags = windirOther ? FLAG_WINDIR_OTHER : 0;
    std::string text = DetectInstallationType(
        ReadDataFile(path, kReadScrambled), [&] { return ReadDataFile(path, kReadPlain); }, flags);
    std::printf("installation type:%s%s%s%s%s (mode bits 0x%02X)\n",
                (flags & FLAG_SERVICE)    ? " service"
                : (flags & FLAG_RECOVERY) ? " recovery"
                                          : " bundle",
                (flags & FLAG_FULLTEST) ? " fulltest" : "", (flags & FLAG_HYPER) ? " hyper" : "",
                (flags & FLAG_SERVICE) ? ", stored plain" : ", stored scrambled",
                (flags & FLAG_WINDIR_OTHER) ? ", windows directory without \"windows\"" : "",
                static_cast<unsigned>(flags));

    std::vector<std::string> warnings = LintDefinitionText(text, flags & FLAG_RECOVERY);
    for (const std::string& warning : warnings)
        std::printf("warning: %s\n", warning.c_str());

    TestCatalogue catalogue;
    if (BuildCatalogue(text, flags, catalogue) != kCatalogueBuilt) {
        std::printf("REJECTED: tavilcheck reports \"Invalid Ini file\" (no [MAX_REPEAT_TIMES], "
                    "an empty [FASTCHECK] REPEAT_ENABLE, or an empty TESTNAME, TESTFILE, "
                    "WINDOW_TYPE or REPEAT_ENABLE in a module section)\n");
        return kRejected;
    }
    std::printf("max repeat times: %d\n", catalogue.maxRepeatTimes);
    std::printf("quick test repeat enable: \"%s\"\n", catalogue.quickRepeatEnableText.c_str());
    std::printf("%s list (%d):\n", (flags & FLAG_RECOVERY) ? "recovery check" : "quick test", catalogue.quickCount);
    for (int i = 0; i < catalogue.quickCount; ++i)
        std::printf("  %2d  %s  (base \"%s\")\n", i, catalogue.quickList[i].c_str(),
                    catalogue.quickListBase[i].c_str());
    std::printf("modules (%d):\n", catalogue.moduleCount);
    for (int i = 0; i < catalogue.moduleCount; ++i) {
        const TestModule& m = catalogue.modules[i];
        std::printf("  slot %d: name \"%s\", file \"%s\", subdir \"%s\", window %s, log option \"%s\", "
                    "repeat enable \"%s\" (%d)\n",
                    i, m.testName.c_str(), m.testFile.c_str(), m.testSubdir.c_str(), WindowTypeName(m.windowType),
                    m.logOption.c_str(), m.repeatEnableText.c_str(), m.repeatEnable);
    }
    std::printf("ACCEPTED with %zu warning(s)\n", warnings.size());
    return kAccepted;
}

int CheckTexts(const std::string& path, uint32_t flags) {
    if (!Readable(path)) {
        std::fprintf(stderr, "vhdtool: cannot read %s (tavilcheck: \"File is missing\")\n", path.c_str());
        return kUsageError;
    }
    std::string text = ReadDataFile(path, (flags & FLAG_SERVICE) ? kReadPlain : kReadScrambled);
    struct Slot {
        const char* id;
        const char* use;
    } fixed[] = {
        {"-1-0", "welcome introduction"}, {"-1-1", "welcome agreement"},     {"0-0", "batch page"},
        {"0-1", "batch page, Full Test"}, {"0-2", "batch page, recovery"},   {"0-3", "batch page, recovery Full Test"},
        {"2-0", "Tools: Device Manager"}, {"2-1", "Tools: Check Hard Disk"}, {"3-0", "help"},
        {"3-1", "help, Full Test"},       {"3-2", "help, recovery"},         {"3-3", "help, recovery Full Test"},
        {"10-0", "Individual Test page"}, {"10-1", "History page"},
    };
    int found = 0;
    for (const Slot& slot : fixed) {
        auto body = SectionBody(text, slot.id);
        std::printf("  [%s] %-32s %s", slot.id, slot.use, body ? "present" : "absent");
        if (body)
            std::printf(", %zu characters", SectionText(*body).size());
        std::printf("\n");
        found += body.has_value();
    }
    InterfaceTexts texts;
    TestCatalogue catalogue;
    ApplyInterfaceTexts(text, flags, catalogue, texts);
    for (int n = 0; n < kMaxModules; ++n) {
        if (!SectionBody(text, "1-" + std::to_string(n))) {
            std::printf("  module sections end at slot %d\n", n);
            break;
        }
        std::printf("  [1-%d] module slot %d: name \"%s\", %zu characters of description\n", n, n,
                    catalogue.modules[n].testName.c_str(), catalogue.modules[n].description.size());
        ++found;
    }
    std::printf("for this installation type: batch page text %zu characters, help text %zu characters\n",
                texts.pageText.size(), texts.helpText.size());
    std::printf("ACCEPTED: %d section(s) found (tavilcheck never rejects this file)\n", found);
    return kAccepted;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return Usage();
    std::string command = argv[1];
    if ((command == "scramble" || command == "unscramble") && argc == 4)
        return Transform(argv[2], argv[3]);
    bool windirOther = false;
    uint32_t flags = 0;
    for (int i = 3; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--windir-other"))
            windirOther = true;
        else if (!std::strcmp(argv[i], "--service"))
            flags |= FLAG_SERVICE;
        else if (!std::strcmp(argv[i], "--fulltest"))
            flags |= FLAG_FULLTEST;
        else if (!std::strcmp(argv[i], "--recovery"))
            flags |= FLAG_RECOVERY;
        else
            return Usage();
    }
    if (command == "check-definitions")
        return CheckDefinitions(argv[2], windirOther);
    if (command == "check-texts")
        return CheckTexts(argv[2], flags);
    return Usage();
}
