#include "authoring/sheet_check.h"

#include <optional>
#include <string>
#include <utility>

#include "authoring/check_support.h"
#include "authoring/editor_lines.h"
#include "authoring/sheet_tables.h"
#include "authoring/value_check.h"
#include "sections/css_parse.h"
#include "sections/theme_support.h"
#include "theme/sheet_parse.h"

namespace rxTheme {
namespace {

using std::u16string_view;
constexpr size_t kNone = u16string_view::npos;

WString Number(int64_t n) { return Widen(std::to_string(n)); }

// Whether `text` holds only tabs after position `from` (at least one).
bool TrimmedBlanksAfter(u16string_view text, size_t from) {
  return text.size() > from && text.find_first_not_of(u'\t', from) == kNone;
}

// The name of `names` nearest to `word` (letter case ignored), or "".
WString NearestName(u16string_view word, const std::vector<WString>& names) {
  std::vector<std::string> narrow;
  for (const WString& name : names) narrow.push_back(Narrow(name));
  return Widen(Nearest(Narrow(LCase(word)), narrow));
}

// The sheets whose parser knows the declaration `name:`, for a property
// written into the wrong sheet.
WString SheetsKnowing(u16string_view name) {
  WString files;
  for (const SheetKind& kind : SheetKinds()) {
    if (FindProperty(kind, name) == nullptr) continue;
    for (const char* file : kind.file_names) {
      if (file != nullptr) files += (files.empty() ? u"" : u", ") + Widen(file);
    }
  }
  return files;
}

// Whether a line outside a rule reads like a declaration: it ends with ";",
// or it starts with a property of any sheet and ":".
bool LooksLikeDeclaration(u16string_view trimmed) {
  const size_t colon = trimmed.find(u':');
  return trimmed.ends_with(u';') ||
         (colon != kNone && !SheetsKnowing(TrimmedSpaces(trimmed.substr(0, colon))).empty());
}

// Whether a selector line names the style of `slot` as CSS would name it:
// the style's name, in graphics and base sheets also ".mstheme-NAME" (and
// ".mstheme" for base), in color sheets "a:NAME" for the link states.
bool NamesStyle(const SheetKind& kind, u16string_view selector, const char16_t* slot) {
  const bool color = kind.role == PieceRole::kColorSheet;
  u16string_view name = selector;
  if (color && name.starts_with(u"a:")) {
    name.remove_prefix(2);
    if (!EqualsNoCase(name, u"link") && !EqualsNoCase(name, u"visited") &&
        !EqualsNoCase(name, u"active")) {
      return false;
    }
  } else if (!color && name == u".mstheme") {
    return EqualsNoCase(slot, u"base");
  } else if (!color && name.starts_with(u".mstheme-")) {
    name.remove_prefix(9);
  }
  for (const SlotInfo& info : kind.slots) {
    if (!EqualsNoCase(info.key, slot)) continue;
    return EqualsNoCase(name, info.key) ||
           (info.alias != nullptr && EqualsNoCase(name, info.alias));
  }
  return false;
}

// A line that holds a whole rule: "{", then "}" after it.
bool IsOneLineRule(u16string_view line) {
  const size_t brace = line.find(u'{');
  return brace != kNone && line.find(u'}', brace) != kNone;
}

// Where the next piece of a sheet to parse starts: the first line at or
// after `from` + kPieceSize that follows a "}" line and is itself a selector
// line (in the base sheet one without "{"; in the others not "{" alone, and
// in neither a style tag line). After a "}" line every parser is outside a
// rule, and the selector line makes it forget the one before: the pieces
// parse as the whole sheet does. The sheet's end when there is no such line.
constexpr size_t kPieceSize = 1 << 20;

bool IsCloseLine(std::string_view line) {
  while (!line.empty() && line.front() == '\t') line.remove_prefix(1);
  while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
  return line == "}";
}

bool IsSelectorLine(std::string_view line, bool base) {
  const WString wide = Widen(line);
  if (IsStyleTagLine(wide)) return false;
  if (base) return line.find('{') == std::string_view::npos;
  u16string_view text = wide;
  while (!text.empty() && text.front() == u'\t') text.remove_prefix(1);
  return TrimmedSpaces(text) != u"{";
}

size_t NextPiece(std::string_view bytes, size_t from, bool base) {
  size_t pos = bytes.find("\r\n", from + kPieceSize);
  if (from + kPieceSize >= bytes.size() || pos == std::string_view::npos) return bytes.size();
  pos += 2;
  std::string_view previous;
  while (pos < bytes.size()) {
    size_t end = bytes.find("\r\n", pos);
    if (end == std::string_view::npos) return bytes.size();
    const std::string_view line = bytes.substr(pos, end - pos);
    if (IsCloseLine(previous) && IsSelectorLine(line, base)) return pos;
    previous = line;
    pos = end + 2;
  }
  return bytes.size();
}

// Passes the events of a piece on, its line numbers counted from the
// sheet's start.
class ShiftedLines final : public ParseObserver {
 public:
  explicit ShiftedLines(ParseObserver& to) : to_(to) {}
  void OnEvent(const ParseEvent& e) override {
    ParseEvent shifted = e;
    shifted.line_number += offset;
    to_.OnEvent(shifted);
  }
  size_t offset = 0;

