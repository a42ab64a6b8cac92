#include "InterfaceTexts.h"

#include "framework/TextUtil.h"
#include "ModeFlags.h"

namespace tavil {
namespace {

const char kNameOpen[] = "[TESTNAME]=[";
const char kNameClose[] = "]=[TESTNAME]";
constexpr size_t kMarkerLength = 12; // both name markers

// Sets `target` to the text of section `id` when the section is present.
void SetIfPresent(const std::string& text, const char* id, std::string& target) {
    if (std::optional<std::string> body = SectionBody(text, id))
        target = SectionText(*body);
}

} // namespace

std::optional<std::string> SectionBody(const std::string& text, const std::string& id) {
    const std::string start = "[START]=[" + id + "]";
    size_t from = text.find(start);
    size_t to = text.find("[END]=[" + id + "]");
    if (from == std::string::npos || to == std::string::npos)
        return std::nullopt;
    from += start.size();
    return to > from ? text.substr(from, to - from) : std::string();
}

std::string SectionText(const std::string& body) {
    size_t close = body.find(kNameClose);
    return close == std::string::npos ? body : body.substr(close + kMarkerLength);
}

void ApplyInterfaceTexts(const std::string& rawText, uint32_t modeFlags, TestCatalogue& catalogue,
                         InterfaceTexts& texts) {
    // Searched as a C string: a NUL byte ends what is seen.
    const std::string text = fw::UpToFirstNul(rawText);
    const bool fullTest = modeFlags & FLAG_FULLTEST;
    const bool recovery = modeFlags & FLAG_RECOVERY;

    SetIfPresent(text, "-1-0", texts.welcomeIntro);
    SetIfPresent(text, "-1-1", texts.welcomeAgreement);

    // The batch page text falls back to the more general section.
    SetIfPresent(text, "0-0", texts.pageText);
    if (fullTest)
        SetIfPresent(text, "0-1", texts.pageText);
    if (recovery)
        SetIfPresent(text, "0-2", texts.pageText);
    if (recovery && fullTest)
        SetIfPresent(text, "0-3", texts.pageText);

    for (int n = 0; n < kMaxModules; ++n) {
        std::optional<std::string> body = SectionBody(text, "1-" + std::to_string(n));
        if (!body)
            break;
        TestModule& module = catalogue.modules[n];
        module.description.clear();
        size_t open = body->find(kNameOpen);
        size_t close = body->find(kNameClose);
        if (open == std::string::npos || close == std::string::npos) {
            // No name marker: the definition file's name stays, the whole
            // body is the description.
            module.description = *body;
            continue;
        }
        size_t nameStart = open + kMarkerLength;
        module.testName = close > nameStart ? body->substr(nameStart, close - nameStart) : "";
        module.description = body->substr(close + kMarkerLength);
    }

    SetIfPresent(text, "2-0", texts.deviceManagerText);
    SetIfPresent(text, "2-1", texts.checkDiskText);

    // Each installation type has its own help section; the special ones
    // never fall back to [3-0].
    const char* helpId = !recovery ? (fullTest ? "3-1" : "3-0") : (fullTest ? "3-3" : "3-2");
    texts.helpText.clear();
    SetIfPresent(text, helpId, texts.helpText);

    SetIfPresent(text, "10-0", texts.individualTestText);
    SetIfPresent(text, "10-1", texts.historyText);
}

} // namespace tavil
