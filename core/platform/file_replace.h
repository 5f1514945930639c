#pragma once
// Reading and replacing the program's small data files safely: a reader never blocks on a FIFO
// or a device node, and a replacement is never seen half written.

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tarvosk {

// Files larger than this are not files of the program; reading refuses them.
inline constexpr std::size_t kMaxDataFileBytes = 64u << 20;

// The whole content of the regular file at `path` (a symbolic link is followed). nullopt when it
// is missing, not a regular file (FIFO, device, folder: opened without blocking and refused),
// larger than `maxBytes` or unreadable.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t maxBytes = kMaxDataFileBytes);

// Replaces the content of `path` with `bytes`. A regular file is replaced atomically (temporary
// file in the same folder, flushed, then renamed over it) keeping its permission bits and, where
// the system allows, its owner and group; a symbolic link is followed and its target replaced,
// so the link stays. A FIFO or device node is written through in place, opened without blocking
// (a FIFO without a reader fails). Returns false when the folder is missing or not writable, the
// file is read-only or the write fails (disk full); the old file is then untouched.
bool replaceFileContents(const std::filesystem::path& path, std::string_view bytes);

// Fault injection for tests: makes later replacements fail as a read-only folder (the temporary
// file cannot be created, EACCES) or a full disk would (the first `bytesBeforeFull` bytes reach
// the temporary file, then the write fails with ENOSPC). The first `replacementsBefore`
// replacements still succeed, so a fault can hit the middle of a sequence. It stays in force
// until cleared with nullopt. Tests only: a read-only folder does not stop root, and a full disk
// cannot be made without mounting one.
struct ReplaceFault {
  enum class Kind { ReadOnlyFolder, DiskFull };
  Kind kind = Kind::DiskFull;
  std::size_t bytesBeforeFull = 0;
  int replacementsBefore = 0;
};
void setReplaceFaultForTesting(std::optional<ReplaceFault> fault);

}  // namespace tarvosk
