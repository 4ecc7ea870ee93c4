// Program folder resolution and careful file writes.
#include "io/folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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
  // The old file stays until the new one is complete on disk: a kill, a crash or a full disk
  // leaves either the old file or the new one, never a part.
  const std::string tmp = path + ".tmp";
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  const char* p = content.data();
  std::size_t left = content.size();
  bool ok = true;
  errno = 0;
  while (ok && left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) p += n, left -= static_cast<std::size_t>(n);
  }
  if (ok) ok = ::fdatasync(fd) == 0;
  if (!ok) error = errno ? std::strerror(errno) : "write failed";
  if (::close(fd) != 0 && ok) {
    ok = false;
    error = std::strerror(errno);
  }
  if (ok && std::rename(tmp.c_str(), path.c_str()) != 0) {
    ok = false;
    error = std::strerror(errno);
  }
  if (!ok) ::unlink(tmp.c_str());
  return ok;
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

bool readFileHead(const std::string& path, std::size_t limit, std::string& content, std::string& error) {
  // Non-blocking, so a pipe or a device in the file's place cannot stall the game.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    error = std::strerror(errno);
    return false;
  }
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) error = "not a plain file";
  content.clear();
  while (ok && content.size() < limit) {
    char buf[4096];
    const ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - content.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ok = false;
      error = std::strerror(errno);
    }
    if (n <= 0) break;
    content.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ok;
}

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
  std::string name = "/tmp/" + prefix + "-XXXXXX";
  if (mkdtemp(name.data())) path_ = name;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
}

}  // namespace quorl
