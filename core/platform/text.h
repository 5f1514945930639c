#pragma once
// Text helpers shared by every file format the program reads: lenient number conversion,
// UTF-8/UTF-16 conversion and ASCII case folding.

#include <cstddef>
#include <string>
#include <string_view>

namespace tarvosk {

// Decimal conversion with the lenient rules of the stored files: leading white space is skipped,
// an optional sign, then the leading decimal digits; no digits give 0. Saturates at the int range.
int wtoi(std::string_view text);

// True when `text` is exactly an optional sign followed by decimal digits (surrounding spaces allowed).
bool isPlainInteger(std::string_view text);

// Decodes UTF-8; malformed sequences become U+FFFD, so any byte string converts.
std::u16string utf8ToUtf16(std::string_view text);
// Encodes UTF-16; an unpaired surrogate becomes U+FFFD.
std::string utf16ToUtf8(std::u16string_view text);
// Replaces malformed UTF-8 sequences with U+FFFD.
std::string sanitizeUtf8(std::string_view text);

// Number of UTF-16 code units the text takes (how Windows counts buffer sizes and lengths).
std::size_t utf16Length(std::string_view utf8);
// The longest prefix of at most `units` UTF-16 code units; never splits a character.
std::string truncateUtf16(std::string_view utf8, std::size_t units);

// ASCII-only case-insensitive equality, as used for section and key names.
bool equalsIgnoreCase(std::string_view a, std::string_view b);

// Trims spaces and tabs at both ends.
std::string_view trimBlanks(std::string_view text);

}  // namespace tarvosk
