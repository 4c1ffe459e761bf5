// Pieces of the style-sheet parsers that the sections share: the line reader
// with its block state and observer reports, style tag lines, class selector
// names, and declarations matched against a property table.
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <utility>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/runtime/wstring.h>
#include "sections/parse_observer.h"
#include "sections/theme_support.h"
#include "settings/property_info.h"

namespace rxTheme {

// `line` without its leading and trailing spaces (tabs stay).
std::u16string_view TrimmedSpaces(std::u16string_view line);

// True for a line that holds "<style>" or "</style>" anywhere, in any case.
bool IsStyleTagLine(std::u16string_view line);

// The name that a class selector line selects: the line trimmed of spaces,
// less a leading "a:", then ".mstheme", then "a:", then "-" (each tested once,
// in that order, case-sensitively); "Base" when nothing is left.
WString ClassSelectorName(std::u16string_view line);

inline constexpr size_t kNoDeclaration = static_cast<size_t>(-1);

// The position of the row of `table` whose prefix starts the line (letter
// case ignored, the line not trimmed), or kNoDeclaration. At most one can:
// every prefix ends at its only colon.
size_t MatchDeclaration(std::u16string_view line, std::span<const PropertyInfo> table);

// Sets `value` to what `reader` takes from a declaration line (CssUrl raises
// 5), reusing its storage.
void ReadDeclarationValue(ValueReader reader, std::u16string_view line, WString& value);

// Reads a style sheet line by line without copying it, keeps the parser's
// block state and tells the observer, if any, what the parser did.
//
// The sheet is the caller's `text`, which the parse consumes: when the reader
// goes away, `text` holds only what follows the last line read, so it is empty
// after a complete parse and starts after the failing line when an error
// stopped it.
class SheetReader {
 public:
  SheetReader(WString& text, ParseObserver* observer) : text_(text), observer_(observer) {}
  ~SheetReader() { text_.erase(0, pos_); }
  SheetReader(const SheetReader&) = delete;
  SheetReader& operator=(const SheetReader&) = delete;

  // Calls handle(line) for every line (as NextLine takes it), then reports a
  // block left open. An automation error from `handle` is reported and passed
  // on; the lines after it are not read.
  template <class Handle>
  void ForEachLine(Handle&& handle);

  bool InBlock() const { return in_block_; }
  // Starts a block for the object of `slot` (a slot key, or null).
  void OpenBlock(std::u16string_view selector, const char16_t* slot);
  // Ends the block.
  void CloseBlock();

  // A line inside a block: true when, trimmed of spaces, it is "}" (the caller
  // then closes the block). Otherwise the first row of `table` whose prefix
  // starts the line (letter case ignored, the line not trimmed) gives the
  // value that store(position, value) stores into the block's object; a line
  // that matches no row is ignored.
  template <class Store>
  bool IsBlockEnd(std::u16string_view line, std::span<const PropertyInfo> table, Store&& store);

  // Reports an event of the current line.
  void Report(ParseEvent event) {
    if (observer_ == nullptr) return;
    event.line_number = number_;
    event.line = line_;
    observer_->OnEvent(event);
  }

 private:
  WString& text_;
  ParseObserver* observer_;
  size_t pos_ = 0;     // where the next line starts
  size_t number_ = 0;  // 1-based number of the current line
  std::u16string_view line_;
  bool in_block_ = false;
  const char16_t* block_slot_ = nullptr;
  size_t block_number_ = 0;  // where the open block started
  std::u16string_view block_line_;
  WString value_;  // the value of the current declaration
};

template <class Handle>
void SheetReader::ForEachLine(Handle&& handle) {
  try {
    while (pos_ < text_.size()) {
      line_ = ReadLine(text_, pos_);
      ++number_;
      handle(line_);
    }
  } catch (const AutomationError& error) {
    Report({.kind = ParseEventKind::kError, .error = error.Number()});
    throw;
  }
  if (in_block_ && observer_ != nullptr) {
    observer_->OnEvent({.kind = ParseEventKind::kUnclosedBlock,
                        .line_number = block_number_,
                        .line = block_line_});
  }
}

template <class Store>
bool SheetReader::IsBlockEnd(std::u16string_view line, std::span<const PropertyInfo> table,
                             Store&& store) {
  if (TrimmedSpaces(line) == u"}") return true;
  if (const size_t property = MatchDeclaration(line, table); property != kNoDeclaration) {
    ReadDeclarationValue(table[property].reader, line, value_);
    store(property, std::as_const(value_));
    Report({.kind = ParseEventKind::kDeclaration,
            .slot = block_slot_,
            .property = &table[property],
            .value = value_});
    return false;
  }
  const bool brace = line.find(u'{') != std::u16string_view::npos;
  Report({.kind = brace ? ParseEventKind::kBraceInBlock : ParseEventKind::kIgnoredInBlock});
  return false;
}

}  // namespace rxTheme
