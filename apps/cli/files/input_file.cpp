#include "files/input_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "command_error.h"
#include "files/command_files.h"

namespace rxTheme::cli {

InputFile::InputFile(const WString& path, bool follow_links) : path_(path) {
  // O_NONBLOCK: a pipe without a writer is refused below instead of waiting.
  const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (follow_links ? 0 : O_NOFOLLOW);
  fd_ = open(Narrow(path).c_str(), flags);
  if (fd_ < 0)
    RaiseAbout(errno == ENOENT ? kFileNotFound : kPathFileAccessError, DisplayPath(path));
  struct stat st;
  if (fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd_, F_SETFL, 0) != 0) {
    close(fd_);
    fd_ = -1;
    Fail();
  }
  size_ = static_cast<int64_t>(st.st_size);
}

InputFile::~InputFile() {
  if (fd_ >= 0) close(fd_);
}

void InputFile::Fail() const { RaiseAbout(kPathFileAccessError, DisplayPath(path_)); }

size_t InputFile::Read(char* buf, size_t n) {
  size_t done = 0;
  while (done < n) {
    const ssize_t got = read(fd_, buf + done, n - done);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      Fail();
    }
    done += static_cast<size_t>(got);
  }
  return done;
}

std::string InputFile::Read(size_t n) {
  std::string bytes(n, '\0');
  bytes.resize(Read(bytes.data(), n));
  return bytes;
}

void InputFile::Seek(int64_t offset) {
  if (lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) Fail();
}

}  // namespace rxTheme::cli
