#include "FileStore.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <utility>

#include "CodePage.h"

namespace platform {
namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }

  bool Valid() const { return fd_ >= 0; }
  int Get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // A failed close can be the first news of a failed write (on a network file system).
  bool Close() {
    const int fd = std::exchange(fd_, -1);
    return fd >= 0 && ::close(fd) == 0;
  }

 private:
  int fd_;
};

bool ReadFully(int fd, std::span<std::uint8_t> buffer, std::size_t& count) {
  count = 0;
  while (count < buffer.size()) {
    const ssize_t got = ::read(fd, buffer.data() + count, buffer.size() - count);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return false;
    if (got == 0) break;
    count += static_cast<std::size_t>(got);
  }
  return true;
}

bool WriteFully(int fd, std::span<const std::uint8_t> bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += static_cast<std::size_t>(put);
  }
  return true;
}

struct PathParts {
  std::string folder;
  std::string file;
};

std::optional<PathParts> SplitPath(const std::string& path) {
  const auto slash = path.rfind('/');
  PathParts parts;
  if (slash == std::string::npos) {
    parts = {".", path};
  } else {
    parts = {slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1)};
  }
  if (parts.file.empty() || parts.file == "." || parts.file == "..") return std::nullopt;
  return parts;
}

// The name only has to be hard to guess; O_EXCL makes it safe.
std::uint64_t RandomNumber() {
  std::uint64_t value = 0;
  if (::getrandom(&value, sizeof value, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof value)) return value;
  return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
         static_cast<std::uint64_t>(::getpid());
}

std::string RandomSuffix() {
  static constexpr char Letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::uint64_t value = RandomNumber();
  std::string suffix;
  for (int i = 0; i < 10; ++i, value /= 36) suffix += Letters[value % 36];
  return suffix;
}

// A new file beside the one it will replace. It is created exclusively, so that nothing planted
// under its name (a symlink above all) is ever followed, with 0666 so that the umask decides as
// for any new file; it is removed again unless it has been renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(const PathParts& parts) {
    for (int attempt = 0; attempt < 100 && !file_.Valid(); ++attempt) {
      path_ = parts.folder + "/." + parts.file + "." + RandomSuffix() + ".tmp";
      file_.Reset(::open(path_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666));
      if (!file_.Valid() && errno != EEXIST) break;
    }
    if (!file_.Valid()) path_.clear();
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    file_.Close();
    if (!path_.empty()) ::unlink(path_.c_str());
  }

  bool Valid() const { return file_.Valid(); }
  int Get() const { return file_.Get(); }
  const std::string& Path() const { return path_; }
  bool Close() { return file_.Close(); }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
  Descriptor file_{-1};
};

// The user's choice stands: a file marked read-only (for everyone, so that this holds for root as
// well) or one this process may not write is not ours to replace.
bool MayReplace(const std::string& path, const struct stat& old) {
  return S_ISREG(old.st_mode) && (old.st_mode & 0222) != 0 &&
         ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The replacement keeps the old file's permission bits (and, where we may, its owner), so that
// saving never changes who can read or write the file.
void KeepOwnerAndMode(int fd, const struct stat& old) {
  if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
    if (::fchown(fd, old.st_uid, old.st_gid) != 0) {
      // only root may give a file away; everyone else owns the new file
    }
  }
  if (::fchmod(fd, old.st_mode & 0777) != 0) {
    // the new file keeps the umask's permissions
  }
}

void SyncFolder(const std::string& folder) {
  const Descriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Valid() && ::fsync(directory.Get()) != 0) {
    // the rename is done; only its surviving a power cut is in doubt
  }
}

}  // namespace

bool ReadFileStart(const std::string& name, std::span<std::uint8_t> buffer, std::size_t& bytesRead) {
  bytesRead = 0;
  // O_NONBLOCK: a FIFO planted under the name must not hang us before fstat turns it down.
  const Descriptor file(::open(HostPath(name).c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  struct stat status {};
  if (!file.Valid() || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode)) return false;
  std::size_t count = 0;
  if (!ReadFully(file.Get(), buffer, count)) return false;
  bytesRead = count;
  return true;
}

// A symlink under the name is replaced by the file itself; its target keeps its old content.
bool ReplaceFile(const std::string& name, std::span<const std::uint8_t> bytes) {
  const std::string path = HostPath(name);
  const auto parts = SplitPath(path);
  if (!parts) return false;
  struct stat old {};
  const bool existed = ::stat(path.c_str(), &old) == 0;
  if (!existed && errno != ENOENT) return false;
  if (existed && !MayReplace(path, old)) return false;

  TemporaryFile temporary(*parts);
  if (!temporary.Valid()) return false;
  if (existed) KeepOwnerAndMode(temporary.Get(), old);
  if (!WriteFully(temporary.Get(), bytes) || ::fsync(temporary.Get()) != 0 || !temporary.Close()) return false;
  if (::rename(temporary.Path().c_str(), path.c_str()) != 0) return false;
  temporary.Keep();
  SyncFolder(parts->folder);
  return true;
}

}  // namespace platform
