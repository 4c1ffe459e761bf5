// The in-memory and the real file system behave alike.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include <rxtheme/runtime/automation_error.h>
#include "platform/env.h"
#include "support/mem_env.h"
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;

std::string ReadAll(ReadableFile& file) {
  std::string out;
  char buf[3];  // small, so that reading in pieces is exercised
  while (size_t n = file.Read(buf, sizeof buf)) out.append(buf, n);
  return out;
}

// A new, empty folder on disk, removed with everything in it at the end.
struct TempDir {
  TempDir() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "rxtheme-env-XXXXXX").string();
    path = mkdtemp(tmpl.data());
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  WString At(const char16_t* rel) const { return Widen(path) + u"/" + rel; }
  std::string path;
};

// The behaviour both Envs share; `root` is an existing, empty folder.
void CheckContract(Env& env, const WString& root) {
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

  // A missing file in an existing folder is created empty.
  auto created = env.OpenForLoad(at(u"new.elm"));
  EXPECT_EQ(created->Size(), 0);
  EXPECT_EQ(ReadAll(*created), "");
  EXPECT_TRUE(env.FileExists(at(u"new.elm")));

  struct Failure {
    std::function<void()> call;
    int error;
  } failures[] = {
      {[&] { env.OpenForLoad(u""); }, kPathNotFound},
      {[&] { env.OpenForLoad(at(u"nodir/x.elm")); }, kPathNotFound},
      {[&] { env.WriteFile(at(u"nodir/x"), "y"); }, kPathNotFound},
      {[&] { env.ReadFile(at(u"absent")); }, kFileNotFound},
      {[&] { env.SetCurrentDirectory(at(u"absent")); }, kPathNotFound},
      {[&] { env.CreateDirectory(at(u"a/b")); }, kPathNotFound},
      {[&] { env.ListSubFolders(at(u"absent")); }, kPathNotFound},
  };
  for (auto& f : failures) EXPECT_EQ(ErrorNumberOf(f.call), f.error);

  // Folders: one level at a time, an existing one refused, listings of names.
  env.CreateDirectory(at(u"t1"));
  env.CreateDirectory(at(u"t1/inner"));
  env.CreateDirectory(at(u"t2"));
  EXPECT_EQ(ErrorNumberOf([&] { env.CreateDirectory(at(u"t1")); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.OpenForLoad(at(u"t1")); }), kPathFileAccessError);
  std::vector<WString> subs = env.ListSubFolders(root);
  std::sort(subs.begin(), subs.end());
  EXPECT_EQ(subs, (std::vector<WString>{u"t1", u"t2"}));

  EXPECT_EQ(env.BuildPath(u"a", u"b"), u"a/b");
  EXPECT_EQ(env.BuildPath(u"a/", u"b"), u"a/b");
  EXPECT_EQ(env.BuildPath(u"", u"b"), u"b");

  // Titles read from a file are pinned by the picker's tests; a missing file gives the default.
  EXPECT_EQ(env.ReadProfileString(at(u"t2/none.inf"), u"info", u"title", u"d", 256), u"d");
}

