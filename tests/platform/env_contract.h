// The behaviour every Env shares, checked the same way for the in-memory one,
// the POSIX one and the Windows one (built for Windows and run under Wine).
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include "platform/env.h"
#include "support/section_text.h"

namespace rxTheme::testing {

inline std::string ReadAll(ReadableFile& file) {
  std::string out;
  char buf[3];  // small, so that reading in pieces is exercised
  while (size_t n = file.Read(buf, sizeof buf)) out.append(buf, n);
  return out;
}

// The Env's text of a path of the real file system: the bytes of a POSIX
// name, the UTF-16 units of a Windows one.
inline WString EnvPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.u16string();
#else
  return Widen(path.string());
#endif
}

// A new, empty folder on disk, removed with everything in it at the end.
struct TempDir {
  TempDir() {
    std::random_device random;
    const auto base = std::filesystem::temp_directory_path();
    do {
      path = base / ("rxtheme-env-" + std::to_string(random()));
    } while (!std::filesystem::create_directory(path));
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  WString Root() const { return EnvPath(path); }
  WString At(const char16_t* rel) const { return Root() + u"/" + rel; }
  // The names of the regular files in the folder, sorted.
  std::vector<WString> Files() const {
    std::vector<WString> names;
    for (const auto& e : std::filesystem::directory_iterator(path)) {
      if (e.is_regular_file()) names.push_back(EnvPath(e.path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  std::filesystem::path path;
};

// The behaviour every Env shares; `root` is an existing, empty folder.
inline void CheckContract(Env& env, const WString& root) {
  auto at = [&](const char16_t* rel) { return root + u"/" + rel; };
  // Writing creates or empties; reading gives the bytes back.
  env.WriteFile(at(u"a.txt"), std::string("hello\0world", 11));
  EXPECT_EQ(env.ReadFile(at(u"a.txt")), std::string("hello\0world", 11));
  env.WriteFile(at(u"a.txt"), "x");
  EXPECT_TRUE(env.FileExists(at(u"a.txt")));
  EXPECT_FALSE(env.FolderExists(at(u"a.txt")));
  auto file = env.OpenForLoad(at(u"a.txt"));
  EXPECT_EQ(file->Size(), 1);
  EXPECT_EQ(ReadAll(*file), "x");
  // An open file and its path share an identity that no other file has.
  EXPECT_EQ(file->Identity(), env.IdentityOf(at(u"a.txt")));
  EXPECT_TRUE(file->Identity().has_value());
  EXPECT_NE(env.IdentityOf(at(u"absent")), file->Identity());
  file.reset();
  auto read = env.OpenForRead(at(u"a.txt"));
  EXPECT_EQ(read->Size(), 1);
  EXPECT_EQ(ReadAll(*read), "x");
  read.reset();

  // A missing file in an existing folder is created empty.
  auto created = env.OpenForLoad(at(u"new.elm"));
  EXPECT_EQ(created->Size(), 0);
  EXPECT_EQ(ReadAll(*created), "");
  EXPECT_TRUE(env.FileExists(at(u"new.elm")));
  created.reset();

  struct Failure {
    std::function<void()> call;
    int error;
  } failures[] = {
      {[&] { env.OpenForLoad(u""); }, kPathNotFound},
      {[&] { env.OpenForLoad(at(u"nodir/x.elm")); }, kPathNotFound},
      {[&] { env.WriteFile(at(u"nodir/x"), "y"); }, kPathNotFound},
      {[&] { env.ReadFile(at(u"absent")); }, kFileNotFound},
      {[&] { env.OpenForRead(at(u"absent")); }, kFileNotFound},
      {[&] { env.OpenForRead(u""); }, kFileNotFound},
      {[&] { env.SetCurrentDirectory(at(u"absent")); }, kPathNotFound},
      {[&] { env.CreateDirectory(at(u"a/b")); }, kPathNotFound},
      {[&] { env.ListSubFolders(at(u"absent")); }, kPathNotFound},
      {[&] { env.ListFolder(at(u"absent")); }, kPathNotFound},
      {[&] { env.ListFolder(at(u"a.txt")); }, kPathNotFound},
  };
  for (auto& f : failures) EXPECT_EQ(ErrorNumberOf(f.call), f.error);
  EXPECT_FALSE(env.FileExists(at(u"absent")));  // opened for reading, never made

  // Folders: one level at a time, an existing one refused, listings of names.
  env.CreateDirectory(at(u"t1"));
  env.CreateDirectory(at(u"t1/inner"));
  env.CreateDirectory(at(u"t2"));
  EXPECT_EQ(ErrorNumberOf([&] { env.CreateDirectory(at(u"t1")); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.OpenForLoad(at(u"t1")); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.OpenForRead(at(u"t1")); }), kPathFileAccessError);
  std::vector<WString> subs = env.ListSubFolders(root);
  std::sort(subs.begin(), subs.end());
  EXPECT_EQ(subs, (std::vector<WString>{u"t1", u"t2"}));

  // A full listing: every entry with its kind, and a regular file's size.
  std::vector<FolderEntry> entries = env.ListFolder(root);
  std::sort(entries.begin(), entries.end(),
            [](const FolderEntry& a, const FolderEntry& b) { return a.name < b.name; });
  ASSERT_EQ(entries.size(), 4u);
  const struct {
    const char16_t* name;
    EntryKind kind;
    int64_t size;
  } listed[] = {{u"a.txt", EntryKind::kRegular, 1},
                {u"new.elm", EntryKind::kRegular, 0},
                {u"t1", EntryKind::kFolder, 0},
                {u"t2", EntryKind::kFolder, 0}};
  for (size_t i = 0; i < entries.size(); ++i) {
    EXPECT_EQ(entries[i].name, listed[i].name);
    EXPECT_EQ(entries[i].kind, listed[i].kind) << ToUtf8(entries[i].name);
    EXPECT_EQ(entries[i].size, listed[i].size) << ToUtf8(entries[i].name);
  }

  // One separator between folder and name: the platform's, or the one the
  // folder ends with.
  EXPECT_EQ(env.BuildPath(u"a", u"b"), WString(u"a") + kPathSeparator + u"b");
  EXPECT_EQ(env.BuildPath(u"a/", u"b"), u"a/b");
  EXPECT_EQ(env.BuildPath(u"", u"b"), u"b");

  // Titles read from a file are pinned by the picker's tests; a missing file
  // gives the default.
  EXPECT_EQ(env.ReadProfileString(at(u"t2/none.inf"), u"info", u"title", u"d", 256), u"d");
}

// Whole-file writes; `root` is an existing, empty folder and `files` lists
// the names of the files in it, sorted.
inline void CheckWriterContract(Env& env, const WString& root,
                                const std::function<std::vector<WString>()>& files) {
  const WString target = root + u"/state.bin";
  env.WriteFile(target, "old");
  {
    auto dropped = env.NewWritableFile(target);
    dropped->Append("half");
    EXPECT_EQ(env.ReadFile(target), "old");  // nothing shows before Commit
  }
  EXPECT_EQ(env.ReadFile(target), "old");
  EXPECT_EQ(files(), std::vector<WString>{u"state.bin"});  // no temporary file left

  auto writer = env.NewWritableFile(target);
  writer->Append("new ");
  writer->Append(std::string("by\0tes", 6));
  writer->Commit();
  EXPECT_EQ(env.ReadFile(target), std::string("new by\0tes", 10));
  EXPECT_EQ(files(), std::vector<WString>{u"state.bin"});
  EXPECT_EQ(ErrorNumberOf([&] { writer->Commit(); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { writer->Append("x"); }), kPathFileAccessError);

  env.NewWritableFile(root + u"/empty.bin")->Commit();
  EXPECT_EQ(env.ReadFile(root + u"/empty.bin"), "");

  env.CreateDirectory(root + u"/folder");
  struct Failure {
    WString path;
    int error;
  } failures[] = {{u"", kPathNotFound},
                  {root + u"/nodir/x", kPathNotFound},
                  {root + u"/folder", kPathFileAccessError}};
  for (const Failure& f : failures) {
    EXPECT_EQ(ErrorNumberOf([&] { env.NewWritableFile(f.path); }), f.error) << ToUtf8(f.path);
  }
}

// Both contracts for an Env of the real file system.
inline void CheckRealContract(Env& env) {
  TempDir dir;
  CheckContract(env, dir.Root());
  TempDir writes;
  CheckWriterContract(env, writes.Root(), [&] { return writes.Files(); });
}

}  // namespace rxTheme::testing