 private:
  ParseObserver& to_;
};

class SheetChecker final : public ParseObserver {
 public:
  SheetChecker(const SheetToCheck& sheet, const EditorLines& lines, bool errors_only,
               Findings& findings, PictureUses& pictures)
      : sheet_(sheet),
        kind_(KindOf(sheet.role)),
        lines_(lines),
        errors_only_(errors_only),
        findings_(findings),
        pictures_(pictures) {}

  void OnEvent(const ParseEvent& e) override {
    if (e.kind != ParseEventKind::kBraceInBlock) FlushPending();
    switch (e.kind) {
      case ParseEventKind::kStyleTag:
        break;
      case ParseEventKind::kSelector:
        OnSelector(e);
        break;
      case ParseEventKind::kBlockOpened:
        OnBlockOpened(e);
        break;
      case ParseEventKind::kBlockClosed:
        closed_ = true;
        break;
      case ParseEventKind::kDeclaration:
        if (e.slot != nullptr && first_stored_ == 0) first_stored_ = e.line_number;
        if (e.slot != nullptr && !e.value.empty()) ++values_set_;
        if (e.slot != nullptr) Store(e.slot, e.property->name, e.value);
        OnDeclaration(e);
        break;
      case ParseEventKind::kIgnoredInBlock:
        OnIgnored(e);
        break;
      case ParseEventKind::kBraceInBlock:
        pending_.reset();
        if (IsOneLineRule(e.line)) {
          Add(e.line_number, Severity::kWarning, "missing-close",
              u"a one-line rule inside the rule of " + Quoted(block_name_) + u" opened on line " +
                  LineNumber(block_line_) +
                  u": a \"}\" is missing before it, so this rule is lost " +
                  u"(nothing of it is stored anywhere), and the declarations up to the next " +
                  u"\"}\" still go to " + Quoted(block_name_));
          break;
        }
        if (quiet_block_) break;
        Add(e.line_number, Severity::kWarning, "missing-close",
            u"\"{\" inside the rule of " + Quoted(block_name_) + u" opened on line " +
                LineNumber(block_line_) + u": a \"}\" is missing before it, so the declarations " +
                u"up to the next \"}\" still go to " + Quoted(block_name_));
        break;
      case ParseEventKind::kOneLineRule:
        if (e.image_set && !e.value.empty()) ++values_set_;
        if (e.image_set && e.slot != nullptr) Store(e.slot, u"BackgroundImage", e.value);
        OnOneLineRule(e);
        break;
      case ParseEventKind::kUnclosedBlock:
        if (quiet_block_) break;
        Add(e.line_number, Severity::kWarning, "missing-close",
            u"the rule of " + Quoted(block_name_) + u" is never closed: \"}\" is missing");
        break;
      case ParseEventKind::kError:
        if (e.error == kInvalidProcedureCall) {
          Add(e.line_number, Severity::kError, "url-unclosed",
              u"url( without \")\": loading stops here with error 5, and nothing after this "
              u"line is read");
        } else {
          Add(e.line_number, Severity::kError, "load-error",
              u"loading stops here with error " + Number(e.error));
        }
        break;
    }
  }

