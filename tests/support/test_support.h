#pragma once
// Shared test fixtures: a scratch folder per test, a prompter that records what it was asked,
// and small file helpers.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/paths.h"
#include "platform/prompter.h"

namespace tarvosk::test {

class RecordingPrompter : public Prompter {
 public:
  void showMessage(std::string_view text) override { messages.emplace_back(text); }
  std::vector<std::string> messages;
};

// A fresh, empty folder removed again when the object goes.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(std::string_view name) const { return m_path / name; }

 private:
  std::filesystem::path m_path;
};

std::string readFile(const std::filesystem::path& path);
void writeFile(const std::filesystem::path& path, std::string_view bytes);

// The test data folder (tests/data) and the shipped skins folder (data/skins) of the source tree.
std::filesystem::path testDataDir();
std::filesystem::path shippedSkinsDir();

// A portable layout in `root` (root/skins/...), with the shipped data copied in when `withShippedData`.
Paths scratchPaths(const std::filesystem::path& root, bool withShippedData);

}  // namespace tarvosk::test
