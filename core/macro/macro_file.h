#pragma once
// Macro files: INI text, section "Macros", key "macroNum" = number of macros N and keys "0".."N-1"
// each holding one macro as a field string of 2783 bytes written as three decimal digits each
// (8349 characters, no separators). Keys store virtual-key codes; in memory they are HID usages,
// translated through the key tables of the interface language given to each call.
//
// Readers never trust the file: the count is clipped to 0..20, the counts that index arrays are
// clipped (see macro_record.h), short values read their missing fields as 0, long ones are cut.
// Whatever a reader had to clip or ignore can be collected in a MacroIssues list.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "macro/macro_record.h"
#include "platform/prompter.h"

namespace tarvosk {

class IniDocument;

inline constexpr std::string_view kMacroSection = "Macros";
inline constexpr std::string_view kMacroCountKey = "macroNum";
inline constexpr std::string_view kMissingMacroFileMessage = "找不到配置文件";

inline constexpr int kFieldCount = 2783;
inline constexpr std::size_t kFieldStringLength = 3 * kFieldCount;  // 8349
// Field positions inside the field string.
inline constexpr int kFieldName = 0;  // 20 fields: name as UTF-16LE bytes
inline constexpr int kFieldPlayMode = 20;
inline constexpr int kFieldRepeatCount = 21;  // 16-bit values take two fields, low byte first
inline constexpr int kFieldEventCount = 23;
inline constexpr int kFieldMoveCount = 25;
inline constexpr int kFieldReservedF7Count = 27;
inline constexpr int kFieldDpiCount = 29;
inline constexpr int kFieldReservedFACount = 31;
inline constexpr int kFieldLedCount = 33;
inline constexpr int kFieldReservedFBCount = 34;
inline constexpr int kFieldEvents = 35;         // 8 fields per event: type, code, A lo/hi, B lo/hi, delay lo/hi
inline constexpr int kFieldLedPrograms = 2443;  // 68 fields per program

// Read buffer sizes: "macroNum" keeps 2 characters; macro values 28106 characters in group files
// and 3215 in the built-in macro file (later characters read as zero there).
inline constexpr std::size_t kMacroCountBufferChars = 3;
inline constexpr std::size_t kMacroValueBufferChars = 28107;
inline constexpr std::size_t kBuiltInValueBufferChars = 3216;

// What a reader had to clip or ignore, one sentence per finding.
using MacroIssues = std::vector<std::string>;

// A byte as exactly three decimal digits ("007", "042", "255").
std::string pad3(uint8_t value);

// The 8349-character field string of `m`; key codes go through hidToVirtualKey(language).
std::string encodeFieldString(const MacroRecord& m, int32_t language);

// Decodes a field string into `m`, every field of the file format overwritten (reservedFBBlocks,
// not stored in files, are left alone). Field f is the text at 3f..3f+2 read leniently, low 8 bits
// kept; fields past the end read as 0. Key codes go through virtualKeyToHid(language).
void decodeFieldString(std::string_view value, int32_t language, MacroRecord& m, MacroIssues* issues = nullptr);

// Macro count of a parsed macro file, clipped to 0..limit (a finding is added when it had to be).
// Group files hold at most 20 macros (slot 20 of the store is the blank template); the built-in
// macro file fills all 21 slots of its table.
int readMacroCount(const IniDocument& doc, MacroIssues* issues = nullptr, int limit = kMacrosPerGroup);

// Fills `store` from a group file: count from "macroNum" (clipped to 0..20), slots 0..count-1
// decoded afresh; other slots stay untouched. A missing file shows kMissingMacroFileMessage, sets
// the count to 0 and returns false.
bool readGroupFile(const std::filesystem::path& file, int32_t language, MacroStore& store, Prompter& prompter,
                   MacroIssues* issues = nullptr);

// Fills the built-in macro table from constMacro.dat (up to 21 macros), each value cut to 3215
// characters, so events 130 and later and the LED programs read as zero. A missing
// file shows kMissingMacroFileMessage, sets the count to 0 and returns false.
bool readBuiltInMacros(const std::filesystem::path& file, int32_t language, BuiltInMacroTable& table,
                       Prompter& prompter, MacroIssues* issues = nullptr);

// Macro `index` of a group file, or an all-zero record when the file is missing or the index is
// not below the file's (clipped) macro count. Shows nothing.
MacroRecord readMacroFromFile(const std::filesystem::path& file, int index, int32_t language);

// Writes "macroNum" = store.count, then key `index` = the field string of slot `index`. Other keys
// stay as they are. False when index is outside 0..20 or the file could not be written.
bool writeOneMacro(const std::filesystem::path& file, const MacroStore& store, int index, int32_t language);

// Writes "macroNum" = store.count and the keys 0..count-1 (count clipped to the 21 slots; only the
// built-in macro table uses slot 20). False when the file could not be written.
bool writeAllMacros(const std::filesystem::path& file, const MacroStore& store, int32_t language);

}  // namespace tarvosk