  // Reports what the last line left pending; returns the first line that
  // stored a value into a style (0 when none did).
  size_t Finish() {
    FlushPending();
    return first_stored_;
  }
  size_t ValuesSet() const { return values_set_; }
  const std::set<std::pair<WString, WString>>& Set() const { return set_; }

  // A finding at the parser's line `line`, named by its editor line.
  void Add(size_t line, Severity severity, const char* code, WString message) {
    if (errors_only_ && severity != Severity::kError) return;
    // A line read together with the next one: its line-ends warning says
    // why the parser takes it otherwise.
    if (severity == Severity::kWarning && lines_.Joined(line)) return;
    findings_.Add(sheet_.rank, {sheet_.file, lines_.Of(line), severity, code, std::move(message)});
  }

 private:
  void OnSelector(const ParseEvent& e) {
    const u16string_view trimmed = TrimmedSpaces(e.line);
    closed_ = false;
    if (lost_rule_) {
      lost_rule_ = trimmed != u"}";
      return;
    }
    const size_t brace = trimmed.find(u'{');
    if (trimmed.empty()) {
      blank_after_selector_ = true;
      return;
    }
    if (brace != kNone && trimmed.find(u'}', brace) != kNone) {
      Add(e.line_number, Severity::kWarning, "one-line-rule",
          u"this sheet has no one-line rules: the line is read as a selector and its "
          u"declarations are lost; put the selector, \"{\", each declaration and \"}\" on lines "
          u"of their own");
    } else if (brace == 0 && TrimmedBlanksAfter(trimmed, 1)) {
      Add(e.line_number, Severity::kWarning, "brace-not-alone",
          u"a tab after \"{\" makes the line a selector, not the \"{\" of a rule: up to the "
          u"next \"}\" line, the rule's lines are read as selectors and lost; delete the tab");
      lost_rule_ = true;
    } else if (brace != kNone) {
      BraceNotAlone(e.line_number);
    } else if (trimmed == u"}") {
      Add(e.line_number, Severity::kWarning, "stray-close",
          u"\"}\" outside a rule: it is read as a selector");
    } else if (LooksLikeDeclaration(trimmed)) {
      Add(e.line_number, Severity::kWarning, "outside-rule",
          u"a declaration outside a rule is read as a selector, and its value is lost");
    } else {
      selector_line_ = e.line_number;
      selector_ = trimmed;
      blank_after_selector_ = false;
      reported_last_ = false;
      return;
    }
    // Reported: a "{" right after it adds nothing new.
    blank_after_selector_ = true;
    reported_last_ = true;
  }

  void BraceNotAlone(size_t line) {
    Add(line, Severity::kWarning, "brace-not-alone",
        u"the selector and \"{\" on one line: \"{\" must stand alone on the next line; up to the "
        u"next \"}\" line, the rule's lines are read as selectors and lost");
    lost_rule_ = true;
  }

