#pragma once
// Finds what in a macro the program cannot use as stored: codes without a meaning, types that do
// not fit their kind, indexes and levels out of range, counts above their limits or not matching
// the events. The display and the mouse encoding fall back or skip such values; this says which.

#include <cstdint>
#include <filesystem>

#include "macro/macro_file.h"
#include "macro/macro_record.h"

namespace tarvosk {

// Findings about the valid events and counts of `m`, one sentence each; empty when all is usable.
MacroIssues checkMacro(const MacroRecord& m, int32_t language);

// Reads a group file as the program does and collects what the reader clipped or ignored plus
// checkMacro() of every macro read ("macro I: ..."). nullopt when the file cannot be read.
std::optional<MacroIssues> checkMacroFile(const std::filesystem::path& file, int32_t language);

// The same for the built-in macro file, read as the program reads it: up to 21 macros, each value
// cut by the built-in reader's buffer. nullopt when the file cannot be read.
std::optional<MacroIssues> checkBuiltInMacroFile(const std::filesystem::path& file, int32_t language);

// Checks a group index file ("macroGrp.ini") without changing it: a count outside 0..12, names cut
// by the read buffer, names that cannot name a file, groups whose file is missing (the program
// drops those from the index). nullopt when the file cannot be read.
std::optional<MacroIssues> checkGroupIndexFile(const std::filesystem::path& file);

}  // namespace tarvosk
