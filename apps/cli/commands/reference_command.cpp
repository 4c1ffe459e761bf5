// rxtheme reference [--json]
//
// For each kind of style sheet: its files, the styles its selectors name and
// the declarations it reads, with the kind of each value and how it is
// written; from the tables the parsers use (sheet_tables.h).
#include <algorithm>
#include <iostream>
#include <memory>
#include <string>

#include "authoring/sheet_tables.h"
#include "commands/commands.h"
#include "print/json_text.h"

namespace rxTheme::cli {
namespace {

// The file names of a kind, as they are listed.
std::vector<std::string> FileNames(const SheetKind& kind) {
  std::vector<std::string> files;
  for (const char* file : kind.file_names) {
    if (file != nullptr) files.emplace_back(file);
  }
  return files;
}

// ["a", "b"]
std::string JsonStrings(const std::vector<WString>& items) {
  std::string out = "[";
  for (size_t i = 0; i < items.size(); ++i) out += (i ? ", " : "") + JsonString(items[i]);
  return out + "]";
}

std::string Json() {
  std::string out = "[";
  for (const SheetKind& kind : SheetKinds()) {
    std::vector<WString> files, variants;
    for (const std::string& file : FileNames(kind)) {
      variants.push_back(Widen(kind.variant_names[files.size()]));
      files.push_back(Widen(file));
    }
    out += (out.size() > 1 ? ",\n {" : "\n {");
    out += "\"files\": " + JsonStrings(files) + ", \"variants\": " + JsonStrings(variants) +
           ", \"section\": " + JsonString(Widen(kind.section)) +
           ",\n  \"selectors\": " + JsonString(Widen(kind.selector_rule)) + ",\n  \"styles\": [";
    for (size_t i = 0; i < kind.slots.size(); ++i) {
      const SlotInfo& slot = kind.slots[i];
      std::vector<WString> names{LCase(slot.key)};
      if (slot.alias != nullptr) names.emplace_back(slot.alias);
      out += (i ? ", " : "") + JsonStrings(names);
    }
    out += "],\n  \"declarations\": [";
    for (size_t i = 0; i < kind.properties.size(); ++i) {
      const PropertyInfo& p = kind.properties[i];
      out += std::string(i ? ",\n   " : "\n   ") + "{\"declaration\": " + JsonString(p.prefix) +
             ", \"kind\": \"" + ValueKind(p) + "\", \"written\": \"" + WrittenForm(p) +
             "\", \"property\": " + JsonString(p.name) + "}";
    }
    out += "]}";
  }
  return out + "\n]\n";
}

// One line of a declaration table, in columns.
std::string Row(size_t width, const std::string& declaration, const std::string& kind,
                const std::string& written, const std::string& property) {
  std::string line = "    " + declaration;
  line.resize(6 + width, ' ');
  line += kind;
  line.resize(15 + width, ' ');
  line += written;
  line.resize(30 + width, ' ');
  return line + property + "\n";
}

std::string Text() {
  std::string out;
  for (const SheetKind& kind : SheetKinds()) {
    const std::vector<std::string> files = FileNames(kind);
    for (size_t i = 0; i < files.size(); ++i) {
      out += (i ? ", " : "") + files[i];
      if (kind.file_names[1] != nullptr) out += std::string(" (") + kind.variant_names[i] + ")";
    }
    out += kind.file_names[1] == nullptr ? std::string(": ") + kind.variant_names[0] + "\n" : "\n";
    out += std::string("  Selectors: ") + kind.selector_rule + ".\n  Styles:";
    for (size_t i = 0; i < kind.slots.size(); ++i) {
      out += (i ? ", " : " ") + ToUtf8(LCase(kind.slots[i].key));
      if (kind.slots[i].alias != nullptr) out += " (or " + ToUtf8(kind.slots[i].alias) + ")";
    }
    out += "\n  Declarations, one per line, indented by a tab:\n";
    size_t width = 0;
    for (const PropertyInfo& p : kind.properties) width = std::max(width, p.prefix.size());
    out += Row(width, "declaration", "value", "written", "property");
    for (const PropertyInfo& p : kind.properties) {
      out += Row(width, ToUtf8(p.prefix), ValueKind(p), WrittenForm(p), ToUtf8(p.name));
    }
  }
  return out;
}

}  // namespace

void AddReferenceCommand(CLI::App& app) {
  auto json = std::make_shared<bool>(false);
  CLI::App* cmd = app.add_subcommand(
      "reference", "Print the selectors and declarations that each style sheet understands");
  cmd->add_flag("--json", *json, "print JSON");
  cmd->callback([json] { std::cout << (*json ? Json() : Text()); });
}

}  // namespace rxTheme::cli
