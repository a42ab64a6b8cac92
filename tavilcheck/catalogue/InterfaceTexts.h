// The interface text file: welcome, page, help, Tools and History texts and
// the display name and description of each module.  Portable: no Windows
// header.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "TestCatalogue.h"

namespace tavil {

// The texts the interface file fills; each stays empty when its section is
// absent.
struct InterfaceTexts {
    std::string welcomeIntro;       // [-1-0]
    std::string welcomeAgreement;   // [-1-1]
    std::string pageText;           // [0-0], replaced by [0-1] / [0-2] / [0-3]
    std::string deviceManagerText;  // [2-0]
    std::string checkDiskText;      // [2-1]
    std::string helpText;           // [3-0] .. [3-3]
    std::string individualTestText; // [10-0]
    std::string historyText;        // [10-1]
};

// The body of section `id`: the text between "[START]=[id]" and
// "[END]=[id]" (empty when the end marker comes first); nullopt when
// either marker is missing.
std::optional<std::string> SectionBody(const std::string& text, const std::string& id);

// The text of a section body: everything after "]=[TESTNAME]", or the whole
// body when it has no name marker.
std::string SectionText(const std::string& body);

// Fills `texts` and the names and descriptions of the catalogue's module
// slots from the decoded interface text, following the precedence rules of
// the installation type in `modeFlags`.
void ApplyInterfaceTexts(const std::string& text, uint32_t modeFlags, TestCatalogue& catalogue, InterfaceTexts& texts);

} // namespace tavil
