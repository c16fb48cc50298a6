#include "platform/profile/atomic_file.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    const ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    contents.remove_prefix(size_t(written));
  }
  return true;
}

// The file a write really replaces: the target of a link, or the path itself.
std::string ResolvedPath(const std::string &path) {
  std::error_code error;
  if (std::filesystem::is_symlink(path, error)) {
    const std::filesystem::path target = std::filesystem::weakly_canonical(path, error);
    if (!error)
      return target.string();
  }
  return path;
}

// Keeps a replaced file's permissions; a new one is readable by everyone, like files made
// with the usual mask.
mode_t ModeFor(const std::string &path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0)
    return st.st_mode & 07777;
  return 0644;
}

void SyncFolder(const std::string &path) {
  const std::filesystem::path folder = std::filesystem::path(path).parent_path();
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    ::fsync(fd); // the rename has happened; a failed folder flush changes nothing we can mend
    ::close(fd);
  }
}

} // namespace

bool ReplaceFileContents(const std::string &path, std::string_view contents) {
  const std::string target = ResolvedPath(path);
  std::string temporary = target + ".XXXXXX";
  const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0)
    return false;
  bool done = ::fchmod(fd, ModeFor(target)) == 0 && WriteAll(fd, contents) && ::fsync(fd) == 0;
  int error = errno;
  if (::close(fd) != 0 && done) {
    done = false;
    error = errno;
  }
  if (done && ::rename(temporary.c_str(), target.c_str()) == 0) {
    SyncFolder(target);
    return true;
  }
  if (done)
    error = errno;
  ::unlink(temporary.c_str());
  errno = error;
  return false;
}

bool ReadFileContents(const std::string &path, std::string &contents) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0)
    return false;
  contents.clear();
  char block[65536];
  for (;;) {
    const ssize_t got = ::read(fd, block, sizeof block);
    if (got < 0 && errno == EINTR)
      continue;
    if (got <= 0) {
      const int error = errno;
      ::close(fd);
      errno = error;
      return got == 0;
    }
    contents.append(block, size_t(got));
  }
}
