#include "settings/config_file.h"

#include <system_error>

#include "platform/profile_file.h"
#include "platform/text.h"
#include "settings/language.h"
#include "settings/settings_rules.h"

namespace tarvosk {

namespace {

constexpr std::string_view kInit = "Init";
constexpr std::string_view kShare = "ShareData";

std::string configSection(int slot) { return "Config" + std::to_string(slot); }
std::string indexed(std::string_view key, int n) { return std::string(key) + std::to_string(n); }
std::string dpiColorKey(int level, int channel) {
  static constexpr const char* kChannel[] = {"_R", "_G", "_B"};
  return "DPI" + std::to_string(level) + kChannel[channel];
}
std::string userColorKey(int color, int channel) {
  static constexpr const char* kChannel[] = {"_R", "_G", "_B"};
  return "LED_USER" + std::to_string(color) + kChannel[channel];
}

bool validSlot(int slot) { return slot >= 0 && slot < kProfileSlots; }

}  // namespace

void loadSlotFrom(SettingsRecord& s, const IniDocument& doc, int slot) {
  if (!validSlot(slot)) return;
  const std::string section = configSection(slot);
  for (int n = 0; n < 9; ++n) {
    const int key = doc.readInt(section, indexed("K", n), 5);
    if (n < kButtons) s.buttonFunction[slot][n] = key;
    s.ledReactEnable[slot][n] = doc.readInt(section, indexed("LED_REACT_EN", n), 5);
    s.ledReactType[slot][n] = doc.readInt(section, indexed("LED_REACT_TYPE", n), 5);
  }
  s.wheelStatus = doc.readInt(section, "WHEEL_STATUS", 5);

  s.dpiLevel = doc.readInt(kShare, "DPI_LEVEL", 5);
  for (int d = 0; d < kDpiLevels; ++d) {
    s.dpiValue[d] = static_cast<uint8_t>(doc.readInt(kShare, indexed("DPI_SET", d), 10));
    s.dpiEnabled[d] = doc.readInt(kShare, indexed("DPI_SET_EN", d), 10) != 0 ? 1 : 0;
    for (int c = 0; c < 3; ++c) s.dpiColor[d][c] = doc.readInt(kShare, dpiColorKey(d, c), 10);
  }
  s.ledType = static_cast<uint8_t>(doc.readInt(kShare, "LED_TYPE", 5));
  for (int n = 0; n < 10; ++n) {
    const int value = doc.readInt(kShare, indexed("LED_TYPE_SW_EN", n), 5);
    if (n < 3) {
      s.cycleColorEnable[4 + n] = value;
    } else {
      s.ledSwitchSpare[n - 3] = value;
    }
  }
  s.ledCycleTime = static_cast<uint8_t>(doc.readInt(kShare, "LED_CYCTIME", 5));
  s.ledUserColorEnable = doc.readInt(kShare, "LED_USER_COLER_EN", 5);
  (void)doc.readInt(kShare, "LED_FEATURE_SCOLOR", 5);  // always 0 in memory, whatever the file says
  s.ledFeatureSColor = 0;
  s.ledDirection = doc.readInt(kShare, "LED_FEATURE_DIREC", 5);
  s.ledSymmetry = doc.readInt(kShare, "LED_FEATURE_SYMMETRY", 5);
  s.ledBrightness = doc.readInt(kShare, "LED_BRIGHT", 5);
  for (int u = 0; u < kUserColors; ++u) {
    for (int c = 0; c < 3; ++c) s.ledUserColor[u][c] = doc.readInt(kShare, userColorKey(u, c), 10);
    recomputeUserColorRgb(s, u);
  }
  const int cycle = doc.readInt(kShare, "CYC_7COL_EN", 5);
  for (int i = 0; i < 4; ++i) s.cycleColorEnable[i] = (cycle >> i) & 1;
  s.cycleColorMask = static_cast<uint8_t>(cycle);
  s.pointerSpeed = static_cast<uint8_t>(doc.readInt(kShare, "DPI_SPEED", 5));
  s.wheelSpeed = static_cast<uint8_t>(doc.readInt(kShare, "WHEEL_SPEED", 5));
  setUsbRate(s, static_cast<uint8_t>(doc.readInt(kShare, "USB_SPEED", 5)));
  s.fireTime = doc.readInt(kShare, "FIRE_TIME", 5);
}

bool loadSlot(SettingsRecord& s, const Paths& paths, int slot, ConfigSource source, Prompter& prompter) {
  if (!validSlot(slot)) return false;
  const bool factory = source == ConfigSource::Factory;
  const std::filesystem::path& file = factory ? paths.factoryConfigFile : paths.configFile;
  std::error_code ec;
  std::optional<IniDocument> doc;
  if (std::filesystem::is_regular_file(file, ec)) doc = IniDocument::load(file);
  if (!doc) {
    prompter.showMessage(factory ? kMissingFactoryConfigMessage : kMissingConfigMessage);
    return false;
  }
  loadSlotFrom(s, *doc, slot);
  return true;
}

void saveSlotTo(const SettingsRecord& s, IniDocument& doc, int slot) {
  if (!validSlot(slot)) return;
  const std::string section = configSection(slot);
  for (int n = 0; n < 9; ++n) {
    int key = 0;
    if (n < kButtons) {
      key = s.buttonFunction[slot][n];
    } else if (slot + 1 < kProfileSlots) {
      // K6..K8 repeat the first three buttons of the next slot; the last slot has none.
      key = s.buttonFunction[slot + 1][n - kButtons];
    }
    doc.writeInt(section, indexed("K", n), key);
    doc.writeInt(section, indexed("LED_REACT_EN", n), s.ledReactEnable[slot][n]);
    doc.writeInt(section, indexed("LED_REACT_TYPE", n), s.ledReactType[slot][n]);
  }
  doc.writeInt(section, "WHEEL_STATUS", s.wheelStatus);

  doc.writeInt(kShare, "DPI_LEVEL", s.dpiLevel);
  doc.writeInt(kShare, "LED_USER_COLER_EN", s.ledUserColorEnable);
  doc.writeInt(kShare, "CYC_7COL_EN", s.cycleColorMask);
  for (int d = 0; d < kDpiLevels; ++d) {
    doc.writeInt(kShare, indexed("DPI_SET", d), s.dpiValue[d]);
    doc.writeInt(kShare, indexed("DPI_SET_EN", d), s.dpiEnabled[d] != 0 ? 1 : 0);
    for (int c = 0; c < 3; ++c) doc.writeInt(kShare, dpiColorKey(d, c), s.dpiColor[d][c]);
  }
  for (int u = 0; u < kUserColors; ++u) {
    for (int c = 0; c < 3; ++c) doc.writeInt(kShare, userColorKey(u, c), s.ledUserColor[u][c]);
  }
  doc.writeInt(kShare, "LED_TYPE", s.ledType);
  for (int n = 0; n < 10; ++n) {
    doc.writeInt(kShare, indexed("LED_TYPE_SW_EN", n), n < 3 ? s.cycleColorEnable[4 + n] : s.ledSwitchSpare[n - 3]);
  }
  doc.writeInt(kShare, "LED_CYC_TIME", s.ledCycleTime);
  doc.writeInt(kShare, "LED_FEATURE_SCOLOR", 0);
  doc.writeInt(kShare, "LED_FEATURE_SYMMETRY", s.ledSymmetry);
  doc.writeInt(kShare, "LED_FEATURE_DIREC", s.ledDirection);
  doc.writeInt(kShare, "LED_BRIGHT", s.ledBrightness);
  doc.writeInt(kShare, "LED_CYCTIME", s.ledCycleTime);
  doc.writeInt(kShare, "DPI_SPEED", s.pointerSpeed);
  doc.writeInt(kShare, "WHEEL_SPEED", s.wheelSpeed);
  doc.writeInt(kShare, "USB_SPEED", s.usbRate);
  doc.writeInt(kShare, "FIRE_TIME", s.fireTime);
}

bool saveSlot(const SettingsRecord& s, const std::filesystem::path& file, int slot) {
  if (!validSlot(slot)) return false;
  return ProfileFile(file).update([&](IniDocument& doc) { saveSlotTo(s, doc, slot); });
}

bool saveDpiLevel(const SettingsRecord& s, const std::filesystem::path& file) {
  return ProfileFile(file).writeInt(kShare, "DPI_LEVEL", s.dpiLevel);
}

bool saveCurrentProfile(const SettingsRecord& s, const std::filesystem::path& file) {
  return ProfileFile(file).writeInt(kInit, "CurConfig", s.currentProfile);
}

std::array<std::string, kProfileTabs> readProfileNames(const IniDocument& doc, int32_t language,
                                                       std::size_t bufferChars) {
  std::array<std::string, kProfileTabs> names;
  for (int tab = 1; tab <= kProfileTabs; ++tab) {
    names[tab - 1] = doc.readString(kInit, profileNameKey(language, tab), "", bufferChars);
  }
  return names;
}

bool loadAtStartup(SettingsRecord& s, const Paths& paths, Prompter& prompter) {
  ConfigReadReport ignored;
  return loadAtStartup(s, paths, prompter, ignored);
}

std::string noKnownKeyMessage(const std::filesystem::path& file) {
  return file.string() + " holds none of the settings' keys; every setting reads as 0";
}

bool loadAtStartup(SettingsRecord& s, const Paths& paths, Prompter& prompter, ConfigReadReport& report) {
  std::error_code ec;
  std::optional<IniDocument> doc;
  if (std::filesystem::is_regular_file(paths.configFile, ec)) doc = IniDocument::load(paths.configFile);
  if (!doc) {
    prompter.showMessage(kMissingConfigMessage);
    return false;
  }
  report.notes = describeReadNotes(doc->readNotes());
  report.knownKeys = countKnownKeys(*doc);
  const int profile = doc->readInt(kInit, "CurConfig", 5);
  s.currentProfile = profile >= 0 && profile < kProfileSlots ? profile : 0;
  s.language = languageFromVerSel(doc->readInt(kInit, "VER_SEL", 5));
  (void)doc->readInt(kInit, "ConfigNum", 5);  // read at start-up, has no effect
  s.profileName = readProfileNames(*doc, s.language, 15);
  for (int slot = 0; slot < kProfileSlots; ++slot) loadSlotFrom(s, *doc, slot);
  return true;
}

namespace {

// Calls `visit(section, key)` for every key the loader reads.
template <typename Visit>
void forEachLoadedKey(Visit&& check) {
  check(kInit, "CurConfig");
  check(kInit, "VER_SEL");
  for (int slot = 0; slot < kProfileSlots; ++slot) {
    const std::string section = configSection(slot);
    for (int n = 0; n < 9; ++n) {
      check(section, indexed("K", n));
      check(section, indexed("LED_REACT_EN", n));
      check(section, indexed("LED_REACT_TYPE", n));
    }
    check(section, "WHEEL_STATUS");
  }
  check(kShare, "DPI_LEVEL");
  for (int d = 0; d < kDpiLevels; ++d) {
    check(kShare, indexed("DPI_SET", d));
    check(kShare, indexed("DPI_SET_EN", d));
    for (int c = 0; c < 3; ++c) check(kShare, dpiColorKey(d, c));
  }
  for (const char* key :
       {"LED_TYPE", "LED_CYCTIME", "LED_USER_COLER_EN", "LED_FEATURE_SCOLOR", "LED_FEATURE_DIREC",
        "LED_FEATURE_SYMMETRY", "LED_BRIGHT", "CYC_7COL_EN", "DPI_SPEED", "WHEEL_SPEED", "USB_SPEED", "FIRE_TIME"}) {
    check(kShare, key);
  }
  for (int n = 0; n < 10; ++n) check(kShare, indexed("LED_TYPE_SW_EN", n));
  for (int u = 0; u < kUserColors; ++u) {
    for (int c = 0; c < 3; ++c) check(kShare, userColorKey(u, c));
  }
}

}  // namespace

std::vector<MalformedValue> findMalformedValues(const IniDocument& doc) {
  std::vector<MalformedValue> found;
  forEachLoadedKey([&](std::string_view section, const std::string& key) {
    const std::optional<std::string> value = doc.value(section, key);
    if (value && !isPlainInteger(*value)) found.push_back({std::string(section), key, *value});
  });
  return found;
}

int countKnownKeys(const IniDocument& doc) {
  int known = 0;
  forEachLoadedKey([&](std::string_view section, const std::string& key) { known += doc.value(section, key) ? 1 : 0; });
  return known;
}

}  // namespace tarvosk
