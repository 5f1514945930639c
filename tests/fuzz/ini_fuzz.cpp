// The INI reader on any bytes: reads never fail, a write is always read back, and a saved
// document reads the same again. The configuration loader runs over the same document.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/profile_file.h"
#include "settings/config_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvosk;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  IniDocument doc = IniDocument::parse(bytes);
  SettingsRecord s;
  for (int slot = 0; slot < 4; ++slot) loadSlotFrom(s, doc, slot);
  (void)findMalformedValues(doc);
  (void)countKnownKeys(doc);
  (void)doc.readString("Init", "ConfigName1", "dflt  ", 15);
  doc.writeInt("ShareData", "FIRE_TIME", 12345);
  doc.write("Init", "VER_SEL", "1");
  const IniDocument again = IniDocument::parse(doc.serialize());
  if (again.readInt("ShareData", "FIRE_TIME", 12) != 12345 || again.readString("Init", "VER_SEL", "", 5) != "1") {
    std::abort();  // a write that does not read back loses the user's setting
  }
  return 0;
}
