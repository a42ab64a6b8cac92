// A program test module of a single run: a console program started once
// per repetition, hidden with its output captured (window type DEFAULT)
// or in a window of its own (PROMPT shown, DIALOG started hidden).  Its
// exit code is its verdict; after each repetition the detail file it may
// have written is shown and deleted.
#pragma once

#include <cstdint>
#include <string>

#include "tavilcheck/catalogue/TestCatalogue.h"

namespace tavil {

class CCallDllThread;

// Runs `module` as often as the worker's request says (fewer after Stop, or after a
// failure with "Stop When Error") on the worker's thread and returns the
// module result: the last non-zero exit code, or TAVIL_RESULT_NOT_STARTED
// when the program could not be started.
int32_t RunProgramModule(const CCallDllThread& worker, const TestModule& module);

// The pieces RunProgramModule is made of, shared with the hard-disk test,
// which runs its script once per drive.

// A module's detail file: made empty when the module has a log option or
// user logs are on (`path`, which Stop deletes); `logDirectory` is the
// directory the program is told to write it in, empty when it could not
// be made.
struct ProgramDetailFile {
    std::string path;
    std::string logDirectory;
};
ProgramDetailFile PrepareDetailFile(const CCallDllThread& worker, const TestModule& module);

struct ProgramLaunch {
    std::string commandLine;
    std::string programPath; // named when the program cannot be started
    std::string detailFile;  // shown and deleted after each repetition; may be empty
    bool captured = true;    // hidden, output captured; else a window of its own
    int showState = 0;       // of the own window (SW_SHOW or SW_HIDE)
};
// The repetitions of one program with their lines, error blocks, detail
// sections and progress; the result as RunProgramModule's.
int32_t RunProgramRepetitions(const CCallDllThread& worker, const ProgramLaunch& program);

// A failure: the error block and the error colour of the result box.
void ShowFailure(const CCallDllThread& worker);

} // namespace tavil
