#include "platform/paths.h"

#include <cstdlib>
#include <system_error>

namespace tarvosk {

namespace fs = std::filesystem;

std::string languageFolderName(int language) { return language != 0 ? "INI_EN" : "INI_CN"; }

fs::path Paths::macroFolder(int language) const { return userSkinsFolder / languageFolderName(language) / "macro"; }

fs::path Paths::macroResetFolder(int language) const {
  return skinsFolder / languageFolderName(language) / "macroReset";
}

fs::path Paths::layoutFolder(int language) const { return skinsFolder / languageFolderName(language); }

namespace {

Paths layout(const fs::path& programFolder, const fs::path& assets, const fs::path& user, bool portable) {
  Paths p;
  p.programFolder = programFolder;
  p.skinsFolder = assets;
  p.userSkinsFolder = user;
  p.configFolder = user / "config";
  p.configFile = p.configFolder / "config.ini";
  p.factoryConfigFile = assets / "config" / "configReset.ini";
  p.mainMaskImage = assets / "main_mask.jpg";
  p.portable = portable;
  return p;
}

}  // namespace

Paths portablePaths(const fs::path& programFolder, const fs::path& skinsFolder) {
  Paths p = layout(programFolder, skinsFolder, skinsFolder, true);
  p.builtInMacroFile = programFolder / "constMacro.dat";
  return p;
}

Paths installedPaths(const fs::path& programFolder, const fs::path& shareFolder, const fs::path& userSkinsFolder) {
  Paths p = layout(programFolder, shareFolder / "skins", userSkinsFolder, false);
  // An installed program keeps no data beside its executable in bin/.
  p.builtInMacroFile = shareFolder / "constMacro.dat";
  return p;
}

fs::path executableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
  return exe.parent_path();
}

fs::path userConfigHome() {
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) return xdg;
  if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".config";
  std::error_code ec;
  return fs::temp_directory_path(ec);
}

Paths discoverPaths(const fs::path& programFolder) {
  std::error_code ec;
  if (fs::is_directory(programFolder / "skins", ec)) return portablePaths(programFolder, programFolder / "skins");
  return installedPaths(programFolder, programFolder.parent_path() / "share" / "tarvosk",
                        userConfigHome() / "tarvosk" / "skins");
}

bool seedUserFiles(const Paths& paths) {
  if (paths.portable) return true;
  bool ok = true;
  std::error_code ec;
  fs::create_directories(paths.configFolder, ec);
  if (ec) return false;
  const fs::path factoryConfig = paths.skinsFolder / "config" / "config.ini";
  if (!fs::exists(paths.configFile, ec) && fs::exists(factoryConfig, ec)) {
    fs::copy_file(factoryConfig, paths.configFile, ec);
    ok = ok && !ec;
  }
  for (int language : {0, 1}) {
    const fs::path target = paths.macroFolder(language);
    const fs::path source = paths.skinsFolder / languageFolderName(language) / "macro";
    if (fs::exists(target, ec) || !fs::is_directory(source, ec)) continue;
    fs::create_directories(target.parent_path(), ec);
    fs::copy(source, target, fs::copy_options::recursive, ec);
    ok = ok && !ec;
  }
  return ok;
}

}  // namespace tarvosk
