#include "support/mem_env.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include "platform/profile_reader.h"

namespace rxTheme {

namespace {

class StringFile : public ReadableFile {
 public:
  StringFile(std::string data, FileIdentity identity)
      : data_(std::move(data)), identity_(identity) {}
  int64_t Size() const override { return static_cast<int64_t>(data_.size()); }
  std::optional<FileIdentity> Identity() const override { return identity_; }
  size_t Read(char* buf, size_t n) override {
    size_t count = std::min(n, data_.size() - pos_);
    std::memcpy(buf, data_.data() + pos_, count);
    pos_ += count;
    return count;
  }

 private:
  std::string data_;
  FileIdentity identity_;
  size_t pos_ = 0;
};

}  // namespace

MemEnv::MemEnv() { Put(u"/", Kind::kFolder, {}); }

WString MemEnv::Resolve(const WString& path) const {
  if (path.empty()) return {};
  WString full = path.front() == u'/' ? path : cwd_ + u"/" + path;
  std::vector<WString> parts;
  size_t pos = 0;
  while (pos <= full.size()) {
    size_t end = full.find(u'/', pos);
    if (end == WString::npos) end = full.size();
    WString part = full.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == u".") continue;
    if (part == u"..") {
      if (!parts.empty()) parts.pop_back();
      continue;
    }
    parts.push_back(std::move(part));
  }
  WString out;
  for (const WString& p : parts) out += u"/" + p;
  return out.empty() ? u"/" : out;
}

WString MemEnv::Parent(const WString& absolute) {
  size_t slash = absolute.rfind(u'/');
  return slash == 0 ? u"/" : absolute.substr(0, slash);
}

const MemEnv::Node* MemEnv::Find(const WString& absolute) const {
  auto it = nodes_.find(absolute);
  return it == nodes_.end() ? nullptr : &it->second;
}

void MemEnv::CheckFault(const WString& absolute, Op op) const {
  auto it = faults_.find({absolute, op});
  if (it != faults_.end()) RaiseError(it->second);
}

void MemEnv::Put(const WString& absolute, Kind kind, std::string data) {
  auto it = nodes_.find(absolute);
  if (it != nodes_.end()) {
    it->second.kind = kind;
    it->second.data = std::move(data);
    return;
  }
  nodes_.emplace(absolute, Node{kind, std::move(data), next_order_++});
}

void MemEnv::MakeFolders(const WString& absolute) {
  if (absolute == u"/") return;
  MakeFolders(Parent(absolute));
  const Node* node = Find(absolute);
  if (!node || node->kind != Kind::kFolder) Put(absolute, Kind::kFolder, {});
}

void MemEnv::AddFolder(const WString& path) { MakeFolders(Resolve(path)); }

void MemEnv::AddFile(const WString& path, std::string bytes) {
  WString abs = Resolve(path);
  MakeFolders(Parent(abs));
  Put(abs, Kind::kFile, std::move(bytes));
}

void MemEnv::AddSymlink(const WString& path) {
  WString abs = Resolve(path);
  MakeFolders(Parent(abs));
  Put(abs, Kind::kSymlink, {});
}

std::optional<std::string> MemEnv::FileContents(const WString& path) const {
  const Node* node = Find(Resolve(path));
  if (!node || node->kind != Kind::kFile) return std::nullopt;
  return node->data;
}

void MemEnv::FailOn(const WString& path, Op op, int32_t error_number) {
  faults_[{Resolve(path), op}] = error_number;
}

void MemEnv::ClearFaults() { faults_.clear(); }

std::unique_ptr<ReadableFile> MemEnv::OpenForLoad(const WString& path) {
  WString abs = Resolve(path);
  if (abs.empty()) RaiseError(kPathNotFound);
  const Node* parent = Find(Parent(abs));
  if (!parent || parent->kind != Kind::kFolder) RaiseError(kPathNotFound);
  CheckFault(abs, Op::kRead);
  const Node* node = Find(abs);
  if (!node) {
    CheckFault(abs, Op::kCreate);
    Put(abs, Kind::kFile, {});
    node = Find(abs);
  }
  if (node->kind != Kind::kFile) RaiseError(kPathFileAccessError);
  return std::make_unique<StringFile>(node->data, FileIdentity{0, node->order});
}

