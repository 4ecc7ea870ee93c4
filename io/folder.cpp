// Program folder resolution and careful file writes.
#include "io/folder.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <thread>

#include "app_info.h"

namespace fs = std::filesystem;

namespace quorl {

namespace {

std::string errorText(int e) { return std::strerror(e); }

std::string parentOf(const std::string& path) {
  const std::string parent = fs::path(path).parent_path().string();
  return parent.empty() ? "." : parent;
}

// A folder the game can keep its files in; why not, otherwise.
bool usable(const std::string& dir, std::string& why) {
  std::error_code ec;
  fs::create_directories(dir, ec);
  std::error_code kind;
  if (!fs::is_directory(dir, kind)) {
    why = ec ? ec.message() : "not a folder";
    return false;
  }
  if (::access(dir.c_str(), W_OK | X_OK) != 0) {
    why = errorText(errno);
    return false;
  }
  return true;
}

// An installed binary folder is shared with other programs, and root may write there.
bool installedBinDir(const std::string& dir) {
  std::error_code ec;
  return fs::exists(fs::path(dir) / kBinToData / "applications" / (std::string(kAppId) + ".desktop"), ec);
}

// The per-user data folder; empty when the environment names none.
std::string userDataDir() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') return std::string(xdg) + "/quorl";
  const char* home = std::getenv("HOME");
  if (home && *home == '/') return std::string(home) + "/.local/share/quorl";
  return {};
}

std::string temporaryBase() {
  const char* tmp = std::getenv("TMPDIR");
  return tmp && *tmp == '/' ? tmp : "/tmp";
}

// The last resort: a folder under the system's temporary folder that only this user can open. A name someone
// else took (or a link in its place) is never used; a fresh unique one is made instead.
std::string privateTemporaryDir(bool& lasting) {
  const std::string dir = temporaryBase() + "/quorl-" + std::to_string(::geteuid());
  ::mkdir(dir.c_str(), 0700);
  struct stat st {};
  if (::lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
      ((st.st_mode & 077) == 0 || ::chmod(dir.c_str(), 0700) == 0)) {
    lasting = true;
    return dir;
  }
  std::string fresh = dir + "-XXXXXX";
  lasting = false;
  return ::mkdtemp(fresh.data()) ? fresh : std::string();
}

// Links are followed only when this user or the owner of the link's folder made them: a link planted in a
// shared folder by someone else would let them choose which of our files the game reads or overwrites.
bool trustedLink(const std::string& path, const struct stat& link) {
  if (link.st_uid == ::geteuid()) return true;
  struct stat dir {};
  return ::stat(parentOf(path).c_str(), &dir) == 0 && dir.st_uid == link.st_uid;
}

constexpr const char* kForeignLink = "a link made by another user; not followed";

// Where a write to `path` lands: the path itself, or the file a trusted link names.
bool writeTarget(const std::string& path, std::string& target, std::string& error) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
    target = path;
    return true;
  }
  if (!trustedLink(path, st)) {
    error = kForeignLink;
    return false;
  }
  char* real = ::realpath(path.c_str(), nullptr);
  if (!real) {
    error = "a link to a file that cannot be reached (" + errorText(errno) + ")";
    return false;
  }
  target = real;
  std::free(real);
  return true;
}

// Opens for reading or appending, never through a link planted by someone else.
int openChecked(const std::string& path, int flags, std::string& error, bool* missing = nullptr) {
  struct stat st {};
  const bool exists = ::lstat(path.c_str(), &st) == 0;
  if (missing) *missing = !exists && errno == ENOENT;
  const bool link = exists && S_ISLNK(st.st_mode);
  if (link && !trustedLink(path, st)) {
    error = kForeignLink;
    return -1;
  }
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | (link ? 0 : O_NOFOLLOW), 0644);
  if (fd < 0) error = errorText(errno);
  return fd;
}

