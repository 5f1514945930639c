#include "platform/file_replace.h"

#include <atomic>
#include <cerrno>
#include <mutex>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvosk {

namespace fs = std::filesystem;

namespace {

class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return m_fd; }
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

std::mutex g_faultMutex;
std::optional<ReplaceFault> g_fault;

// The fault this replacement meets, if any (counting down the replacements that still succeed).
std::optional<ReplaceFault> takeFault() {
  const std::lock_guard lock(g_faultMutex);
  if (!g_fault) return std::nullopt;
  if (g_fault->replacementsBefore > 0) {
    --g_fault->replacementsBefore;
    return std::nullopt;
  }
  return g_fault;
}

// A full disk: what fits is written, then the write fails.
bool writeAll(int fd, std::string_view bytes, const std::optional<ReplaceFault>& fault) {
  if (fault && fault->kind == ReplaceFault::Kind::DiskFull && bytes.size() > fault->bytesBeforeFull) {
    (void)writeAll(fd, bytes.substr(0, fault->bytesBeforeFull), std::nullopt);
    errno = ENOSPC;
    return false;
  }
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// A FIFO or device: written where it is, as a user who names one expects.
bool writeThrough(const fs::path& path, std::string_view bytes, const std::optional<ReplaceFault>& fault) {
  if (fault && fault->kind == ReplaceFault::Kind::ReadOnlyFolder) {
    errno = EACCES;
    return false;
  }
  Fd fd(::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return false;
  const int flags = ::fcntl(fd.get(), F_GETFL);
  if (flags >= 0) (void)::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK);
  return writeAll(fd.get(), bytes, fault) && fd.close();
}

}  // namespace

std::optional<std::string> readRegularFile(const fs::path& path, std::size_t maxBytes) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (fd.get() < 0) return std::nullopt;
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (static_cast<unsigned long long>(st.st_size) > maxBytes) return std::nullopt;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > maxBytes) return std::nullopt;  // grew while read
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool replaceFileContents(const fs::path& path, std::string_view bytes) {
  std::error_code ec;
  fs::path target = path;
  // Follow a link to the file it names, so the link itself stays.
  if (fs::is_symlink(fs::symlink_status(path, ec))) {
    target = fs::weakly_canonical(path, ec);
    if (ec) return false;
  }
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return false;
  const std::optional<ReplaceFault> fault = takeFault();
  if (exists && !S_ISREG(old.st_mode)) return writeThrough(target, bytes, fault);
  if (exists && ::access(target.c_str(), W_OK) != 0) return false;  // a read-only file stays as it is

  static std::atomic<unsigned> counter{0};
  fs::path temp = target;
  temp += ".tmp" + std::to_string(::getpid()) + "_" + std::to_string(counter++);
  const mode_t mode = exists ? (old.st_mode & 07777) : 0666;
  if (fault && fault->kind == ReplaceFault::Kind::ReadOnlyFolder) {
    errno = EACCES;
    return false;
  }
  Fd fd(::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
  if (fd.get() < 0) return false;
  bool ok = writeAll(fd.get(), bytes, fault);
  if (ok && exists) {
    // Keep who may read the file: a private configuration stays private.
    (void)::fchown(fd.get(), old.st_uid, old.st_gid);  // allowed only to root or for the own group
    ok = ::fchmod(fd.get(), mode) == 0;
  }
  ok = ok && ::fsync(fd.get()) == 0;
  ok = fd.close() && ok;
  if (ok) ok = ::rename(temp.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

void setReplaceFaultForTesting(std::optional<ReplaceFault> fault) {
  const std::lock_guard lock(g_faultMutex);
  g_fault = fault;
}

}  // namespace tarvosk
