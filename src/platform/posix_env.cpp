// The real file system through POSIX calls.
#include <dirent.h>
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "platform/env.h"
#include "platform/posix_files.h"
#include "platform/profile_reader.h"

namespace rxTheme {

namespace posix {

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string ParentOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace posix

namespace {

using posix::IsFolder;
using posix::ParentOf;

std::string Native(const WString& path) { return Narrow(path); }

FileIdentity IdentityOfStat(const struct stat& st) {
  return {static_cast<uint64_t>(st.st_dev), static_cast<uint64_t>(st.st_ino)};
}

class FdFile : public ReadableFile {
 public:
  FdFile(int fd, int64_t size) : fd_(fd), size_(size) {}
  std::optional<FileIdentity> Identity() const override {
    struct stat st;
    if (fstat(fd_, &st) != 0) return std::nullopt;
    return IdentityOfStat(st);
  }
  ~FdFile() override { close(fd_); }
  FdFile(const FdFile&) = delete;
  FdFile& operator=(const FdFile&) = delete;
  int64_t Size() const override { return size_; }
  size_t Read(char* buf, size_t n) override {
    for (;;) {
      ssize_t got = read(fd_, buf, n);
      if (got >= 0) return static_cast<size_t>(got);
      if (errno != EINTR) RaiseError(kPathFileAccessError);
    }
  }

 private:
  int fd_;
  int64_t size_;
};

// An existing regular file opened for reading, or nullptr.
std::unique_ptr<FdFile> OpenRegularFile(const std::string& path) {
  int fd = path.empty() ? -1 : open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  auto file = std::make_unique<FdFile>(fd, 0);
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  return file;
}

// Quotes a file name for the shell: '...' with every ' written as '\''.
std::string ShellQuote(const std::string& text) {
  std::string out = "'";
  for (char c : text) {
    if (c == '\'') {
      out += "'\\''";
    } else {
      out += c;
    }
  }
  return out + "'";
}

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  std::string dirs = path;
  size_t pos = 0;
  while (pos <= dirs.size()) {
    size_t end = dirs.find(':', pos);
    if (end == std::string::npos) end = dirs.size();
    std::string dir = dirs.substr(pos, end - pos);
    pos = end + 1;
    std::string candidate = dir.empty() ? std::string(".") : dir;
    candidate.append(1, '/').append(program);
    if (access(candidate.c_str(), X_OK) == 0) return true;
  }
  return false;
}

class PosixEnv : public Env {
 public:
  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override {
    std::string p = Native(path);
    if (p.empty() || !IsFolder(ParentOf(p))) RaiseError(kPathNotFound);
    // A read-write open creates a missing file, as the loader expects; a file
    // that may only be read (an installed theme, say) is still opened.
    // O_NONBLOCK keeps a pipe at the path from blocking the open; it is then
    // refused below as not a regular file.
    int fd = open(p.c_str(), O_RDWR | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0 && (errno == EACCES || errno == EROFS)) {
      fd = open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    }
    if (fd < 0) RaiseError(kPathFileAccessError);
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, 0) != 0) {
      close(fd);
      RaiseError(kPathFileAccessError);
    }
    return std::make_unique<FdFile>(fd, static_cast<int64_t>(st.st_size));
  }

