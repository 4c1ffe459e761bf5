// What the style-sheet parsers did, line by line, for tools that explain a
// sheet to its author. A parser given an observer reports every line as it
// took it; without one it reports nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/property_info.h"

namespace rxTheme {

enum class ParseEventKind : uint8_t {
  kStyleTag,        // a "<style>" or "</style>" line outside a block, skipped
  kSelector,        // a selector line; name: the remembered selector name
  kBlockOpened,     // name: the remembered selector; slot: its key, or null for
                    // a selector that names no slot
  kBlockClosed,     // a "}" line; slot as for the block it closes
  kDeclaration,     // property: the row matched; value: the value stored; slot:
                    // the object's key, or null for an object of no slot
  kIgnoredInBlock,  // a line in a block that starts with no property prefix
  kBraceInBlock,    // such a line that holds "{" (a block is already open)
  kOneLineRule,     // base sheet: a "{" line whose remembered selector names no
                    // slot. name: its first word; slot: the word's slot, whose
                    // working folder was set, or null; image_set: the
                    // background image was set to value
  kUnclosedBlock,   // the sheet ended inside a block; line_number and line are
                    // those of the line that opened it
  kError,           // the automation error `error` stops the parse at this line
};

// Views into the sheet and the parser's state: valid during the call only.
struct ParseEvent {
  ParseEventKind kind;
  size_t line_number = 0;      // 1-based
  std::u16string_view line{};  // as the parser took it: no CR LF, leading tabs dropped
  std::u16string_view name{};  // kSelector, kBlockOpened, kOneLineRule
  const char16_t* slot = nullptr;
  const PropertyInfo* property = nullptr;  // kDeclaration
  std::u16string_view value{};             // kDeclaration, kOneLineRule
  bool image_set = false;                  // kOneLineRule
  int error = 0;                           // kError
};

class ParseObserver {
 public:
  virtual ~ParseObserver() = default;
  virtual void OnEvent(const ParseEvent& event) = 0;
};

}  // namespace rxTheme
