// An in-memory Env for tests: files, folders and symbolic-link entries under
// "/", a current directory, a log of help-viewer calls, and fault injection.
// Paths use "/"; relative paths are taken from the current directory; "." and
// ".." are resolved by name. Every file has one name (there are no hard
// links). A WritableFile's temporary file is a file of its own in the
// target's folder until it is committed or dropped.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/env.h"

namespace rxTheme {

class MemEnv : public Env {
 public:
  // What a fault makes fail.
  enum class Op { kRead, kWrite, kCreate, kCommit };

  struct HelpCall {
    WString file;
    int command;
    int32_t data;
  };

  MemEnv();

  // Set-up helpers; each creates the missing parent folders.
  void AddFolder(const WString& path);
  void AddFile(const WString& path, std::string bytes);
  // A symbolic-link entry: never followed; it only makes writes refuse the path.
  void AddSymlink(const WString& path);

  // The bytes of a file, or nullopt when no file stands at the path.
  std::optional<std::string> FileContents(const WString& path) const;
  // The names of the files (not folders or links) in a folder, in the order
  // they were made.
  std::vector<WString> ListFiles(const WString& folder) const;

  // Makes `op` on `path` raise `error_number` until ClearFaults.
  // kRead: OpenForLoad, ReadFile, OpenForRead. kWrite: WriteFile, and Append of a
  // WritableFile whose target is `path`. kCreate: CreateDirectory and the
  // creation of a missing file by OpenForLoad, WriteFile or NewWritableFile.
  // kCommit: Commit of a WritableFile whose target is `path`.
  void FailOn(const WString& path, Op op, int32_t error_number);
  void ClearFaults();

  const std::vector<HelpCall>& HelpCalls() const { return help_calls_; }

  // Env.
  std::unique_ptr<ReadableFile> OpenForLoad(const WString& path) override;
  void WriteFile(const WString& path, std::string_view bytes) override;
  std::unique_ptr<WritableFile> NewWritableFile(
      const WString& path, LinkPolicy policy = LinkPolicy::kRefuseSymlink,
      Durability durability = Durability::kSynced) override;
  std::string ReadFile(const WString& path) override;
  std::unique_ptr<ReadableFile> OpenForRead(const WString& path) override;
  WString CurrentDirectory() override { return cwd_; }
  void SetCurrentDirectory(const WString& path) override;
  void CreateDirectory(const WString& path) override;
  // A node's identity is its creation number: a file keeps it when it is
  // replaced (as by a WritableFile's Commit).
  std::optional<FileIdentity> IdentityOf(const WString& path) override;
  bool FileExists(const WString& path) override;
  bool FolderExists(const WString& path) override;
  std::vector<WString> ListSubFolders(const WString& path) override;
  std::vector<FolderEntry> ListFolder(const WString& path) override;
  WString BuildPath(const WString& folder, const WString& name) override;
  WString ReadProfileString(const WString& file, const WString& section, const WString& key,
                            const WString& default_value, size_t buffer_size) override;
  void ShowHelp(const WString& file, int command, int32_t data) override;

 private:
  class MemWritableFile;
  enum class Kind { kFile, kFolder, kSymlink };
  struct Node {
    Kind kind;
    std::string data;
    uint64_t order;  // creation order: the order of folder listings
  };

  // The absolute, normalised form of a path ("" for an empty path).
  WString Resolve(const WString& path) const;
  static WString Parent(const WString& absolute);
  const Node* Find(const WString& absolute) const;
  void CheckFault(const WString& absolute, Op op) const;
  void Put(const WString& absolute, Kind kind, std::string data);
  void MakeFolders(const WString& absolute);
  // The nodes directly in a folder, in creation order.
  std::vector<std::pair<WString, const Node*>> Children(const WString& absolute) const;
  // Raises as WriteFile does for a target that cannot be written.
  void CheckWritable(const WString& absolute) const;

  std::map<WString, Node> nodes_;
  std::map<std::pair<WString, Op>, int32_t> faults_;
  std::vector<HelpCall> help_calls_;
  WString cwd_ = u"/";
  uint64_t next_order_ = 0;
  uint64_t next_temporary_ = 0;
};

}  // namespace rxTheme
