// The macro field decoder on any value text, then the event and lighting texts of what it
// decoded, and the encoder on the result (which must decode to the same record).
#include <cstdint>
#include <cstdlib>
#include <string>

#include "macro/event_text.h"
#include "macro/macro_check.h"
#include "macro/macro_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvosk;
  if (size == 0) return 0;
  const int32_t language = data[0] & 1;
  const std::string_view value(reinterpret_cast<const char*>(data + 1), size - 1);
  MacroRecord m;
  MacroIssues issues;
  decodeFieldString(value, language, m, &issues);
  (void)eventListLines(m, language);
  for (const LedProgram& p : m.ledPrograms) (void)ledProgramLines(p, language);
  (void)checkMacro(m, language);
  const std::string encoded = encodeFieldString(m, language);
  MacroRecord again;
  decodeFieldString(encoded, language, again);
  if (encodeFieldString(again, language) != encoded) std::abort();  // a saved macro must read back
  return 0;
}
