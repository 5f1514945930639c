#pragma once
// Every file-system location the program uses. Two layouts:
//  - portable: a `skins` folder next to the executable holds every data file;
//  - installed: read-only assets under <prefix>/share/tarvosk, the user's writable copies
//    (configuration, macro folders) under $XDG_CONFIG_HOME/tarvosk/skins, seeded on first start.

#include <filesystem>
#include <string>

namespace tarvosk {

struct Paths {
  std::filesystem::path programFolder;  // folder of the running executable
  std::filesystem::path skinsFolder;    // read-only assets: layouts, images, factory copies
  std::filesystem::path userSkinsFolder;  // writable files; equals skinsFolder in portable mode
  std::filesystem::path configFolder;   // holds config.ini
  std::filesystem::path configFile;     // configFolder / "config.ini"
  std::filesystem::path factoryConfigFile;  // configReset.ini
  std::filesystem::path mainMaskImage;  // skinsFolder / "main_mask.jpg"
  std::filesystem::path builtInMacroFile;  // constMacro.dat
  bool portable = true;

  // Macro folder of a language (language 0 = second language, else English).
  std::filesystem::path macroFolder(int language) const;
  // Factory copies of the macro library of a language.
  std::filesystem::path macroResetFolder(int language) const;
  // Folder of the layout files of a language ("INI_EN" or "INI_CN" under the skins folder).
  std::filesystem::path layoutFolder(int language) const;
};

// "INI_EN" for English (any nonzero language), "INI_CN" for the second language.
std::string languageFolderName(int language);

// Portable layout rooted at `skinsFolder`; the built-in macro file next to the executables.
Paths portablePaths(const std::filesystem::path& programFolder, const std::filesystem::path& skinsFolder);

// Installed layout: assets under `shareFolder` (…/share/tarvosk), writable files under
// `userSkinsFolder`.
Paths installedPaths(const std::filesystem::path& programFolder, const std::filesystem::path& shareFolder,
                     const std::filesystem::path& userSkinsFolder);

// The folder of the running executable (empty when it cannot be found).
std::filesystem::path executableFolder();

// The user's configuration folder: $XDG_CONFIG_HOME, else ~/.config, else the temporary folder.
std::filesystem::path userConfigHome();

// Chooses the layout for an executable in `programFolder`: portable when `skins` exists next
// to it, installed otherwise ($XDG_CONFIG_HOME or ~/.config for the user's files).
Paths discoverPaths(const std::filesystem::path& programFolder);

// Installed mode: copies the factory configuration and macro folders into the user's folder
// where they are missing; never overwrites an existing file or folder. Returns false when a
// copy failed (what could be copied is kept).
bool seedUserFiles(const Paths& paths);

}  // namespace tarvosk
