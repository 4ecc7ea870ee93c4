// Program folder resolution and careful file writes.
#include "io/folder.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app_info.h"

namespace fs = std::filesystem;

namespace quorl {

namespace {

bool writable(const std::string& dir) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (!fs::is_directory(dir, ec)) return false;
  return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

// An installed binary folder is shared with other programs, and root may write there.
bool installedBinDir(const std::string& dir) {
  std::error_code ec;
  return fs::exists(fs::path(dir) / kBinToData / "applications" / (std::string(kAppId) + ".desktop"), ec);
}

std::string userDataDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg) return std::string(xdg) + "/quorl";
  const char* home = std::getenv("HOME");
  if (home && *home) return std::string(home) + "/.local/share/quorl";
  return "/tmp/quorl";
}

}  // namespace

ProgramFolder ProgramFolder::resolve(const std::string& preferred) {
  if (!installedBinDir(preferred) && writable(preferred)) return ProgramFolder{preferred, false};
  std::string fallback = userDataDir();
  writable(fallback);
  return ProgramFolder{fallback, true};
}

std::string ProgramFolder::path(const std::string& file) const { return (fs::path(dir) / file).string(); }

std::string executableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path().string();
  return exe.parent_path().string();
}

bool writeFileWhole(const std::string& path, const std::string& content, std::string& error) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = std::strerror(errno);
      return false;
    }
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out) {
      error = "write failed";
      out.close();
      std::remove(tmp.c_str());
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    error = std::strerror(errno);
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

bool appendToFile(const std::string& path, const std::string& content, std::string& error) {
  std::FILE* f = std::fopen(path.c_str(), "ab");
  if (!f) {
    error = std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) error = "write failed";
  return ok;
}

bool readFile(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  content = ss.str();
  return true;
}

}  // namespace quorl