  void OnBlockOpened(const ParseEvent& e) {
    const u16string_view trimmed = TrimmedSpaces(e.line);
    lost_rule_ = false;
    // "{" alone, or followed by tabs only (the base sheet opens its rule so).
    const bool alone =
        trimmed == u"{" || (trimmed.starts_with(u'{') && TrimmedBlanksAfter(trimmed, 1));
    quiet_block_ = !alone;
    if (alone) {
      if (!reported_last_) CheckSelectorOf(e);
    } else if (trimmed.starts_with(u'{')) {
      Add(e.line_number, Severity::kWarning, "brace-not-alone",
          u"the text after \"{\" is ignored, \"}\" included: put each declaration on a line of "
          u"its own");
    } else {
      Add(e.line_number, Severity::kWarning, "brace-not-alone",
          u"the selector and \"{\" on one line: this line opens the rule of " + Quoted(e.name) +
              u" (the last selector line before it), and the rest of it is ignored, "
              u"\"}\" included");
    }
    block_name_ = e.name;
    block_line_ = e.line_number;
    selector_line_ = 0;
    blank_after_selector_ = false;
    reported_last_ = false;
    closed_ = false;
  }

  // A "{" alone on its line: whether a selector line of a style stands
  // right before it.
  void CheckSelectorOf(const ParseEvent& e) {
    if (closed_) {
      Add(e.line_number, Severity::kWarning, "reopened-rule",
          u"\"{\" with no selector line since the last \"}\" opens the rule of " +
              Quoted(block_name_) + u" again");
    } else if (blank_after_selector_ && selector_line_ != 0) {
      Add(e.line_number, Severity::kWarning, "selector-gap",
          u"a line stands between the selector " + Quoted(selector_) + u" on line " +
              LineNumber(selector_line_) + u" and \"{\": the rule goes to " +
              (e.slot ? Quoted(LCase(e.slot)) : WString(u"no style, and is lost")));
    } else if (e.slot != nullptr && selector_line_ == 0) {
      Add(e.line_number, Severity::kWarning, "selector-read-as",
          u"\"{\" with no selector line before it opens the rule of " + Quoted(LCase(e.slot)));
    } else if (e.slot != nullptr && !NamesStyle(kind_, selector_, e.slot)) {
      Add(selector_line_, Severity::kWarning, "selector-read-as",
          u"the selector " + Quoted(selector_) + u" is read as " + Quoted(LCase(e.slot)) +
              u", a style it does not name: its rule's values go to " + Quoted(LCase(e.slot)) +
              u"; write the style's name. The styles: " + StyleList(kind_));
    } else if (e.slot == nullptr) {
      // Named as written, on the selector's own line when it has one.
      const bool named = selector_line_ != 0;
      const WString near = NearestName(ClassSelectorName(LCase(e.name)), StyleNames(kind_));
      Add(named ? selector_line_ : e.line_number, Severity::kWarning, "unknown-selector",
          (named ? u"the selector " + Quoted(selector_) + u" names no style of this sheet"
                 : WString(u"\"{\" with no selector before it")) +
              (near.empty() ? WString() : u" (did you mean " + near + u"?)") +
              u"; its rule is lost. The styles: " + StyleList(kind_));
    }
  }

  void OnIgnored(const ParseEvent& e) {
    const u16string_view trimmed = TrimmedSpaces(e.line);
    if (trimmed.empty() || trimmed.starts_with(u"/*") || IsStyleTagLine(trimmed)) return;
    const size_t colon = trimmed.find(u':');
    if (colon == kNone) {
      pending_ = {e.line_number, "ignored-line", u"not a declaration: the line is ignored"};
      return;
    }
    const u16string_view name = TrimmedSpaces(trimmed.substr(0, colon));
    if (FindProperty(kind_, name) != nullptr) {
      pending_ = e.line.starts_with(u' ')
                     ? Pending{e.line_number, "space-indent",
                               u"a declaration indented by spaces is ignored: indent it with tabs"}
                     : Pending{e.line_number, "unknown-property",
                               u"a space before \":\" hides the property " + Quoted(name) +
                                   u": the line is ignored"};
      return;
    }
    WString message = Quoted(name) + u" is not a property of this sheet: the line is ignored";
    if (const WString elsewhere = SheetsKnowing(name); !elsewhere.empty()) {
      message += u" (it belongs in " + elsewhere + u")";
    } else {
      std::vector<WString> names;
      for (const PropertyInfo& p : kind_.properties)
        names.emplace_back(p.prefix.substr(0, p.prefix.size() - 1));
      const WString near = NearestName(name, names);
      if (!near.empty()) message += u" (did you mean " + near + u"?)";
    }
    pending_ = {e.line_number, "unknown-property", std::move(message)};
  }