bool writeAll(int fd, const std::string& content, std::size_t& done, int& err) {
  done = 0;
  while (done < content.size()) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      err = n < 0 ? errno : ENOSPC;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

// Removal of a temporary folder from a signal handler: only calls that are safe there, no allocation.
void emptyFolder(int fd, int depth) {
#ifdef __EMSCRIPTEN__
  // No signal reaches a WebAssembly program, so nothing calls this there; nor has it getdents64.
  (void)fd, (void)depth;
#else
  if (depth > 16) return;
  alignas(8) char buf[2048];
  for (int round = 0; round < 1000; ++round) {
    ::lseek(fd, 0, SEEK_SET);
    const long n = ::syscall(SYS_getdents64, fd, buf, sizeof buf);
    bool any = false;
    for (long at = 0; at < n;) {
      unsigned short length = 0;  // struct linux_dirent64: inode 8, offset 8, length 2, type 1, name
      std::memcpy(&length, buf + at + 16, sizeof length);
      const char* name = buf + at + 19;
      at += length;
      if (length == 0) return;
      if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) continue;
      any = true;
      if (::unlinkat(fd, name, 0) == 0) continue;
      const int sub = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
      if (sub >= 0) {
        emptyFolder(sub, depth + 1);
        ::close(sub);
      }
      ::unlinkat(fd, name, AT_REMOVEDIR);
    }
    if (!any) return;
  }
#endif
}

constexpr int kSlots = 16;
constexpr std::size_t kSlotPath = 512;
enum SlotState : int { kFree, kClaimed, kLive };
struct Slot {
  std::atomic<int> state{kFree};
  char path[kSlotPath]{};
};
Slot g_slots[kSlots];
constexpr int kStopSignals[] = {SIGINT, SIGTERM, SIGHUP};

void onStopSignal(int sig) {
  for (Slot& slot : g_slots) {
    if (slot.state.load() != kLive) continue;
    const int fd = ::open(slot.path, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd >= 0) {
      emptyFolder(fd, 0);
      ::close(fd);
    }
    ::rmdir(slot.path);
  }
  ::signal(sig, SIG_DFL);
  ::raise(sig);  // delivered once the handler returns: the process ends as the signal asked
}

// A signal someone already handles or ignores (nohup) is left to them.
void catchStopSignals() {
  for (const int sig : kStopSignals) {
    struct sigaction old {};
    if (::sigaction(sig, nullptr, &old) != 0 || old.sa_handler != SIG_DFL) continue;
    struct sigaction sa {};
    sa.sa_handler = onStopSignal;
    sigemptyset(&sa.sa_mask);
    for (const int other : kStopSignals) sigaddset(&sa.sa_mask, other);
    ::sigaction(sig, &sa, nullptr);
  }
}

}  // namespace

ProgramFolder ProgramFolder::resolve(const std::string& preferred) {
  ProgramFolder f;
  f.preferred = preferred;
  std::string why = "an installed program's folder";
  if (!installedBinDir(preferred) && usable(preferred, why)) {
    f.dir = preferred;
    return f;
  }
  f.fellBack = true;
  const std::string asked = "Program folder " + preferred + " cannot be used (" + why + ")";
  const std::string user = userDataDir();
  std::string userWhy = "neither XDG_DATA_HOME nor HOME names it";
  if (!user.empty() && usable(user, userWhy)) {
    f.dir = user;
    f.note = asked + "; files are kept in " + user;
    return f;
  }
  const std::string refused =
      asked + "; the per-user folder " + (user.empty() ? "" : user + " ") + "cannot be used either (" + userWhy + ")";
  bool lasting = false;
  f.dir = privateTemporaryDir(lasting);
  if (f.dir.empty()) {
    f.dir = preferred;
    f.note = refused + "; no folder can be written, so nothing is kept";
  } else {
    f.note = refused + "; files are kept in " + f.dir + (lasting ? "" : " for this run only");
  }
  return f;
}

std::string ProgramFolder::path(const std::string& file) const { return (fs::path(dir) / file).string(); }

std::string executableDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path().string();
  return exe.parent_path().string();
}

StagedFile::~StagedFile() {
  if (!temp_.empty()) ::unlink(temp_.c_str());
}