void MemEnv::CheckWritable(const WString& absolute) const {
  if (absolute.empty()) RaiseError(kPathNotFound);
  const Node* parent = Find(Parent(absolute));
  if (!parent || parent->kind != Kind::kFolder) RaiseError(kPathNotFound);
  CheckFault(absolute, Op::kWrite);
  const Node* node = Find(absolute);
  if (node && node->kind != Kind::kFile) RaiseError(kPathFileAccessError);
  if (!node) CheckFault(absolute, Op::kCreate);
}

void MemEnv::WriteFile(const WString& path, std::string_view bytes) {
  WString abs = Resolve(path);
  CheckWritable(abs);
  Put(abs, Kind::kFile, std::string(bytes));
}

// The temporary file is a node of its own until Commit moves its bytes to the
// target; a fault on the target's kWrite or kCommit drops it and leaves the
// target as it was.
class MemEnv::MemWritableFile : public WritableFile {
 public:
  MemWritableFile(MemEnv& env, WString target, WString temp)
      : env_(env), target_(std::move(target)), temp_(std::move(temp)) {}
  ~MemWritableFile() override { Discard(); }
  MemWritableFile(const MemWritableFile&) = delete;
  MemWritableFile& operator=(const MemWritableFile&) = delete;

  void Append(std::string_view bytes) override {
    Node& temp = Temporary();
    Guarded([&] { env_.CheckFault(target_, Op::kWrite); });
    temp.data.append(bytes);
  }

  void Commit() override {
    Node& temp = Temporary();
    Guarded([&] {
      env_.CheckFault(target_, Op::kCommit);
      const Node* node = env_.Find(target_);
      if (node && node->kind != Kind::kFile) RaiseError(kPathFileAccessError);
    });
    std::string data = std::move(temp.data);
    Discard();
    env_.Put(target_, Kind::kFile, std::move(data));
  }

 private:
  Node& Temporary() {
    auto it = temp_.empty() ? env_.nodes_.end() : env_.nodes_.find(temp_);
    if (it == env_.nodes_.end()) RaiseError(kPathFileAccessError);
    return it->second;
  }
  template <class F>
  void Guarded(F check) {
    try {
      check();
    } catch (const AutomationError&) {
      Discard();
      throw;
    }
  }
  void Discard() {
    if (!temp_.empty()) env_.nodes_.erase(temp_);
    temp_.clear();
  }

  MemEnv& env_;
  WString target_;
  WString temp_;
};

std::unique_ptr<WritableFile> MemEnv::NewWritableFile(const WString& path, LinkPolicy /*policy*/,
                                                      Durability /*durability*/) {
  WString abs = Resolve(path);
  if (abs.empty()) RaiseError(kPathNotFound);
  const WString folder = Parent(abs);
  const Node* parent = Find(folder);
  if (!parent || parent->kind != Kind::kFolder) RaiseError(kPathNotFound);
  const Node* node = Find(abs);
  if (node && node->kind != Kind::kFile) RaiseError(kPathFileAccessError);
  if (!node) CheckFault(abs, Op::kCreate);
  WString temp = (folder == u"/" ? WString() : folder) + u"/.rxtheme-" +
                 Widen(std::to_string(++next_temporary_)) + u".tmp";
  Put(temp, Kind::kFile, {});
  return std::make_unique<MemWritableFile>(*this, abs, std::move(temp));
}

std::string MemEnv::ReadFile(const WString& path) {
  WString abs = Resolve(path);
  const Node* node = abs.empty() ? nullptr : Find(abs);
  if (!node) RaiseError(kFileNotFound);
  CheckFault(abs, Op::kRead);
  if (node->kind != Kind::kFile) RaiseError(kPathFileAccessError);
  return node->data;
}

std::unique_ptr<ReadableFile> MemEnv::OpenForRead(const WString& path) {
  WString abs = Resolve(path);
  const Node* node = abs.empty() ? nullptr : Find(abs);
  if (!node) RaiseError(kFileNotFound);
  CheckFault(abs, Op::kRead);
  if (node->kind != Kind::kFile) RaiseError(kPathFileAccessError);
  return std::make_unique<StringFile>(node->data, FileIdentity{0, node->order});
}

