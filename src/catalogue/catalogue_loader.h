#pragma once

#include "catalogue/program_files.h"

class LanguageLibrary;

// Fills the message catalogue for the locale the locale runtime records for the program: from the
// program's built-in texts for an empty code or "RU", otherwise from the language library named
// after the program (the built-in texts when that library cannot be loaded). Loading runs from id
// 10001 upwards and stops at the first id without a text; entries from there on keep what they
// held, so after a language change they keep the previous language's texts.
namespace velor {

void LoadMessageCatalogue(const QString& programPath = RunningProgramPath());

// Fills the catalogue, by the same rule, from a loaded language library, or from the built-in
// texts when library is null.
void FillMessageCatalogue(const LanguageLibrary* library);

} // namespace velor