  void OnDeclaration(const ParseEvent& e) {
    switch (e.property->reader) {
      case ValueReader::kColor:
        CheckColor(e);
        break;
      case ValueReader::kUrl:
        CheckUrl(e.line_number, CssValueText(e.line), e.value, ContainsNoCase(e.line, u"url"),
                 e.property->kind == PropertyKind::kImage);
        break;
      case ValueReader::kValue:
        if (auto finding = CheckTextValue(e.line, e.value)) {
          Add(e.line_number, Severity::kWarning, finding->code, std::move(finding->message));
        }
        break;
    }
  }

  void CheckColor(const ParseEvent& e) {
    if (auto finding = CheckColorValue(e.line, e.value)) {
      Add(e.line_number, Severity::kWarning, finding->code, std::move(finding->message));
    }
  }

  // A value read from url(...): `stored` is what the parser stored.
  void CheckUrl(size_t line, u16string_view written, u16string_view stored, bool has_url,
                bool picture) {
    WString name;
    if (auto finding = CheckUrlValue(written, stored, has_url, name)) {
      Add(line, Severity::kWarning, finding->code, std::move(finding->message));
    }
    if (picture && !name.empty()) pictures_.Add({sheet_.rank, sheet_.file, line, name});
  }

  // The base sheet's "{" line whose selector names no style: a one-line rule
  // sets the working folder of the style that its first word names and, on
  // a line that mentions body, its background picture; nothing else.
  void OnOneLineRule(const ParseEvent& e) {
    const size_t brace = e.line.find(u'{');
    const size_t close = e.line.find(u'}', brace);
    if (close == kNone) {
      BraceNotAlone(e.line_number);
      return;
    }
    if (e.slot == nullptr) {
      Add(e.line_number, Severity::kWarning, "unknown-selector",
          u"the one-line rule " + Quoted(e.name) + u" names no style of this sheet; it is lost. " +
              u"The styles: " + StyleList(kind_));
      return;
    }
    u16string_view inner = TrimmedSpaces(e.line.substr(brace + 1, close - brace - 1));
    if (inner.ends_with(u';')) inner = TrimmedSpaces(inner.substr(0, inner.size() - 1));
    const bool image_only =
        e.image_set && StartsWithNoCase(inner, u"background-image:") && inner.find(u';') == kNone;
    if (image_only) {
      CheckUrl(e.line_number, CssValueText(inner), e.value, true, true);
      return;
    }
    WString message =
        u"a one-line rule stores none of its declarations, only the working "
        u"folder of " +
        Quoted(LCase(e.slot)) + u"; write it as a block";
    if (e.image_set && !e.value.empty()) {
      pictures_.Add({sheet_.rank, sheet_.file, e.line_number, WString(e.value)});
    }
    if (e.image_set) {
      message +=
          u" (the line names body, so the background picture becomes " + Quoted(e.value) + u")";
    }
    Add(e.line_number, Severity::kWarning, "one-line-rule", std::move(message));
  }

  struct Pending {
    size_t line;
    const char* code;
    WString message;
  };

  void FlushPending() {
    if (!pending_) return;
    Add(pending_->line, Severity::kWarning, pending_->code, std::move(pending_->message));
    pending_.reset();
  }

  // The editor line of the parser's line `line`, for messages.
  WString LineNumber(size_t line) const { return Number(static_cast<int64_t>(lines_.Of(line))); }

  const SheetToCheck& sheet_;
  const SheetKind& kind_;
  const EditorLines& lines_;
  const bool errors_only_;  // the sheet is one line to the parser: only what stops the load counts
  Findings& findings_;
  PictureUses& pictures_;