bool StagedFile::write(const std::string& target, const std::string& content, std::string& error) {
  if (!writeTarget(target, target_, error)) return false;
  struct stat old {};
  const mode_t mode = ::stat(target_.c_str(), &old) == 0 && S_ISREG(old.st_mode) ? old.st_mode & 0777 : 0644;
  // mkostemp creates with O_CREAT|O_EXCL: a name that exists, a planted link included, is never opened.
  std::string temp = parentOf(target_) + "/." + fs::path(target_).filename().string() + ".XXXXXX";
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) {
    error = errorText(errno);
    return false;
  }
  temp_ = temp;
  std::size_t done = 0;
  int err = 0;
  bool ok = ::fchmod(fd, mode) == 0 && writeAll(fd, content, done, err) && ::fdatasync(fd) == 0;
  if (!ok && err == 0) err = errno;
  if (::close(fd) != 0 && ok) ok = false, err = errno;
  if (ok) return true;
  error = errorText(err);
  ::unlink(temp_.c_str());
  temp_.clear();
  return false;
}

bool StagedFile::commit(std::string& error) {
  if (temp_.empty()) return false;
  const bool ok = std::rename(temp_.c_str(), target_.c_str()) == 0;
  if (!ok) {
    error = errorText(errno);
    ::unlink(temp_.c_str());
  }
  temp_.clear();
  return ok;
}

bool writeFileWhole(const std::string& path, const std::string& content, std::string& error) {
  StagedFile staged;
  return staged.write(path, content, error) && staged.commit(error);
}

bool appendWhole(int fd, const std::string& content, std::string& error) {
  struct stat st {};
  const bool sized = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  std::size_t done = 0;
  int err = 0;
  if (writeAll(fd, content, done, err)) return true;
  error = errorText(err);
  if (sized && done > 0 && ::ftruncate(fd, st.st_size) != 0) error += "; a part line is left";
  return false;
}

int openForAppend(const std::string& path, std::string& error) {
  return openChecked(path, O_WRONLY | O_APPEND | O_CREAT, error);
}

bool appendToFile(const std::string& path, const std::string& content, std::string& error) {
  const int fd = openForAppend(path, error);
  if (fd < 0) return false;
  bool ok = appendWhole(fd, content, error);
  if (::close(fd) != 0 && ok) ok = false, error = errorText(errno);
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

bool readFileHead(const std::string& path, std::size_t limit, std::string& content, std::string& error, bool* missing) {
  // Non-blocking, so a pipe or a device in the file's place cannot stall the game.
  content.clear();
  const int fd = openChecked(path, O_RDONLY | O_NONBLOCK, error, missing);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (!ok) error = "not a plain file";
  while (ok && content.size() < limit) {
    char buf[4096];
    const ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - content.size()));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ok = false;
      error = errorText(errno);
    }
    if (n <= 0) break;
    content.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ok;
}

bool moveAside(const std::string& path, const std::string& aside, std::string& error) {
  // A trusted link stays where it is, so that writing through it goes on; its file's bytes are copied.
  struct stat st {};
  std::string bytes;
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && trustedLink(path, st) && readFile(path, bytes))
    return writeFileWhole(aside, bytes, error);
  if (std::rename(path.c_str(), aside.c_str()) == 0) return true;
  error = errorText(errno);
  return false;
}

FileLock::FileLock(const std::string& path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd_ < 0) return;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  while (!(held_ = ::flock(fd_, LOCK_EX | LOCK_NB) == 0) && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::microseconds(200));
}

FileLock::~FileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing lets the lock go
}

TemporaryFolder::TemporaryFolder(const std::string& prefix) {
  std::string name = temporaryBase() + "/" + prefix + "-XXXXXX";
  if (!::mkdtemp(name.data())) return;
  path_ = name;
  static std::once_flag caught;
  std::call_once(caught, catchStopSignals);
  for (int k = 0; k < kSlots && slot_ < 0 && name.size() < kSlotPath; ++k) {
    int free = kFree;
    if (!g_slots[k].state.compare_exchange_strong(free, kClaimed)) continue;
    std::memcpy(g_slots[k].path, name.c_str(), name.size() + 1);
    g_slots[k].state.store(kLive);
    slot_ = k;
  }
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ec;
  if (!path_.empty()) fs::remove_all(path_, ec);
  if (slot_ >= 0) g_slots[slot_].state.store(kFree);
}

}  // namespace quorl