  void WriteFile(const WString& path, std::string_view bytes) override {
    std::string p = Native(path);
    if (p.empty() || !IsFolder(ParentOf(p))) RaiseError(kPathNotFound);
    // O_NOFOLLOW: a symbolic link planted at the path is refused (ELOOP), so a
    // theme package cannot make the loader write outside the working folder.
    int fd = open(p.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) RaiseError(kPathFileAccessError);
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
      if (put < 0) {
        if (errno == EINTR) continue;
        close(fd);
        RaiseError(kPathFileAccessError);
      }
      done += static_cast<size_t>(put);
    }
    if (close(fd) != 0) RaiseError(kPathFileAccessError);
  }

  std::unique_ptr<WritableFile> NewWritableFile(const WString& path, LinkPolicy policy,
                                                Durability durability) override {
    return posix::NewWritableFile(Native(path), policy, durability);
  }

  std::unique_ptr<ReadableFile> OpenForRead(const WString& path) override {
    std::string p = Native(path);
    int fd = p.empty() ? -1 : open(p.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) RaiseError(p.empty() || errno == ENOENT ? kFileNotFound : kPathFileAccessError);
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || fcntl(fd, F_SETFL, 0) != 0) {
      close(fd);
      RaiseError(kPathFileAccessError);
    }
    return std::make_unique<FdFile>(fd, static_cast<int64_t>(st.st_size));
  }

  WString CurrentDirectory() override {
    std::string buf(4096, '\0');
    while (getcwd(buf.data(), buf.size()) == nullptr) {
      if (errno != ERANGE) RaiseError(kPathNotFound);
      buf.resize(buf.size() * 2);
    }
    buf.resize(std::char_traits<char>::length(buf.c_str()));
    return Widen(buf);
  }

  void SetCurrentDirectory(const WString& path) override {
    std::string p = Native(path);
    if (p.empty() || chdir(p.c_str()) != 0) RaiseError(kPathNotFound);
  }

  void CreateDirectory(const WString& path) override {
    std::string p = Native(path);
    if (p.empty()) RaiseError(kPathNotFound);
    if (mkdir(p.c_str(), 0777) != 0) {
      RaiseError(errno == ENOENT || errno == ENOTDIR ? kPathNotFound : kPathFileAccessError);
    }
  }

  std::optional<FileIdentity> IdentityOf(const WString& path) override {
    struct stat st;
    if (path.empty() || stat(Native(path).c_str(), &st) != 0) return std::nullopt;
    return IdentityOfStat(st);
  }

  bool FileExists(const WString& path) override {
    struct stat st;
    return !path.empty() && stat(Native(path).c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool FolderExists(const WString& path) override {
    return !path.empty() && IsFolder(Native(path));
  }

  std::vector<WString> ListSubFolders(const WString& path) override {
    std::string p = Native(path);
    DIR* dir = p.empty() ? nullptr : opendir(p.c_str());
    if (!dir) RaiseError(kPathNotFound);
    std::vector<WString> names;
    while (struct dirent* e = readdir(dir)) {
      std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      bool folder = e->d_type == DT_DIR;
      if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) folder = IsFolder(p + "/" + name);
      if (folder) names.push_back(Widen(name));
    }
    closedir(dir);
    return names;
  }

  std::vector<FolderEntry> ListFolder(const WString& path) override {
    const std::string p = Native(path);
    if (p.empty() || !IsFolder(p)) RaiseError(kPathNotFound);
    DIR* dir = opendir(p.c_str());
    if (!dir) RaiseError(kPathFileAccessError);
    std::vector<FolderEntry> entries;
    while (struct dirent* e = readdir(dir)) {
      std::string name = e->d_name;
      if (name == "." || name == "..") continue;
      FolderEntry entry{Widen(name), EntryKind::kOther, 0};
      struct stat st;
      if (lstat((p + "/" + name).c_str(), &st) == 0) {
        if (S_ISLNK(st.st_mode)) {
          entry.kind = EntryKind::kLink;
        } else if (S_ISDIR(st.st_mode)) {
          entry.kind = EntryKind::kFolder;
        } else if (S_ISREG(st.st_mode)) {
          entry.kind = EntryKind::kRegular;
          entry.size = static_cast<int64_t>(st.st_size);
        }
      }
      entries.push_back(std::move(entry));
    }
    closedir(dir);
    return entries;
  }

  WString BuildPath(const WString& folder, const WString& name) override {
    if (folder.empty()) return name;
    if (folder.back() == kPathSeparator) return folder + name;
    return folder + kPathSeparator + name;
  }

  WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                            const WString& default_value, size_t buffer_size) override {
    // A missing or unreadable file reads as an empty one: every key is absent.
    std::unique_ptr<FdFile> source = OpenRegularFile(Native(file));
    try {
      return ReadProfileText(source.get(), section, key, default_value, buffer_size);
    } catch (const AutomationError&) {
      return ReadProfileText(nullptr, section, key, default_value, buffer_size);
    }
  }

  // POSIX has no compiled-help viewer: the help file is handed to the desktop's
  // opener (xdg-open), without the ">window" suffix, and topics are not
  // selected. With no opener on PATH, or no file, the call raises 53.
  void ShowHelp(const WString& file, int /*command*/, int32_t /*data*/) override {
    WString path = file.substr(0, file.find(u'>'));
    if (!FileExists(path) || !OnPath("xdg-open")) RaiseError(kFileNotFound);
    std::string command = "xdg-open " + ShellQuote(Native(path)) + " >/dev/null 2>&1 &";
    if (std::system(command.c_str()) != 0) RaiseError(kFileNotFound);
  }
};

}  // namespace

Env& DefaultEnv() {
  static PosixEnv env;
  return env;
}

}  // namespace rxTheme
