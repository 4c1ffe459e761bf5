// The Windows file system meets the Env contract; what only it does (links
// and devices, read-only files, profile values in the ANSI code page) is
// pinned here too. Built for Windows and run under Wine.
#include <windows.h>

#include <gtest/gtest.h>

#include <rxtheme/runtime/automation_error.h>
#include "platform/env.h"
#include "platform/env_contract.h"

namespace rxTheme {
namespace {

using testing::CheckRealContract;
using testing::ErrorNumberOf;
using testing::ReadAll;
using testing::TempDir;

const wchar_t* W(const WString& path) { return reinterpret_cast<const wchar_t*>(path.c_str()); }

TEST(WinEnvTest, FollowsTheContract) { CheckRealContract(DefaultEnv()); }

// A folder holding one file, "target", with "keep" in it.
class WinEnvTargetTest : public ::testing::Test {
 protected:
  void SetUp() override { env.WriteFile(target, "keep"); }

  TempDir dir;
  Env& env = DefaultEnv();
  const WString target = dir.At(u"target");
};

TEST_F(WinEnvTargetTest, RefusesASecondNameWhenAskedAndReplacesOnlyThisName) {
  const WString second = dir.At(u"second");
  ASSERT_TRUE(CreateHardLinkW(W(second), W(target), nullptr));
  EXPECT_EQ(env.IdentityOf(second), env.IdentityOf(target));
  EXPECT_EQ(
      ErrorNumberOf([&] { env.NewWritableFile(second, LinkPolicy::kRefuseSymlinkOrHardLink); }),
      kPathFileAccessError);
  EXPECT_EQ(dir.Files(), (std::vector<WString>{u"second", u"target"}));

  auto writer = env.NewWritableFile(second);
  writer->Append("new");
  writer->Commit();
  EXPECT_EQ(env.ReadFile(second), "new");
  EXPECT_EQ(env.ReadFile(target), "keep");
  EXPECT_NE(env.IdentityOf(second), env.IdentityOf(target));
}

// A symbolic link is a reparse point: neither written through nor replaced.
TEST_F(WinEnvTargetTest, RefusesSymbolicLinks) {
  const WString link = dir.At(u"link");
  // Some systems (Wine 8) report success and make no link.
  if (!CreateSymbolicLinkW(W(link), W(target), 0) ||
      !(GetFileAttributesW(W(link)) & FILE_ATTRIBUTE_REPARSE_POINT) ||
      GetFileAttributesW(W(link)) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "this system makes no symbolic links";
  }
  EXPECT_EQ(ErrorNumberOf([&] { env.WriteFile(link, "evil"); }), kPathFileAccessError);
  EXPECT_EQ(ErrorNumberOf([&] { env.NewWritableFile(link); }), kPathFileAccessError);
  EXPECT_EQ(env.ReadFile(target), "keep");
}

TEST(WinEnvTest, ReadsNoDeviceAndOpensReadOnlyFiles) {
  Env& env = DefaultEnv();
  // A device would wait for input.
  EXPECT_EQ(ErrorNumberOf([&] { env.ReadFile(u"NUL"); }), kPathFileAccessError);

  TempDir dir;
  const WString locked = dir.At(u"locked.elm");
  env.WriteFile(locked, "pkg");
  ASSERT_TRUE(SetFileAttributesW(W(locked), FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(ReadAll(*env.OpenForLoad(locked)), "pkg");
  SetFileAttributesW(W(locked), FILE_ATTRIBUTE_NORMAL);  // so that the folder can go
}

// A profile value's bytes are text in the system's ANSI code page.
TEST(WinEnvTest, ReadsProfileValuesInTheAnsiCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP() << ", not 1252";
  TempDir dir;
  Env& env = DefaultEnv();
  const WString inf = dir.At(u"dawn.inf");
  env.WriteFile(inf, "[info]\r\ntitle=\x93\xc9meraude\x94\r\n");
  EXPECT_EQ(env.ReadProfileString(inf, u"info", u"title", u"", 256), u"\u201c\u00c9meraude\u201d");
  // The buffer holds its size less one unit.
  EXPECT_EQ(env.ReadProfileString(inf, u"info", u"title", u"", 3), u"\u201c\u00c9");
  EXPECT_EQ(env.ReadProfileString(inf, u"info", u"missing", u"default", 4), u"def");
}

}  // namespace
}  // namespace rxTheme