void MemEnv::SetCurrentDirectory(const WString& path) {
  WString abs = Resolve(path);
  const Node* node = abs.empty() ? nullptr : Find(abs);
  if (!node || node->kind != Kind::kFolder) RaiseError(kPathNotFound);
  cwd_ = abs;
}

void MemEnv::CreateDirectory(const WString& path) {
  WString abs = Resolve(path);
  if (abs.empty()) RaiseError(kPathNotFound);
  if (Find(abs)) RaiseError(kPathFileAccessError);
  const Node* parent = Find(Parent(abs));
  if (!parent || parent->kind != Kind::kFolder) RaiseError(kPathNotFound);
  CheckFault(abs, Op::kCreate);
  Put(abs, Kind::kFolder, {});
}

std::optional<FileIdentity> MemEnv::IdentityOf(const WString& path) {
  const Node* node = Find(Resolve(path));
  if (!node) return std::nullopt;
  return FileIdentity{0, node->order};
}

bool MemEnv::FileExists(const WString& path) {
  const Node* node = Find(Resolve(path));
  return node && node->kind == Kind::kFile;
}

bool MemEnv::FolderExists(const WString& path) {
  const Node* node = Find(Resolve(path));
  return node && node->kind == Kind::kFolder;
}

std::vector<std::pair<WString, const MemEnv::Node*>> MemEnv::Children(
    const WString& absolute) const {
  WString prefix = absolute == u"/" ? absolute : absolute + u"/";
  std::vector<std::pair<WString, const Node*>> found;
  for (auto it = nodes_.lower_bound(prefix); it != nodes_.end(); ++it) {
    if (it->first.compare(0, prefix.size(), prefix) != 0) break;
    WString rest = it->first.substr(prefix.size());
    if (rest.empty() || rest.find(u'/') != WString::npos) continue;
    found.emplace_back(std::move(rest), &it->second);
  }
  std::sort(found.begin(), found.end(),
            [](const auto& a, const auto& b) { return a.second->order < b.second->order; });
  return found;
}

std::vector<WString> MemEnv::ListSubFolders(const WString& path) {
  WString abs = Resolve(path);
  const Node* folder = abs.empty() ? nullptr : Find(abs);
  if (!folder || folder->kind != Kind::kFolder) RaiseError(kPathNotFound);
  std::vector<WString> names;
  for (auto& [name, node] : Children(abs)) {
    if (node->kind == Kind::kFolder) names.push_back(std::move(name));
  }
  return names;
}

std::vector<FolderEntry> MemEnv::ListFolder(const WString& path) {
  WString abs = Resolve(path);
  const Node* folder = abs.empty() ? nullptr : Find(abs);
  if (!folder || folder->kind != Kind::kFolder) RaiseError(kPathNotFound);
  std::vector<FolderEntry> entries;
  for (auto& [name, node] : Children(abs)) {
    switch (node->kind) {
      case Kind::kFile:
        entries.push_back(
            {std::move(name), EntryKind::kRegular, static_cast<int64_t>(node->data.size())});
        break;
      case Kind::kFolder:
        entries.push_back({std::move(name), EntryKind::kFolder, 0});
        break;
      case Kind::kSymlink:
        entries.push_back({std::move(name), EntryKind::kLink, 0});
        break;
    }
  }
  return entries;
}

std::vector<WString> MemEnv::ListFiles(const WString& folder) const {
  std::vector<WString> names;
  for (auto& [name, node] : Children(Resolve(folder))) {
    if (node->kind == Kind::kFile) names.push_back(std::move(name));
  }
  return names;
}

WString MemEnv::BuildPath(const WString& folder, const WString& name) {
  if (folder.empty()) return name;
  if (folder.back() == kPathSeparator) return folder + name;
  return folder + kPathSeparator + name;
}

WString MemEnv::ReadProfileString(const WString& file, const WString& section, const WString& key,
                                  const WString& default_value, size_t buffer_size) {
  std::optional<std::string> text = FileContents(file);
  return ParseProfileString(text ? *text : std::string(), section, key, default_value, buffer_size);
}

void MemEnv::ShowHelp(const WString& file, int command, int32_t data) {
  help_calls_.push_back({file, command, data});
}

}  // namespace rxTheme
