#include "platform/autostart.h"

#include <fstream>
#include <sstream>
#include <system_error>

namespace tarvosk {

namespace fs = std::filesystem;

fs::path autostartFile(const fs::path& configHome) { return configHome / "autostart" / kAutostartFileName; }

namespace {

bool isPlainPathCharacter(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '/' || c == '.' ||
         c == '_' || c == '-' || c == '+' || c == ',' || c == '@';
}

// An Exec argument: quoted when it holds a reserved character, with ", `, $ and \ escaped inside
// the quotes; then % doubled (field codes) and \ doubled (the string value's own escaping).
std::string execArgument(const std::string& text) {
  bool plain = !text.empty();
  for (char c : text) plain = plain && isPlainPathCharacter(c);
  std::string quoted;
  if (plain) {
    quoted = text;
  } else {
    quoted = "\"";
    for (char c : text) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    quoted += '"';
  }
  std::string out;
  for (char c : quoted) {
    if (c == '%') out += '%';
    if (c == '\\') out += '\\';
    out += c;
  }
  return out;
}

// The first `name` along a PATH value that exists.
fs::path findInPath(std::string_view searchPath, std::string_view name) {
  std::error_code ec;
  std::size_t start = 0;
  while (start <= searchPath.size()) {
    std::size_t end = searchPath.find(':', start);
    if (end == std::string_view::npos) end = searchPath.size();
    const std::string_view folder = searchPath.substr(start, end - start);
    // An empty entry means the current folder, which says nothing about a login session's.
    if (!folder.empty() && folder.front() == '/') {
      const fs::path candidate = fs::path(folder) / name;
      if (fs::exists(candidate, ec)) return candidate;
    }
    start = end + 1;
  }
  return {};
}

}  // namespace

std::string autostartExec(const fs::path& executable, std::string_view searchPath) {
  std::error_code ec;
  const fs::path found = findInPath(searchPath, "tarvosk");
  if (!found.empty() && fs::equivalent(found, executable, ec)) return "tarvosk -HIDE";
  return execArgument(fs::absolute(executable, ec).string()) + " -HIDE";
}

std::string autostartEntry(std::string_view exec) {
  std::string entry =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=Tarvosk\n"
      "Comment=Starts Tarvosk hidden in the notification area\n"
      "Exec=";
  entry += exec;
  entry +=
      "\n"
      "Icon=org.tarvosk.Tarvosk\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=true\n";
  return entry;
}

bool isAutostartEnabled(const fs::path& file) {
  std::ifstream in(file);
  if (!in) return false;
  std::string line;
  bool inEntry = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      inEntry = line == "[Desktop Entry]";
      continue;
    }
    if (!inEntry) continue;
    if (line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false") return false;
  }
  return true;
}

bool setAutostart(const fs::path& file, bool enabled, std::string_view exec) {
  std::error_code ec;
  if (!enabled) {
    fs::remove(file, ec);
    return !ec;
  }
  fs::create_directories(file.parent_path(), ec);
  if (ec) return false;
  const fs::path temporary = file.string() + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << autostartEntry(exec);
    out.flush();
    if (!out) {
      fs::remove(temporary, ec);
      return false;
    }
  }
  fs::rename(temporary, file, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temporary, ignored);
    return false;
  }
  return true;
}

}  // namespace tarvosk
