#pragma once
// Puts a write fault in force for one scope (see setReplaceFaultForTesting), and lists a folder
// so a test can see that no temporary file was left.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_replace.h"

namespace tarvosk::test {

class ScopedReplaceFault {
 public:
  explicit ScopedReplaceFault(ReplaceFault fault) { setReplaceFaultForTesting(fault); }
  ~ScopedReplaceFault() { setReplaceFaultForTesting(std::nullopt); }
  ScopedReplaceFault(const ScopedReplaceFault&) = delete;
  ScopedReplaceFault& operator=(const ScopedReplaceFault&) = delete;
};

inline ReplaceFault readOnlyFolder(int replacementsBefore = 0) {
  return {ReplaceFault::Kind::ReadOnlyFolder, 0, replacementsBefore};
}
inline ReplaceFault diskFull(std::size_t bytesBeforeFull, int replacementsBefore = 0) {
  return {ReplaceFault::Kind::DiskFull, bytesBeforeFull, replacementsBefore};
}

// The names in `folder`, sorted (not recursive).
inline std::vector<std::string> folderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tarvosk::test
