// Where strings, dialog templates and menus come from: the resource library
// when one is loaded, otherwise the program itself.
#pragma once

#include <string>
#include <windows.h>

namespace fw {

namespace ResourceSource {

// Makes `library` the source (nullptr: the program's own resources).  The
// caller owns the library and keeps it loaded while it is the source.
// With `programFallback` false the library is the only source: an id it
// lacks gives an empty string, and no template or menu from the program.
void SetLibrary(HMODULE library, bool programFallback = true);
HMODULE Library();

// The program's own module.
HMODULE Program();

// The string with id `id`: from the library when it has it, otherwise from
// the program; empty when neither has it.
std::string LoadString(UINT id);

// The module whose resources hold the dialog template (menu, icon) `id`: the
// library when it has the template, otherwise the program.
HMODULE DialogModule(UINT id);
HMODULE MenuModule(UINT id);
HMODULE IconModule(UINT id);

} // namespace ResourceSource

} // namespace fw
