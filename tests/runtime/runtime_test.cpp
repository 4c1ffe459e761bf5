// Text helpers, errors, the registry of creatable classes and the version.
#include <gtest/gtest.h>

#include <string>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/object_registry.h>
#include <rxtheme/runtime/wstring.h>
#include <rxtheme/version.h>
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::ErrorNumberOf;
using testing::ErrorText;

TEST(WStringTest, EightBitMappingCaseFoldingAndUtf8) {
  std::string all;
  for (int i = 0; i < 256; ++i) all.push_back(static_cast<char>(i));
  EXPECT_EQ(Widen(all)[0xE9], 0xE9);
  EXPECT_EQ(Narrow(Widen(all)), all);
  EXPECT_EQ(Narrow(u"\u0141"), "\x41");  // low 8 bits only
  EXPECT_EQ(LCase(u"AbZ\u00C0\u00D7\u00DE\u00DF[@"), u"abz\u00E0\u00D7\u00FE\u00DF[@");
  EXPECT_TRUE(EqualsNoCase(u"NavTxtHome", u"navtxthome"));
  EXPECT_FALSE(EqualsNoCase(u"a", u"ab"));
  EXPECT_FALSE(EqualsNoCase(u"@", u"`"));
  EXPECT_EQ(ToUtf8(u"a\u00e9\u20ac"), "a\xC3\xA9\xE2\x82\xAC");
  EXPECT_EQ(ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
  EXPECT_EQ(ToUtf8(WString(1, char16_t(0xD800)) + u"x"), "\xEF\xBF\xBDx");
  EXPECT_EQ(FromUtf8("a\xC3\xA9\xF0\x9F\x98\x80"), u"a\u00e9\U0001F600");
  EXPECT_EQ(FromUtf8("\xFF\xC3"), u"\uFFFD\uFFFD");
}

TEST(AutomationErrorTest, StandardDescriptionsSourceAndMessage) {
  EXPECT_EQ(StandardDescription(kObjectNotSet), u"Object variable or With block variable not set");
  EXPECT_EQ(StandardDescription(kFormAlreadyShown), u"Form already displayed; can't show modally");
  EXPECT_EQ(StandardDescription(12345), u"");
  EXPECT_EQ(ErrorText([] { RaiseError(kInvalidContents, {}, u"PropertyBagX"); }),
            "999 PropertyBagX: Invalid Contents Value");
  EXPECT_EQ(ErrorText([] { RaiseError(kPathFileAccessError, u"custom \u00e9"); }),
            "75 rxTheme: custom \xC3\xA9");
  EXPECT_STREQ(AutomationError(75, u"", u"\u00e9").what(), "error 75: \xC3\xA9");
}

class Dummy : public Object {
 public:
  WString TypeName() const override { return u"Dummy"; }
};

TEST(ObjectRegistryTest, CreatesByCaseInsensitiveIdentifier) {
  RegisterCreatable(u"rxTest.Dummy", [] { return std::make_shared<Dummy>(); });
  RegisterCreatable(u"rxTest.Nothing", [] { return nullptr; });
  ObjectRef a = CreateObject(u"RXTEST.dummy");
  ASSERT_TRUE(a);
  EXPECT_EQ(a->TypeName(), u"Dummy");
  EXPECT_NE(a, CreateObject(u"rxTest.Dummy"));  // a new object each time
  EXPECT_EQ(ErrorNumberOf([] { CreateObject(u"rxTest.Missing"); }), kCantCreateObject);
  EXPECT_EQ(ErrorNumberOf([] { CreateObject(u"rxTest.Nothing"); }), kCantCreateObject);
}

}  // namespace
}  // namespace rxTheme

namespace rxTheme {
namespace {

TEST(VersionTest, HeaderLibraryAndProjectAgree) {
  EXPECT_EQ(LibraryVersion(), kHeaderVersion);
  EXPECT_STREQ(LibraryVersionText(), RXTHEME_PROJECT_VERSION);
  const VersionNumber v = LibraryVersion();
  EXPECT_EQ(std::to_string(v.major) + "." + std::to_string(v.minor) + "." + std::to_string(v.patch),
            RXTHEME_PROJECT_VERSION);
}

}  // namespace
}  // namespace rxTheme
