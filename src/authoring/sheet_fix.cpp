#include "authoring/sheet_fix.h"

#include <algorithm>
#include <optional>

#include <rxtheme/authoring/findings.h>
#include "authoring/check_support.h"
#include "authoring/color_names.h"
#include "authoring/css_reading.h"
#include "authoring/sheet_tables.h"
#include "sections/css_parse.h"

namespace rxTheme {
namespace {

using std::string;
using std::string_view;
constexpr size_t kNone = string_view::npos;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

string_view Trimmed(string_view text) {
  while (!text.empty() && IsSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsSpace(text.back())) text.remove_suffix(1);
  return text;
}

// Runs of spaces, tabs and line breaks made one space.
string OneLine(string_view text) {
  string out;
  for (const char c : Trimmed(text)) {
    if (!IsSpace(c)) {
      out += c;
    } else if (out.empty() || out.back() != ' ') {
      out += ' ';
    }
  }
  return out;
}

bool StartsWithNoCase(string_view text, string_view prefix) {
  return text.size() >= prefix.size() &&
         EqualsNoCase(Widen(text.substr(0, prefix.size())), Widen(prefix));
}

string Lower(string_view text) {
  string out(text);
  std::transform(out.begin(), out.end(), out.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return out;
}

string RgbText(int64_t r, int64_t g, int64_t b) {
  return "rgb(" + std::to_string(r) + ", " + std::to_string(g) + ", " + std::to_string(b) + ")";
}

// A color as the color reader takes it: #hex and names as rgb(), an rgb()
// with percentages, tabs or other forms as the plain numbers CSS reads.
string FixedColor(string_view value) {
  const string css = Narrow(CssTextValue(u":" + Widen(value)));
  if (css.starts_with('#') && (css.size() == 4 || css.size() == 7) &&
      css.find_first_not_of("0123456789abcdefABCDEF", 1) == string::npos) {
    string hex = css.substr(1);
    if (hex.size() == 3) hex = {hex[0], hex[0], hex[1], hex[1], hex[2], hex[2]};
    return RgbText(std::stoi(hex.substr(0, 2), nullptr, 16),
                   std::stoi(hex.substr(2, 2), nullptr, 16),
                   std::stoi(hex.substr(4, 2), nullptr, 16));
  }
  if (const auto named = NamedColor(css)) return RgbText((*named)[0], (*named)[1], (*named)[2]);
  if (StartsWithNoCase(css, "rgb(") && css.ends_with(')')) {
    if (const auto both = ReadRgbBothWays(u"color: " + Widen(css)); both && both->css) {
      const auto& c = *both->css;
      return RgbText(c[0], c[1], c[2]);
    }
  }
  return css;
}

// A value read from url(...): the name without quotes and spaces (a
// picture's in lower case); a text value not written in url() is put in it.
string FixedUrl(string_view value, bool picture) {
  const string css = Narrow(CssTextValue(u":" + Widen(value)));
  if (StartsWithNoCase(css, "url(") && css.ends_with(')')) {
    string_view inner = Trimmed(string_view(css).substr(4, css.size() - 5));
    if (inner.size() >= 2 && (inner.front() == '\'' || inner.front() == '"') &&
        inner.back() == inner.front()) {
      inner = Trimmed(inner.substr(1, inner.size() - 2));
    }
    return "url(" + (picture ? Lower(inner) : string(inner)) + ")";
  }
  if (!picture && !css.empty() && !StartsWithNoCase(css, "url(")) return "url(" + css + ")";
  return css;
}

// The parts of a rule's block: declarations (split at ";" outside quotes,
// parentheses and comments) and comments.
struct Item {
  string text;
  size_t offset;  // where it starts in the sheet
  bool comment;
};

class Fixer {
 public:
  Fixer(PieceRole role, string_view bytes) : kind_(KindOf(role)), role_(role), in_(bytes) {
    starts_.push_back(0);
    for (size_t i = 0; i < in_.size(); ++i) {
      if (in_[i] == '\r' && i + 1 < in_.size() && in_[i + 1] == '\n') {
        starts_.push_back(i + 2);
        ++i;
      } else if (in_[i] == '\n' || in_[i] == '\r') {
        bare_ = true;
        starts_.push_back(i + 1);
      }
    }
  }

  FixedSheet Run() {
    size_t pos = 0;
    while (true) {
      const size_t from = pos;
      while (pos < in_.size() && IsSpace(in_[pos])) ++pos;
      if (pos >= in_.size()) break;
      // Blank lines between the parts stay.
      if (!out_.empty()) {
        for (size_t blank = LineOf(pos) - LineOf(from); blank > 1; --blank) out_.emplace_back();
      }
      if (StartsWithNoCase(in_.substr(pos), "<style") ||
          StartsWithNoCase(in_.substr(pos), "</style")) {
        pos = TopLevelLine(pos, in_.find('>', pos), 1);
      } else if (in_.substr(pos).starts_with("/*")) {
        pos = TopLevelLine(pos, in_.find("*/", pos + 2), 2);
      } else if (in_[pos] == '}') {
        Change(pos, u"a \"}\" outside a rule removed (it was read as a selector)");
        ++pos;
      } else {
        pos = Rule(pos);
      }
    }
    FixedSheet fixed;
    for (const string& line : out_) fixed.text += line + "\r\n";
    const bool ended = !in_.empty() && (in_.back() == '\n' || in_.back() == '\r');
    if (!ended && !fixed.text.empty()) fixed.text.resize(fixed.text.size() - 2);
    if (bare_) changes_.insert(changes_.begin(), {0, u"line ends made CR LF"});
    if (fixed.text == in_) changes_.clear();
    fixed.changes = std::move(changes_);
    return fixed;
  }

 private:
  size_t LineOf(size_t offset) const {
    return static_cast<size_t>(std::upper_bound(starts_.begin(), starts_.end(), offset) -
                               starts_.begin());
  }
  size_t LineEnd(size_t offset) const {
    const size_t line = LineOf(offset);
    return line < starts_.size() ? starts_[line] : in_.size();
  }
  void Change(size_t offset, WString what) {
    const size_t line = LineOf(offset);
    changes_.push_back({line, std::move(what)});
  }
  bool AloneOnLine(size_t begin, size_t end) const {
    const size_t line_start = starts_[LineOf(begin) - 1];
    return Trimmed(in_.substr(line_start, begin - line_start)).empty() &&
           Trimmed(in_.substr(end, LineEnd(begin) - std::min(end, LineEnd(begin)))).empty();
  }

  // A style tag or a comment outside the rules, kept on a line of its own.
  size_t TopLevelLine(size_t pos, size_t close, size_t close_size) {
    const size_t end = close == kNone ? in_.size() : close + close_size;
    out_.push_back(OneLine(in_.substr(pos, end - pos)));
    if (!AloneOnLine(pos, end)) Change(pos, u"put on a line of its own");
    return end;
  }

  // The end of a block opened before `pos`: its "}" (or the sheet's end).
  size_t BlockEnd(size_t pos, std::vector<Item>& items) const {
    size_t start = pos;
    char quote = 0;
    int depth = 0;
    for (; pos < in_.size(); ++pos) {
      const char c = in_[pos];
      if (quote != 0) {
        if (c == quote) quote = 0;
      } else if (c == '"' || c == '\'') {
        quote = c;
      } else if (c == '(') {
        ++depth;
      } else if (c == ')' && depth > 0) {
        --depth;
      } else if (c == '/' && pos + 1 < in_.size() && in_[pos + 1] == '*') {
        AddItem(items, start, pos);
        const size_t close = in_.find("*/", pos + 2);
        const size_t end = close == kNone ? in_.size() : close + 2;
        items.push_back({OneLine(in_.substr(pos, end - pos)), pos, true});
        pos = end - 1;
        start = end;
      } else if (depth == 0 && (c == ';' || c == '}')) {
        AddItem(items, start, pos);
        start = pos + 1;
        if (c == '}') return pos;
      }
    }
    AddItem(items, start, pos);
    return in_.size();
  }
  void AddItem(std::vector<Item>& items, size_t begin, size_t end) const {
    const string_view text = in_.substr(begin, end - begin);
    const string_view trimmed = Trimmed(text);
    if (trimmed.empty()) return;
    items.push_back(
        {string(trimmed), begin + static_cast<size_t>(trimmed.data() - text.data()), false});
  }

  // A rule from its selector on; returns where the next part starts.
  size_t Rule(size_t pos) {
    size_t open = pos;
    while (open < in_.size() && in_[open] != '{' && in_[open] != ';' && in_[open] != '}') {
      if (in_.substr(open).starts_with("/*")) {
        const size_t close = in_.find("*/", open + 2);
        if (close == kNone) break;
        open = close + 2;
      } else {
        ++open;
      }
    }
    if (open >= in_.size() || in_[open] != '{') {
      // No rule: a line that the parsers read as a selector, kept as written.
      const size_t end = LineEnd(pos);
      out_.push_back(string(Trimmed(in_.substr(pos, end - pos))));
      return end > pos ? end : in_.size();
    }
    string selectors(in_.substr(pos, open - pos));
    for (size_t c = selectors.find("/*"); c != string::npos; c = selectors.find("/*")) {
      selectors.erase(c, selectors.find("*/", c) == string::npos ? string::npos
                                                                 : selectors.find("*/", c) + 2 - c);
    }
    selectors = OneLine(selectors);
    std::vector<Item> items;
    const size_t close = BlockEnd(open + 1, items);
    const size_t next = close < in_.size() ? close + 1 : close;

    // The base sheet's one-line rule that sets the body's background picture
    // stays one line; it must not follow a rule's "}", or it opens that rule.
    if (role_ == PieceRole::kBaseSheet && LineOf(pos) == LineOf(close) && items.size() == 1 &&
        StartsWithNoCase(items[0].text, "background-image:")) {
      if (!out_.empty() && out_.back() == "}") {
        out_.push_back("/* background picture */");
        Change(pos,
               u"a comment line put before the one-line rule, which would otherwise open "
               u"the rule before it");
      }
      out_.push_back(string(Trimmed(in_.substr(pos, next - pos))));
      return next;
    }

    std::vector<string> names;
    for (size_t start = 0;;) {
      const size_t comma = selectors.find(',', start);
      names.push_back(string(Trimmed(string_view(selectors).substr(start, comma - start))));
      if (comma == string::npos) break;
      start = comma + 1;
    }
    if (names.size() > 1) {
      Change(pos, u"the selectors " + Quoted(Widen(selectors)) + u" written as a rule each");
    }
    if (!AloneOnLine(open, open + 1)) Change(open, u"\"{\" put on a line of its own");
    if (close < in_.size() && !AloneOnLine(close, close + 1)) {
      Change(close, u"\"}\" put on a line of its own");
    }
    std::vector<string> body;
    for (const Item& item : items)
      body.push_back(item.comment ? "\t" + item.text : Declaration(item));
    for (const string& name : names) {
      out_.push_back(name);
      out_.push_back("{");
      out_.insert(out_.end(), body.begin(), body.end());
      out_.push_back("}");
    }
    if (close >= in_.size()) Change(open, u"the missing \"}\" added at the end");
    return next;
  }

  // A declaration on a line of its own, indented by a tab, its value in the
  // form its reader takes.
  string Declaration(const Item& item) {
    const size_t colon = item.text.find(':');
    if (colon == string::npos) return "\t" + item.text;
    const string name = string(Trimmed(string_view(item.text).substr(0, colon)));
    const string value = string(Trimmed(string_view(item.text).substr(colon + 1)));
    const PropertyInfo* property = FindProperty(kind_, Widen(name));
    string fixed_name = name;
    string fixed = value;
    if (property != nullptr) {
      fixed_name = Narrow(property->prefix.substr(0, property->prefix.size() - 1));
      switch (property->reader) {
        case ValueReader::kColor:
          fixed = FixedColor(value);
          break;
        case ValueReader::kUrl:
          fixed = FixedUrl(value, property->kind == PropertyKind::kImage);
          break;
        case ValueReader::kValue:
          fixed = Narrow(CssTextValue(u":" + Widen(value)));
          break;
      }
    }
    const string line = "\t" + fixed_name + ": " + fixed + ";";
    const size_t line_start = starts_[LineOf(item.offset) - 1];
    const string_view before = in_.substr(line_start, item.offset - line_start);
    const string_view written = Trimmed(in_.substr(line_start, LineEnd(item.offset) - line_start));
    if (!Trimmed(before).empty()) {
      Change(item.offset, u"the declaration put on a line of its own");
    } else if (before != "\t") {
      Change(item.offset, u"indented by a tab");
    }
    if (!Trimmed(before).empty() || !written.starts_with(item.text)) {
      // More than this declaration on its line: its value alone.
      if (fixed != value) {
        Change(item.offset, Quoted(Widen(value)) + u" written as " + Quoted(Widen(fixed)));
      }
    } else if (written != Trimmed(line) &&
               (fixed != value || written.size() > item.text.size() + 1)) {
      Change(item.offset, Quoted(Widen(written)) + u" written as " + Quoted(Widen(Trimmed(line))));
    }
    return line;
  }

  const SheetKind& kind_;
  PieceRole role_;
  string_view in_;
  std::vector<size_t> starts_;  // where each editor line starts
  bool bare_ = false;           // a line ends otherwise than with CR LF
  std::vector<string> out_;
  std::vector<SheetChange> changes_;
};

}  // namespace

FixedSheet FixSheet(PieceRole role, std::string_view bytes) { return Fixer(role, bytes).Run(); }

}  // namespace rxTheme
