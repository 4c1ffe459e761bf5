#include "commands/bag_dump.h"

#include <iostream>
#include <memory>

#include <rxtheme/persist/property_bag.h>
#include "command_error.h"
#include "commands/commands.h"
#include "files/command_files.h"
#include "files/state_file.h"
#include "persist/bag_access.h"
#include "persist/contents_codec.h"
#include "platform/env.h"
#include "print/json_text.h"
#include "print/printable.h"

namespace rxTheme::cli {

namespace {

// Whether an entry's value is nested contents to decode.
bool IsNested(const StoredEntry& e, int depth) {
  return !e.ObjectType().empty() && e.ObjectType() != u" " && e.IsText() &&
         depth < PropertyBagX::kMaxNesting;
}

// The name of a stored value's type, as the automation runtime names it.
std::string TypeName(VarType type) {
  switch (type) {
    case VarType::Empty:
      return "empty";
    case VarType::Null:
      return "null";
    case VarType::I2:
      return "integer";
    case VarType::I4:
      return "long";
    case VarType::R4:
      return "single";
    case VarType::R8:
      return "double";
    case VarType::Currency:
      return "currency";
    case VarType::Date:
      return "date";
    case VarType::String:
      return "string";
    case VarType::Object:
      return "object";
    case VarType::Error:
      return "error";
    case VarType::Bool:
      return "boolean";
    case VarType::Decimal:
      return "decimal";
    case VarType::UI1:
      return "byte";
  }
  return "type " + std::to_string(static_cast<int>(type));
}

// Nested bags decode from their parent's contents, without copies.
void TextEntries(const PropertyBagX& bag, int depth, std::string& out) {
  const std::string indent(2 * depth, ' ');
  for (size_t i = 0; i < BagAccess::Stored(bag).size(); ++i) {
    const StoredEntry& e = BagAccess::Stored(bag)[i];
    out += indent + Printable(e.Name());
    if (e.ObjectType() == u" ") {
      out += ": null reference\n";
    } else if (IsNested(e, depth)) {
      out += " [" + Printable(e.ObjectType()) + "]\n";
      TextEntries(BagAccess::Nested(bag, i), depth + 1, out);
    } else {
      const Variant value = e.Value();
      if (!e.ObjectType().empty()) out += " [" + Printable(e.ObjectType()) + "]";
      out += " (" + TypeName(value.Type()) + "): " + JsonScalar(value) + "\n";
    }
  }
}

void JsonEntries(const PropertyBagX& bag, int depth, std::string& out) {
  out += "[";
  bool first = true;
  for (size_t i = 0; i < BagAccess::Stored(bag).size(); ++i) {
    const StoredEntry& e = BagAccess::Stored(bag)[i];
    out += first ? "\n" : ",\n";
    first = false;
    out += std::string(2 * depth + 2, ' ') + "{\"name\": " + JsonString(e.Name()) +
           ", \"objectType\": " + JsonString(e.ObjectType()) + ", \"value\": ";
    if (e.ObjectType() == u" ") {
      out += "{\"type\": 0, \"value\": null}";
    } else if (IsNested(e, depth)) {
      out += "{\"entries\": ";
      JsonEntries(BagAccess::Nested(bag, i), depth + 1, out);
      out += "}";
    } else {
      const Variant value = e.Value();
      out += "{\"type\": " + std::to_string(static_cast<int>(value.Type())) +
             ", \"value\": " + JsonScalar(value) + "}";
    }
    out += "}";
  }
  out += first ? "]" : "\n" + std::string(2 * depth, ' ') + "]";
}

}  // namespace

std::string DumpText(const WString& contents) {
  PropertyBagX bag;
  bag.Contents(contents);
  std::string out;
  TextEntries(bag, 0, out);
  return out;
}

std::string DumpJson(const WString& contents) {
  PropertyBagX bag;
  bag.Contents(contents);
  std::string out;
  JsonEntries(bag, 0, out);
  return out + "\n";
}

void AddBagCommand(CLI::App& app) {
  CLI::App* bag = app.add_subcommand("bag", "Inspect saved property-bag contents");
  bag->require_subcommand(1);
  CLI::App* dump = bag->add_subcommand("dump", "Print the entries of a contents file");
  auto file = std::make_shared<std::string>();
  auto json = std::make_shared<bool>(false);
  dump->add_option("FILE", *file, "byte image of the contents (units little-endian)")->required();
  dump->add_flag("--json", *json, "print JSON instead of an indented tree");
  dump->callback([file, json] {
    const WString path = ExistingFile(*file);
    std::cout << About(DisplayPath(path), [&] {
      const WString contents = ContentsFromBytes(CurrentEnv().ReadFile(path));
      return *json ? DumpJson(contents) : DumpText(contents);
    });
  });
}

}  // namespace rxTheme::cli
