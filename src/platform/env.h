// The operating system as the component sees it: byte files, the current
// directory, folders and their listings, the profile reader for ".inf" files
// and the help viewer. Everything the component does to the machine goes
// through the current Env, so that tests can swap in MemEnv and inject faults.
//
// Paths are wide strings; on POSIX each unit is one byte of the file name
// (the 8-bit mapping of runtime/wstring.h). Failures raise AutomationError
// with the run-time numbers the file system would give: 53 file not found,
// 75 path/file access error, 76 path not found.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

#include <rxtheme/runtime/wstring.h>

namespace rxTheme {

// What tells one file from another whatever name reaches it (a symbolic or
// a hard link, another spelling): the device and the file's number on it.
struct FileIdentity {
  uint64_t device = 0;
  uint64_t file = 0;
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// A file opened for reading in bytes.
class ReadableFile {
 public:
  virtual ~ReadableFile() = default;
  // The file's length in bytes when it was opened.
  virtual int64_t Size() const = 0;
  // Reads up to n bytes into buf; returns the count read, 0 at the end.
  virtual size_t Read(char* buf, size_t n) = 0;
  // The open file's identity, or nullopt where the Env cannot tell.
  virtual std::optional<FileIdentity> Identity() const { return std::nullopt; }
};

// A file being written as a whole, so that readers see either the old file
// or the complete new one. Bytes go to a temporary file in the target's
// folder; Commit flushes them to the disk (see Durability) and renames the
// temporary file over the target. Until then, and after any failure, the
// target is as it was.
// Destroying the writer without a successful Commit removes the temporary file.
class WritableFile {
 public:
  virtual ~WritableFile() = default;
  // Adds bytes at the end. Raises 75 when they cannot be written (a full
  // disk, say); the writer is then spent and Commit raises 75 too.
  virtual void Append(std::string_view bytes) = 0;
  // Makes the appended bytes the target's contents. Raises 75 when the bytes
  // cannot be flushed or the rename fails, and when called twice.
  virtual void Commit() = 0;
};

// What NewWritableFile accepts at the target path besides a missing file.
enum class LinkPolicy {
  // A regular file; a symbolic link (or other reparse point) is refused.
  kRefuseSymlink,
  // As kRefuseSymlink, and a regular file with more than one hard link is
  // refused too: replacing it would silently split it from its other names.
  kRefuseSymlinkOrHardLink,
};

// Whether Commit waits for the disk.
enum class Durability {
  // The new contents, then the rename, are flushed to the disk: the file
  // survives a crash of the machine right after Commit (saved state).
  kSynced,
  // The disk is left to the system: readers still see the old file or the
  // whole new one, but a crash may leave either. For files that can be made
  // again (the pictures a package unpacks), where a flush per file would
  // cost more than the writing.
  kUnsynced,
};

// What stands at a name in a folder, as the name itself shows it: a symbolic
// link (or other reparse point) is a link, whatever it leads to.
enum class EntryKind { kRegular, kLink, kFolder, kOther };

// One entry of a folder listing.
struct FolderEntry {
  WString name;  // the name alone, not the path
  EntryKind kind = EntryKind::kOther;
  int64_t size = 0;  // a regular file's length in bytes; 0 for the rest
};

// The separator that joins folder and file names, and that settings objects
// append to a working folder.
#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

class Env {
 public:
  virtual ~Env() = default;

  // Opens a file for reading as bytes, the way a read-write open does: a file
  // that does not exist in an existing folder is created empty. An empty path
  // or a missing folder raises 76; a path that cannot be opened raises 75.
  virtual std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) = 0;

  // Writes bytes to a file, creating it or emptying it first. Never writes
  // through a symbolic link standing at the path (raises 75). A missing folder
  // raises 76.
  virtual void WriteFile(const WString& path, std::string_view bytes) = 0;

  // Starts writing `path` as a whole (see WritableFile). An empty path or a
  // missing folder raises 76; a target that is a folder, a symbolic link or
  // anything but a regular file, or that `policy` refuses, raises 75, as
  // does a temporary file that cannot be created.
  virtual std::unique_ptr<WritableFile> NewWritableFile(
      const WString& path, LinkPolicy policy = LinkPolicy::kRefuseSymlink,
      Durability durability = Durability::kSynced) = 0;

  // Opens an existing file for reading a block at a time, never creating
  // one; raises 53 when it does not exist, 75 when it is not a regular file
  // (a folder, a pipe: never waits for a writer).
  virtual std::unique_ptr<ReadableFile> OpenForRead(const WString& path) = 0;
  // Reads a whole file as OpenForRead opens it (and raises).
  virtual std::string ReadFile(const WString& path);

  virtual WString CurrentDirectory() = 0;
  // Raises 76 when the folder does not exist.
  virtual void SetCurrentDirectory(const WString& path) = 0;
  // Creates one folder level; raises 75 when it exists or cannot be made,
  // 76 when its parent does not exist.
  virtual void CreateDirectory(const WString& path) = 0;

  // The identity of the file a path leads to (following symbolic links), or
  // nullopt when there is none or the Env cannot tell.
  virtual std::optional<FileIdentity> IdentityOf(const WString& /*path*/) { return std::nullopt; }

  virtual bool FileExists(const WString& path) = 0;
  virtual bool FolderExists(const WString& path) = 0;
  // The names (not paths) of the sub-folders of a folder, in the order the
  // file system lists them. Raises 76 when the folder does not exist.
  virtual std::vector<WString> ListSubFolders(const WString& path) = 0;
  // Every entry of a folder ("." and ".." aside), in the order the file
  // system lists them; links are not followed. Raises 76 when the folder
  // does not exist, 75 when it cannot be read.
  virtual std::vector<FolderEntry> ListFolder(const WString& path) = 0;
  // Joins a folder path and a name with one separator.
  virtual WString BuildPath(const WString& folder, const WString& name) = 0;

  // The profile-file reader: the value of `key` in `[section]` of an ".inf"
  // style file, or `default_value` when absent; at most buffer_size - 1 units.
  // Every Env reads the file as platform/profile_reader.h describes; they
  // differ only in how the value's bytes become text.
  virtual WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                                    const WString& default_value, size_t buffer_size) = 0;

  // Asks the help viewer to show a help file: command 0 shows the default
  // topic, command 15 the topic of help context `data`. `file` is the file
  // path followed by the window type (">TriPane").
  virtual void ShowHelp(const WString& file, int command, int32_t data) = 0;
};

// The process's real file system.
Env& DefaultEnv();

// The Env the component uses now: DefaultEnv() unless a test installed another.
Env& CurrentEnv();
// Installs an Env (nullptr restores the default). The caller keeps ownership.
void SetCurrentEnv(Env* env);

// Installs an Env for the lifetime of a scope.
class ScopedEnv {
 public:
  explicit ScopedEnv(Env& env) : previous_(&CurrentEnv()) { SetCurrentEnv(&env); }
  ~ScopedEnv() { SetCurrentEnv(previous_); }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  Env* previous_;
};

}  // namespace rxTheme
