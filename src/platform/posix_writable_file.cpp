// Whole-file writes on POSIX: a temporary file in the target's folder,
// created with O_EXCL (so it is ours alone), fsync'ed (when durability asks
// for it) and renamed over the target. rename() replaces the target's directory entry in one step,
// so a reader opens either the old file or the complete new one.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <string>

#include <rxtheme/runtime/automation_error.h>
#include "platform/posix_files.h"

namespace rxTheme::posix {
namespace {

// Refuses a target that may not be replaced; returns whether it exists, and
// its status in `st` when it does.
bool CheckTarget(const std::string& path, LinkPolicy policy, struct stat& st) {
  if (lstat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return false;
    RaiseError(kPathFileAccessError);
  }
  // Symbolic links, folders, pipes and devices are all refused: renaming over
  // them would replace something that is not a plain file of ours.
  if (!S_ISREG(st.st_mode)) RaiseError(kPathFileAccessError);
  if (policy == LinkPolicy::kRefuseSymlinkOrHardLink && st.st_nlink > 1) {
    RaiseError(kPathFileAccessError);
  }
  return true;
}

// Creates a new, empty file beside `path` that nobody else has open. The mode
// 0666 is narrowed by the umask, as for any new file. Threads writing files
// at once each draw their own numbers.
int CreateTemporary(const std::string& folder, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = folder + "/.rxtheme-" + std::to_string(getpid()) + "-" +
           std::to_string(counter.fetch_add(1, std::memory_order_relaxed) + 1) + ".tmp";
    int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  temp.clear();
  RaiseError(kPathFileAccessError);
}

// Makes a finished rename durable. Some file systems cannot sync a folder;
// the rename itself has happened, so that is not an error.
void SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

class PosixWritableFile : public WritableFile {
 public:
  PosixWritableFile(std::string target, LinkPolicy policy, Durability durability)
      : target_(std::move(target)),
        folder_(ParentOf(target_)),
        policy_(policy),
        synced_(durability == Durability::kSynced) {
    if (target_.empty() || !IsFolder(folder_)) RaiseError(kPathNotFound);
    struct stat st;
    const bool exists = CheckTarget(target_, policy_, st);
    fd_ = CreateTemporary(folder_, temp_);
    if (exists) {
      // The new file keeps the old one's permissions (and, where we may set
      // them, its owner): replacing a file is not a way to change them.
      if (fchmod(fd_, st.st_mode & 07777) != 0) Fail();
      if (fchown(fd_, st.st_uid, st.st_gid) != 0) {
        // Only the owner's group or root may hand a file over; keep ours.
      }
    }
  }
  ~PosixWritableFile() override { Discard(); }
  PosixWritableFile(const PosixWritableFile&) = delete;
  PosixWritableFile& operator=(const PosixWritableFile&) = delete;

  void Append(std::string_view bytes) override {
    if (fd_ < 0) RaiseError(kPathFileAccessError);
    while (!bytes.empty()) {
      ssize_t put = write(fd_, bytes.data(), bytes.size());
      if (put < 0) {
        if (errno == EINTR) continue;
        Fail();
      }
      bytes.remove_prefix(static_cast<size_t>(put));
    }
  }

  void Commit() override {
    if (fd_ < 0) RaiseError(kPathFileAccessError);
    if (synced_ && fsync(fd_) != 0) Fail();
    const int fd = fd_;
    fd_ = -1;
    if (close(fd) != 0) Fail();
    // The target may have changed since the writer was made; check it again
    // right before it is replaced.
    struct stat st;
    try {
      CheckTarget(target_, policy_, st);
    } catch (const AutomationError&) {
      Discard();
      throw;
    }
    if (std::rename(temp_.c_str(), target_.c_str()) != 0) Fail();
    temp_.clear();
    if (synced_) SyncFolder(folder_);
  }

 private:
  void Discard() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
    if (!temp_.empty()) unlink(temp_.c_str());
    temp_.clear();
  }

  [[noreturn]] void Fail() {
    Discard();
    RaiseError(kPathFileAccessError);
  }

  std::string target_;
  std::string folder_;
  LinkPolicy policy_;
  bool synced_;
  std::string temp_;
  int fd_ = -1;
};

}  // namespace

std::unique_ptr<WritableFile> NewWritableFile(const std::string& path, LinkPolicy policy,
                                              Durability durability) {
  return std::make_unique<PosixWritableFile>(path, policy, durability);
}

}  // namespace rxTheme::posix
