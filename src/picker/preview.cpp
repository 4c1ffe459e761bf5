#include <rxtheme/picker/preview.h>

#include <algorithm>
#include <iterator>
#include <memory>
#include <utility>
#include <vector>

#include <rxtheme/runtime/automation_error.h>
#include <rxtheme/settings/base_object.h>
#include <rxtheme/settings/color_object.h>
#include <rxtheme/settings/graph_object.h>
#include <rxtheme/theme/theme.h>
#include "picker/preview_values.h"

namespace rxTheme {
namespace {

// A value of the page: one fresh call of Color/Base/Graph and one property
// read on the settings object it returns.
using ValueGetter = WString (*)(CTheme&);

template <typename T>
const std::shared_ptr<T>& Require(const std::shared_ptr<T>& object) {
  if (!object) RaiseError(kObjectNotSet);
  return object;
}

#define RX_PREVIEW_VALUE(Accessor, style, Property) \
  [](CTheme& theme) -> WString { return Require(theme.Accessor(style))->Property(); }

#define RX_GETTER(Name, Section, style, Property) \
  const ValueGetter Name = RX_PREVIEW_VALUE(Section, style, Property);
RX_PREVIEW_VALUES(RX_GETTER)
#undef RX_GETTER

#undef RX_PREVIEW_VALUE

// A piece of a line: literal text, or a value when `value` is set.
struct Piece {
  Piece(const char16_t* literal) : text(literal) {}  // NOLINT: the table reads better
  Piece(ValueGetter getter) : value(getter) {}       // NOLINT
  std::u16string_view text;
  ValueGetter value = nullptr;
};

// Which pages carry a line: the first line has a form with and a form without
// the background picture.
enum class Form { kAlways, kBackgroundOn, kBackgroundOff };

struct Line {
  Form form;
  std::vector<Piece> pieces;
};

const char16_t kTable[] =
    u"<table border=\"0\" cellpadding=\"0\" cellspacing=\"0\" width=\"100%\">";

const std::vector<Line>& PageLines() {
  static const std::vector<Line> lines = {
      {Form::kBackgroundOn,
       {u"<body background=\"", kBackgroundImage, u"\"", u" bgcolor=\"", kPageBackgroundColor,
        u"\"", u" text=\"", kTextColor, u"\"", u" link=\"", kLinkColor, u"\"", u" vlink=\"",
        kVisitedLinkColor, u"\"", u" alink=\"", kActiveLinkColor, u"\"", u">"}},
      {Form::kBackgroundOff,
       {u"<body bgcolor=\"", kPageBackgroundColor, u"\"", u" text=\"", kTextColor, u"\"",
        u" link=\"", kLinkColor, u"\"", u" vlink=\"", kVisitedLinkColor, u"\"", u" alink=\"",
        kActiveLinkColor, u"\"", u">"}},
      {Form::kAlways, {u"<img src=\"", kBannerImage, u"\">"}},
      {Form::kAlways, {u"<h1>"}},
      {Form::kAlways,
       {u"   ", u"<font face=\"", kHeading1Typeface, u"\" color=\"", kHeading1Color, u"\">"}},
      {Form::kAlways, {u"       ", u"Heading 1"}},
      {Form::kAlways, {u"   ", u"</font>"}},
      {Form::kAlways, {u"</h1>"}},
      {Form::kAlways, {u"<font face=\"", kBodyTypeface, u"\">"}},
      {Form::kAlways, {kTable}},
      {Form::kAlways, {u"<tr>"}},
      {Form::kAlways,
       {u"<td valign=\"baseline\" width=\"42\"><img src=\"", kBulletImage1,
        u"\" width=\"20\" height=\"20\" hspace=\"11\"></td>"}},
      {Form::kAlways, {u"<td valign=\"top\" width=\"100%\">Bullet 1"}},
      {Form::kAlways, {kTable}},
      {Form::kAlways, {u"<tr>"}},
      {Form::kAlways,
       {u"<td valign=\"baseline\" width=\"42\"><img src=\"", kBulletImage2,
        u"\" width=\"12\" height=\"12\" hspace=\"15\"></td>"}},
      {Form::kAlways, {u"<td valign=\"top\" width=\"100%\">Bullet 2"}},
      {Form::kAlways, {kTable}},
      {Form::kAlways, {u"<tr>"}},
      {Form::kAlways,
       {u"<td valign=\"baseline\" width=\"42\"><img src=\"", kBulletImage3,
        u"\" width=\"12\" height=\"12\" hspace=\"15\"></td>"}},
      {Form::kAlways, {u"<td valign=\"top\" width=\"100%\">Bullet 3"}},
      {Form::kAlways, {u"</td>"}},
      {Form::kAlways, {u"</tr>"}},
      {Form::kAlways, {u"</table>"}},
      {Form::kAlways, {u"</td>"}},
      {Form::kAlways, {u"</tr>"}},
      {Form::kAlways, {u"</table>"}},
      {Form::kAlways, {u"</td>"}},
      {Form::kAlways, {u"</tr>"}},
      {Form::kAlways, {u"</table>"}},
      {Form::kAlways, {u"</font>"}},
      {Form::kAlways, {u"<h2>"}},
      {Form::kAlways,
       {u"   ", u"<font face=\"", kHeading2Typeface, u"\" color=\"", kHeading2Color, u"\">"}},
      {Form::kAlways, {u"       ", u"Heading 2"}},
      {Form::kAlways, {u"   ", u"</font>"}},
      {Form::kAlways, {u"</h2>"}},
      {Form::kAlways, {u"Regular Text Sample<br><br>"}},
      {Form::kAlways, {u"<img src=\"", kSeparatorImage, u"\"><br><br>"}},
      {Form::kAlways, {u"<img src=\"", kPrevButtonImage, u"\">"}},
      {Form::kAlways, {u"<img src=\"", kHomeButtonImage, u"\">"}},
      {Form::kAlways, {u"<img src=\"", kUpButtonImage, u"\">"}},
      {Form::kAlways, {u"<img src=\"", kNextButtonImage, u"\">"}},
      {Form::kAlways, {u"<br>"}},
      {Form::kAlways, {u"<u><font color=\"", kLinkColor, u"\">Regular Link</font></u><br>"}},
      {Form::kAlways,
       {u"<u><font color=\"", kVisitedLinkColor, u"\">Followed Link</font></u><br>"}},
      {Form::kAlways, {u"<u><font color=\"", kActiveLinkColor, u"\">Active Link</font></u><br>"}},
      {Form::kAlways, {u"</body>"}},
  };
  return lines;
}

// The value with the characters that end or change an attribute or element
// written as character references.
WString EscapeHtml(const WString& value) {
  static constexpr std::pair<char16_t, std::u16string_view> kReferences[] = {
      {u'&', u"&amp;"}, {u'<', u"&lt;"}, {u'>', u"&gt;"}, {u'"', u"&quot;"}};
  WString out;
  for (char16_t unit : value) {
    const auto* reference = std::find_if(std::begin(kReferences), std::end(kReferences),
                                         [unit](const auto& r) { return r.first == unit; });
    if (reference == std::end(kReferences)) {
      out += unit;
    } else {
      out += reference->second;
    }
  }
  return out;
}

}  // namespace

void AddPreviewLine(WString& preview_html, std::u16string_view line) {
  preview_html.append(line);
  preview_html.append(u"\r\n");
}

void BuildPreview(CTheme& theme, bool vivid, bool active, bool background, WString& preview_html,
                  PreviewEscaping escaping) {
  theme.ColorIndex(vivid ? 1 : 0);
  theme.GraphIndex(active ? 1 : 0);
  theme.IncludePath(true);

  preview_html.clear();
  const Form skipped = background ? Form::kBackgroundOff : Form::kBackgroundOn;
  WString line;
  for (const Line& page_line : PageLines()) {
    if (page_line.form == skipped) continue;
    line.clear();
    for (const Piece& piece : page_line.pieces) {
      if (piece.value) {
        const WString value = piece.value(theme);
        line += escaping == PreviewEscaping::kHtml ? EscapeHtml(value) : value;
      } else {
        line += piece.text;
      }
    }
    AddPreviewLine(preview_html, line);
  }
}

std::span<const PreviewSource> PreviewSources() {
#define RX_WIDE_TEXT(text) u##text
#define RX_WIDE(text) RX_WIDE_TEXT(text)
#define RX_SOURCE(Name, Section, style, Property) \
  {PreviewSection::k##Section, style, RX_WIDE(#Property)},
  static constexpr PreviewSource kSources[] = {RX_PREVIEW_VALUES(RX_SOURCE)};
#undef RX_SOURCE
#undef RX_WIDE
#undef RX_WIDE_TEXT
  return kSources;
}

PreviewValues ReadPreviewValues(CTheme& theme) {
  PreviewValues v;
  const std::pair<WString*, ValueGetter> values[] = {
      {&v.background_image, kBackgroundImage},
      {&v.background_color, kPageBackgroundColor},
      {&v.text_color, kTextColor},
      {&v.link_color, kLinkColor},
      {&v.visited_link_color, kVisitedLinkColor},
      {&v.active_link_color, kActiveLinkColor},
      {&v.banner_image, kBannerImage},
      {&v.heading1_typeface, kHeading1Typeface},
      {&v.heading1_color, kHeading1Color},
      {&v.body_typeface, kBodyTypeface},
      {&v.bullet_images[0], kBulletImage1},
      {&v.bullet_images[1], kBulletImage2},
      {&v.bullet_images[2], kBulletImage3},
      {&v.heading2_typeface, kHeading2Typeface},
      {&v.heading2_color, kHeading2Color},
      {&v.separator_image, kSeparatorImage},
      {&v.nav_button_images[0], kPrevButtonImage},
      {&v.nav_button_images[1], kHomeButtonImage},
      {&v.nav_button_images[2], kUpButtonImage},
      {&v.nav_button_images[3], kNextButtonImage},
  };
  for (const auto& [field, value] : values) *field = value(theme);
  return v;
}

}  // namespace rxTheme
