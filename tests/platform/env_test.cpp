// The in-memory and the POSIX file system meet the Env contract; what only
// one of them does (links and pipes, injected faults) is pinned here too.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <rxtheme/runtime/automation_error.h>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include "platform/env.h"
#include "platform/env_contract.h"
#include "support/mem_env.h"
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::CheckContract;
using testing::CheckRealContract;
using testing::CheckWriterContract;
using testing::ErrorNumberOf;
using testing::ReadAll;
using testing::TempDir;

TEST(MemEnvTest, FollowsTheContract) {
  MemEnv mem;
  mem.AddFolder(u"/site");
  CheckContract(mem, u"/site");
  mem.AddFolder(u"/w");
  CheckWriterContract(mem, u"/w", [&] { return mem.ListFiles(u"/w"); });
}

TEST(PosixEnvTest, FollowsTheContract) { CheckRealContract(DefaultEnv()); }

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
  EXPECT_EQ(ErrorNumberOf([&] { env.OpenForRead(Widen(fifo)); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.NewWritableFile(Widen(fifo)); }), kPathFileAccessError);

  // A listing shows links and pipes as what they are, never what they lead to.
  std::map<WString, EntryKind> kinds;
  for (const FolderEntry& entry : env.ListFolder(dir.Root())) kinds[entry.name] = entry.kind;
  EXPECT_EQ(kinds, (std::map<WString, EntryKind>{{u"fifo", EntryKind::kOther},
                                                 {u"link", EntryKind::kLink},
                                                 {u"second", EntryKind::kRegular},
                                                 {u"target", EntryKind::kRegular}}));

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
  env.AddSymlink(u"/themes/link.gif");
  std::vector<WString> names;
  for (const FolderEntry& entry : env.ListFolder(u"/themes")) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<WString>{u"zeta", u"alpha", u"file.inf", u"link.gif"}));
}

}  // namespace
}  // namespace rxTheme