  bool lost_rule_ = false;    // a selector and "{" on one line: its lines are read as selectors
  bool closed_ = false;       // a rule closed, and no selector line came since
  size_t selector_line_ = 0;  // the last selector line since the last rule (0: none)
  WString selector_;
  bool blank_after_selector_ = false;  // another line came after it
  bool reported_last_ = false;         // the last line outside a rule has a finding
  bool quiet_block_ = false;           // the rule's "{" line has a finding that covers its "}"
  WString block_name_;                 // the selector of the last rule opened
  size_t block_line_ = 0;
  // A line ignored in a rule, reported unless the next line is a "{" that
  // shows a "}" to be missing.
  std::optional<Pending> pending_;
  void Store(const char16_t* slot, const char16_t* property, u16string_view value) {
    std::pair<WString, WString> key{LCase(slot), property};
    if (value.empty()) {
      set_.erase(key);
    } else {
      set_.insert(std::move(key));
    }
  }

  size_t first_stored_ = 0;
  size_t values_set_ = 0;
  std::set<std::pair<WString, WString>> set_;
};

}  // namespace

void PictureUses::Add(PictureUse use) {
  if (none_) return;
  if (files_ != nullptr && files_->count(use.name) != 0) {
    found_.insert(use.name);
    return;
  }
  kept_.push_back(std::move(use));
}

SheetChecked CheckSheet(const SheetToCheck& sheet, Findings& findings, PictureUses& pictures) {
  const EditorLines lines(sheet.bytes);
  const bool one_line = !lines.BareLineEnds().empty() && !lines.HasCrLf();
  SheetChecker checker(sheet, lines, one_line, findings, pictures);
  if (one_line) {
    findings.Add(sheet.rank, {sheet.file, 1, Severity::kError, "line-ends",
                              u"the lines end with LF alone, not CR LF: the parser reads the whole "
                              u"sheet as one line, and nothing in it is read"});
  } else {
    for (const size_t line : lines.BareLineEnds()) {
      findings.Add(sheet.rank, {sheet.file, line, Severity::kWarning, "line-ends",
                                u"this line ends with LF alone, not CR LF: it is read together "
                                u"with the next line"});
    }
  }
  // The sheet is parsed piece by piece, so that only a piece at a time is
  // held in the parsers' wide form.
  int32_t error = 0;
  ShiftedLines shifted(checker);
  const bool base = sheet.role == PieceRole::kBaseSheet;
  for (size_t from = 0; from < sheet.bytes.size() && error == 0;) {
    const size_t to = one_line ? sheet.bytes.size() : NextPiece(sheet.bytes, from, base);
    const std::string_view piece = sheet.bytes.substr(from, to - from);
    error = ToolSheetParser::Parse(sheet.role, sheet.variant_exists ? sheet.variant : 0,
                                   Widen(piece), shifted);
    for (size_t at = piece.find("\r\n"); at != std::string_view::npos;
         at = piece.find("\r\n", at + 2)) {
      ++shifted.offset;
    }
    from = to;
  }
  const size_t stored = checker.Finish();
  const SheetChecked checked{error == 0 && !one_line, checker.ValuesSet(), checker.Set()};
  if (one_line) return checked;
  if (!sheet.variant_exists) {
    const WString variant = u"there is no variant " + Number(sheet.variant) +
                            u" (the digit before \".css\"), only 0 and 1";
    if (stored == 0) {
      checker.Add(0, Severity::kWarning, "bad-variant",
                  variant + u": nothing in this sheet is used");
      return checked;
    }
    checker.Add(stored, Severity::kError, "bad-variant",
                variant + u": loading stops here, at the first value stored, with error 9");
    return {false, checked.values_set, checked.set};
  }
  if (error == 0 && checked.values_set == 0) {
    checker.Add(0, Severity::kError, "sets-nothing",
                u"this sheet sets no value: no rule stores anything but empty values into a "
                u"style, so a page gets nothing from it");
  }
  return checked;
}

}  // namespace rxTheme
