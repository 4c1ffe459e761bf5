// Writing and reading values, fonts, null references and nested objects.
#include <rxtheme/persist/property_bag.h>
#include "persist/bag_access.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/object_registry.h>
#include <rxtheme/runtime/std_font.h>
#include "persist/class_factory.h"
#include "persist/contents_codec.h"
#include "support/bag_round_trip.h"
#include "support/section_text.h"

namespace rxTheme {
namespace {

using testing::EntryNames;
using testing::ErrorNumberOf;

// A small persistable class: a number, a text and an optional child.
class Sample : public IPropertyBagX {
 public:
  WString TypeName() const override { return u"CSampleTest"; }
  void InitProperties() override { ++inits; }
  void WriteProperties(PropertyBagX& bag) override {
    bag.WriteProperty(u"Number", Variant::I2(number), Variant::I2(0));
    bag.WriteProperty(u"Text", Variant(text), Variant(u""));
    if (child) bag.WriteProperty(u"Child", Variant::Obj(child));
  }
  void ReadProperties(PropertyBagX& bag) override {
    if (fail_reads) throw std::runtime_error("read failure");
    number = bag.ReadProperty(u"Number", Variant::I2(0)).ToI2();
    text = bag.ReadProperty(u"Text", Variant(u"")).ToString();
    Variant c = bag.ReadProperty(u"Child");
    child = c.IsObject() ? std::dynamic_pointer_cast<Sample>(c.ObjectValue()) : nullptr;
  }
  WString ClassName() const override { return class_name; }