// Whole-file writes; `root` is an existing, empty folder and `files` lists
// the names of the files in it.
void CheckWriterContract(Env& env, const WString& root,
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

TEST(MemEnvTest, FollowsTheContract) {
  MemEnv mem;
  mem.AddFolder(u"/site");
  CheckContract(mem, u"/site");
  mem.AddFolder(u"/w");
  CheckWriterContract(mem, u"/w", [&] { return mem.ListFiles(u"/w"); });
}

TEST(PosixEnvTest, FollowsTheContract) {
  TempDir dir;
  CheckContract(DefaultEnv(), Widen(dir.path));
  TempDir writes;
  CheckWriterContract(DefaultEnv(), Widen(writes.path), [&] {
    std::vector<WString> names;
    for (const auto& e : std::filesystem::directory_iterator(writes.path)) {
      if (e.is_regular_file()) names.push_back(Widen(e.path().filename().string()));
    }
    std::sort(names.begin(), names.end());
    return names;
  });
}

// A failing Append or Commit (a full disk) leaves the old file whole and no
// temporary file behind.
TEST(MemEnvTest, FailedWritesKeepTheOldFile) {
  for (MemEnv::Op op : {MemEnv::Op::kWrite, MemEnv::Op::kCommit}) {
    MemEnv env;
    env.AddFile(u"/w/state.bin", "old state");
    env.FailOn(u"/w/state.bin", op, kPathFileAccessError);
    auto writer = env.NewWritableFile(u"/w/state.bin");
    int error = ErrorNumberOf([&] {
      writer->Append("new state");
      writer->Commit();
    });
    EXPECT_EQ(error, kPathFileAccessError);
    EXPECT_EQ(ErrorNumberOf([&] { writer->Commit(); }), kPathFileAccessError);
    EXPECT_EQ(env.FileContents(u"/w/state.bin"), "old state");
    EXPECT_EQ(env.ListFiles(u"/w"), std::vector<WString>{u"state.bin"});
  }
}

TEST(PosixEnvTest, RefusesLinksAndPipesOpensReadOnlyFilesAndWantsAHelpFile) {
  TempDir dir;
  Env& env = DefaultEnv();
  std::string target = Narrow(dir.At(u"target"));
  std::string link = Narrow(dir.At(u"link"));
  env.WriteFile(Widen(target), "keep");
  ASSERT_EQ(symlink(target.c_str(), link.c_str()), 0);
  EXPECT_EQ(ErrorNumberOf([&] { env.WriteFile(Widen(link), "evil"); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.NewWritableFile(Widen(link)); }), kPathFileAccessError);
  EXPECT_EQ(env.ReadFile(Widen(target)), "keep");

  // A second name (refused under a policy, which LoaderOnDisk pins): replacing
  // the file leaves the other name with the old bytes.
  std::string second = Narrow(dir.At(u"second"));
  ASSERT_EQ(::link(target.c_str(), second.c_str()), 0);
  EXPECT_EQ(env.IdentityOf(Widen(second)), env.IdentityOf(Widen(link)));
  ASSERT_EQ(chmod(second.c_str(), 0640), 0);
  auto writer = env.NewWritableFile(Widen(second));
  writer->Append("new");
  writer->Commit();
  EXPECT_EQ(env.ReadFile(Widen(second)), "new");
  EXPECT_EQ(env.ReadFile(Widen(target)), "keep");
  struct stat st;
  ASSERT_EQ(stat(second.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);  // the replaced file's permissions stay

  // A pipe is neither read (no waiting for a writer) nor replaced.
  std::string fifo = Narrow(dir.At(u"fifo"));
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(ErrorNumberOf([&] { env.ReadFile(Widen(fifo)); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.NewWritableFile(Widen(fifo)); }), kPathFileAccessError);

  EXPECT_EQ(ErrorNumberOf([&] { env.ShowHelp(dir.At(u"missing.chm>TriPane"), 0, 0); }),
            kFileNotFound);

  if (geteuid() == 0) return;  // root reads every file anyway
  ASSERT_EQ(chmod(target.c_str(), 0444), 0);
  EXPECT_EQ(ReadAll(*env.OpenForLoad(Widen(target))), "keep");
}

// The help log is pinned where it is used (theme_picker_test).
TEST(MemEnvTest, FaultsLinksPathsAndListingOrder) {
  MemEnv env;
  env.AddFile(u"/w/theme.elm", "pkg");
  env.AddSymlink(u"/w/link.gif");
  EXPECT_EQ(ErrorNumberOf([&] { env.WriteFile(u"/w/link.gif", "x"); }), kPathFileAccessError);

  env.FailOn(u"/w/theme.elm", MemEnv::Op::kRead, kPathFileAccessError);
  env.FailOn(u"/w/out.gif", MemEnv::Op::kWrite, 61);
  env.FailOn(u"/w/sub", MemEnv::Op::kCreate, 70);
  env.FailOn(u"/w/fresh.elm", MemEnv::Op::kCreate, 75);
  EXPECT_EQ(ErrorNumberOf([&] { env.OpenForLoad(u"/w/theme.elm"); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.ReadFile(u"/w/theme.elm"); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.WriteFile(u"/w/out.gif", "x"); }), 61);
  EXPECT_EQ(ErrorNumberOf([&] { env.CreateDirectory(u"/w/sub"); }), 70);
  EXPECT_EQ(ErrorNumberOf([&] { env.OpenForLoad(u"/w/fresh.elm"); }), 75);
  EXPECT_FALSE(env.FileExists(u"/w/fresh.elm"));
  EXPECT_FALSE(env.FileContents(u"/w/out.gif"));
  env.ClearFaults();
  EXPECT_EQ(ReadAll(*env.OpenForLoad(u"/w/theme.elm")), "pkg");

  env.SetCurrentDirectory(u"/w");
  env.WriteFile(u"../w/./b.gif", "B");
  EXPECT_EQ(env.FileContents(u"/w/b.gif"), "B");

  // Folders are listed in the order they were made, not by name.
  env.AddFolder(u"/themes/zeta");
  env.AddFolder(u"/themes/alpha/deep");
  env.AddFile(u"/themes/file.inf", "");
  env.AddFolder(u"/themes-other");
  EXPECT_EQ(env.ListSubFolders(u"/themes"), (std::vector<WString>{u"zeta", u"alpha"}));
}

}  // namespace
}  // namespace rxTheme