  int16_t number = 0;
  WString text;
  std::shared_ptr<Sample> child;
  int inits = 0;
  bool fail_reads = false;
  WString class_name = u"rxTheme.CSampleTest";
};

const ClassRegistration kSampleReg(u"CSampleTest", [] { return std::make_shared<Sample>(); });
const ClassRegistration kFailingReg(u"CFailingTest", [] {  // its reads fail
  auto failing = std::make_shared<Sample>();
  failing->fail_reads = true;
  return failing;
});
// A class that only the registry of creatable classes knows.
const CreatableRegistration kCreatableReg(u"rxTheme.CCreatableTest",
                                          [] { return std::make_shared<Sample>(); });
class NotPersistable : public Object {
 public:
  WString TypeName() const override { return u"Other"; }
};

// One record: name, object type and a nested contents value.
WString Record(const WString& name, const WString& type, const Variant& value) {
  return EncodeField(Variant(name), kTagName) + EncodeField(Variant(type), kTagObjectType) +
         EncodeField(value);
}

TEST(PropertyBagTest, ScriptedWritesKeepOrderReplaceAndLeaveOutDefaults) {
  const std::optional<Variant> none;
  const struct {
    const char16_t* name;
    Variant value;
    std::optional<Variant> def;
    std::vector<WString> names;  // after the step
  } script[] = {
      // How a replacement moves entries and renames them is pinned by the walk below.
      {u"X", Variant::I2(1), none, {u"X"}},
      {u"Y", Variant::I2(4), none, {u"X", u"Y"}},
      {u"Left", Variant::I2(9), none, {u"X", u"Y", u"Left"}},
      // Equal to the default (types apart): left out, and the old one gone.
      {u"Left", Variant::Bool(false), Variant::I2(0), {u"X", u"Y"}},
      {u"Kept", Variant(u"1"), Variant::I2(1), {u"X", u"Y", u"Kept"}},  // text != number
      {u"Ref", Variant::Obj(nullptr), Variant::I2(0), {u"X", u"Y", u"Kept", u"Ref"}},
  };
  PropertyBagX bag;
  for (const auto& step : script) {
    bag.WriteProperty(step.name, step.value, step.def);
    EXPECT_EQ(EntryNames(bag), step.names) << ToUtf8(step.name);
  }
  // Objects that are neither fonts nor persistable are refused, and the entry
  // of that name is gone.
  const Variant other = Variant::Obj(std::make_shared<NotPersistable>());
  EXPECT_EQ(ErrorNumberOf([&] { bag.WriteProperty(u"kept", other); }), kTypeMismatch);
  EXPECT_EQ(EntryNames(bag), (std::vector<WString>{u"X", u"Y", u"Ref"}));
  EXPECT_EQ(bag.ReadProperty(u"Left", Variant::I2(7)).I2Value(), 7);
  EXPECT_TRUE(bag.ReadProperty(u"Absent").IsEmpty());
  EXPECT_EQ(ErrorNumberOf([&] { bag.ReadProperty(u"Y", other); }), kTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([&] { bag.ReadProperty(u"Absent", other); }), kTypeMismatch);

  // A null reference is stored as " " and read back as one whatever the
  // default, even one that is not persistable.
  PropertyBagX copy;
  copy.Contents(bag.Contents());
  EXPECT_EQ(copy.Entries()[2].ObjectType, u" ");
  for (const Variant& def :
       {Variant(), Variant::I2(3), Variant::Obj(std::make_shared<Sample>()), other}) {
    Variant v = copy.ReadProperty(u"ref", def);
    ASSERT_TRUE(v.IsObject());
    EXPECT_EQ(v.ObjectValue(), nullptr);
  }
}

// Lookups and replacements against a plain walk over a list of (name, value):
// a bag decoded with repeated names and a new one, growing past the length
// at which it indexes its names and shrinking again. The names differ only in
// case, or in ways that only the index's hash confuses, or not at all.
TEST(PropertyBagTest, LookupsAndReplacementsMatchAWalk) {
  // clang-format off
  const WString names[] = {
      u"a", u"A", u"b", u"@", u"`", u"\u00C0", u"\u00E0", u"\u00D7", u"\u00F7", u"Color(0)",
      u"COLOR(0)", u"Color(1)", u"NavButtonUp(0)", u"navbuttonup(1)", u"Index", u"Key12345",
      u"Key12346", u""};
  // FindEach against the same walk, for the names that differ without case.
  const std::vector<WString> keys = {
      u"a", u"b", u"@", u"`", u"\u00C0", u"\u00D7", u"\u00F7", u"Color(0)", u"Color(1)",
      u"NavButtonUp(0)", u"navbuttonup(1)", u"Key12346", u""};
  // clang-format on
  const size_t n = std::size(names);
  const NameTable table(keys);
  for (bool decoded : {true, false}) {
    std::vector<std::pair<WString, int16_t>> walk;
    WString contents;
    for (int16_t i = 1; decoded && i <= 30; ++i) {
      walk.emplace_back(names[i % n], i);
      contents += Record(names[i % n], u"", Variant::I2(i));
    }
    PropertyBagX bag;
    bag.Contents(decoded ? contents : WString());
    std::mt19937 random(7);
    for (int16_t step = 100; step < 3000; ++step) {
      const WString& name = names[random() % n];
      auto first = [&] {
        return std::find_if(walk.begin(), walk.end(),
                            [&](const auto& e) { return EqualsNoCase(e.first, name); });
      };
      if (random() % 3 != 0) {  // write: a value, or the default, which only removes
        const int16_t value = random() % 3 == 0 ? 0 : step;
        if (auto it = first(); it != walk.end()) {
          *it = walk.back();
          walk.pop_back();
        }
        if (value != 0) walk.emplace_back(name, value);
        bag.WriteProperty(name, Variant::I2(value), Variant::I2(0));
      }
      const auto it = first();
      ASSERT_EQ(bag.ReadProperty(name, Variant::I2(-1)).ToI2(), it == walk.end() ? -1 : it->second)
          << "step " << step;
      std::vector<size_t> found(keys.size());
      BagAccess::FindEach(bag, table, found);
      for (size_t k = 0; k < keys.size(); ++k) {
        const auto it = std::find_if(walk.begin(), walk.end(),
                                     [&](const auto& e) { return EqualsNoCase(e.first, keys[k]); });
        ASSERT_EQ(found[k], it == walk.end() ? NameIndex::kNotFound : size_t(it - walk.begin()))
            << "step " << step << " key " << k;
      }
    }
    std::vector<WString> walk_names;
    for (const auto& e : walk) walk_names.push_back(e.first);
    EXPECT_EQ(EntryNames(bag), walk_names);
  }
}

// A written object moved into a decoded entry's place by a replacement keeps
// its own texts: a bag decoded from it outlives every bag that held it.
TEST(PropertyBagTest, WrittenEntriesAmongDecodedOnesKeepTheirTexts) {
  auto obj = std::make_shared<Sample>();
  obj->text = u"kept";
  PropertyBagX bag;
  bag.Contents(Record(u"A", u"", Variant(u"a")) + Record(u"B", u"", Variant(u"b")));
  bag.WriteProperty(u"Obj", Variant::Obj(obj));
  bag.WriteProperty(u"a", Variant(u"x"));
  EXPECT_EQ(EntryNames(bag), (std::vector<WString>{u"Obj", u"B", u"a"}));
  PropertyBagX nested = BagAccess::Nested(PropertyBagX(bag), 0);
  bag.Contents(WString());
  EXPECT_EQ(nested.ReadProperty(u"Text").ToString(), u"kept");
}

// Saves `font`, changes it (later changes must not reach the bag) and reads it
// back; gives the saved keys and the attributes read.
using Saved = std::pair<std::vector<WString>, std::string>;
Saved SaveAndRead(const std::shared_ptr<StdFont>& font) {
  PropertyBagX bag;
  bag.WriteProperty(u"F", Variant::Obj(font));
  font->Name(u"Changed");
  EXPECT_EQ(bag.Entries()[0].ObjectType, u"Font");
  PropertyBagX nested = BagAccess::Nested(PropertyBagX(bag), 0);  // outlives the bag it came from
  EXPECT_EQ(nested.ReadProperty(u"Size").Type(), VarType::Currency);
  auto f = std::dynamic_pointer_cast<StdFont>(bag.ReadProperty(u"F").ObjectValue());
  if (!f) return {};
  return {EntryNames(nested), ToUtf8(f->Name()) + " " + std::to_string(f->Size()) + " " +
                                  std::to_string(f->Weight()) + (f->Italic() ? " I" : "") +
                                  (f->Underline() ? " U" : "") + (f->Strikethrough() ? " S" : "") +
                                  " " + std::to_string(f->Charset())};
}

TEST(PropertyBagTest, FontsKeepTheirAttributesInTheFixedKeyOrder) {
  // Default attributes are left out. Bold is read after Weight, so a weight
  // comes back as 400 or 700.
  auto font = std::make_shared<StdFont>();
  font->Name(u"Verdana");
  font->Size(120000);
  font->Weight(0);
  EXPECT_EQ(SaveAndRead(font), Saved({u"Name", u"Size"}, "Verdana 120000 400 0"));
  font->Name(u"Arial");
  font->Size(125000);
  font->Weight(800);
  font->Italic(true);
  font->Underline(true);
  font->Strikethrough(true);
  font->Charset(2);
  EXPECT_EQ(SaveAndRead(font), Saved({u"Bold", u"Charset", u"Italic", u"Name", u"Size",
                                      u"Strikethrough", u"Underline", u"Weight"},
                                     "Arial 125000 700 I U S 2"));
}

// Without a default, a nested object comes back as a new object made by the
// factory (or the registry of creatable classes) from its stored class name,
// which the read shortens; a class neither knows reads as a null reference.
TEST(PropertyBagTest, NestedObjectsComeBackByTheirClassName) {
  struct Case {
    const char16_t* class_name;
    bool created;
    const char16_t* stored_after;
  } cases[] = {
      {u"rxTheme.CSampleTest", true, u"CSampleTest"},
      {u"CSampleTest", true, u"CSampleTest"},
      {u".CSampleTest", true, u"CSampleTest"},
      {u"RXTHEME.CCreatableTest", true, u"RXTHEME.CCreatableTest"},  // the registry made it
      {u"rxTheme.CUnknownTest", false, u"CUnknownTest"},
      {u"rxTheme.csampletest", false, u"csampletest"},  // the factory is case-sensitive
      {u"a.b.CSampleTest", false, u"b.CSampleTest"},    // only up to the first "."
      {u"rxTheme.CFailingTest", false, u"CFailingTest"},
      {u"rxTheme.CSampleRefused", true, u"CSampleRefused"},
      {u"rxTheme.CSampleBroken", false, u"rxTheme.CSampleBroken"},
  };
  // Classes that the registry lists but fails to create, with 429 or another
  // error; only 429 falls back to the factory.
  for (const auto& [name, error] : {std::pair{u"CSampleRefused", kCantCreateObject},
                                    std::pair{u"CSampleBroken", kTypeMismatch}}) {
    RegisterCreatable(u"rxTheme." + WString(name), [error]() -> ObjectRef { RaiseError(error); });
    RegisterClassInstance(name, [] { return std::make_shared<Sample>(); });
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(ToUtf8(c.class_name));
    auto obj = std::make_shared<Sample>();
    obj->class_name = c.class_name;
    obj->number = 3;
    PropertyBagX bag, copy;
    bag.WriteProperty(u"Obj", Variant::Obj(obj));
    EXPECT_EQ(bag.Entries()[0].ObjectType, c.class_name);
    copy.Contents(bag.Contents());
    Variant v = copy.ReadProperty(u"Obj");
    ASSERT_TRUE(v.IsObject());
    auto read = std::dynamic_pointer_cast<Sample>(v.ObjectValue());
    EXPECT_EQ(read != nullptr, c.created);
    EXPECT_EQ(copy.Entries()[0].ObjectType, c.stored_after);
    if (read) {
      EXPECT_NE(read, obj);
      EXPECT_EQ(read->number, 3);
    }
  }
}

TEST(PropertyBagTest, ADefaultObjectIsFilledOrInitialised) {
  auto stored = std::make_shared<Sample>();
  stored->number = 5;
  PropertyBagX bag;
  bag.WriteProperty(u"Obj", Variant::Obj(stored));
  auto target = std::make_shared<Sample>();
  EXPECT_EQ(bag.ReadProperty(u"OBJ", Variant::Obj(target)).ObjectValue(), target);
  EXPECT_EQ(target->number, 5);
  EXPECT_EQ(target->inits, 0);
  // Absent: InitProperties on the same object, which keeps its values.
  target->number = 42;
  EXPECT_EQ(bag.ReadProperty(u"Missing", Variant::Obj(target)).ObjectValue(), target);
  EXPECT_EQ(target->inits, 1);
  EXPECT_EQ(target->number, 42);
}

TEST(PropertyBagTest, MalformedNestedValuesRaiseTheirErrors) {
  PropertyBagX bag;
  bag.Contents(Record(u"Obj", u"rxTheme.CSampleTest", Variant(WString{7, 7})));
  EXPECT_EQ(ErrorNumberOf([&] { bag.ReadProperty(u"Obj"); }), kInvalidContents);
  auto target = Variant::Obj(std::make_shared<Sample>());
  EXPECT_EQ(ErrorNumberOf([&] { bag.ReadProperty(u"Obj", target); }), kInvalidContents);

  // A font attribute that does not convert fails as setting it would.
  const struct {
    const char16_t* key;
    Variant value;
    int error;
  } attributes[] = {{u"Size", Variant(u"huge"), kTypeMismatch},
                    {u"Weight", Variant::I4(70000), kOverflow}};
  for (const auto& a : attributes) {
    PropertyBagX font;
    font.WriteProperty(a.key, a.value);
    bag.Contents(Record(u"F", u"Font", Variant(font.Contents())));
    EXPECT_EQ(ErrorNumberOf([&] { bag.ReadProperty(u"F"); }), a.error) << ToUtf8(a.key);
  }
}

// Contents nesting `levels` CSampleTest objects, each the "Child" of the one
// above, built back to front so that building stays linear.
WString DeepNest(int levels) {
  std::vector<WString> prefixes;
  int32_t inner = 1;  // the innermost bag is empty: one unit 0
  for (int i = 0; i < levels; ++i) {
    WString prefix = EncodeField(Variant(u"Child"), kTagName) +
                     EncodeField(Variant(u"rxTheme.CSampleTest"), kTagObjectType) +
                     WString(1, kTagString) + EncodeLength(inner);
    inner += static_cast<int32_t>(prefix.size());
    prefixes.push_back(std::move(prefix));
  }
  WString out;
  for (auto it = prefixes.rbegin(); it != prefixes.rend(); ++it) out += *it;
  return out + WString(1, u'\0');
}

TEST(PropertyBagTest, NestingStopsAtTheDepthLimit) {
  PropertyBagX bag;
  bag.Contents(DeepNest(10000));
  // Every level up to the limit comes back; none beyond it.
  int depth = 0;
  Variant v = bag.ReadProperty(u"Child");
  for (auto s = std::dynamic_pointer_cast<Sample>(v.ObjectValue()); s; s = s->child) ++depth;
  EXPECT_EQ(depth, PropertyBagX::kMaxNesting);
}

}  // namespace
}  // namespace rxTheme
