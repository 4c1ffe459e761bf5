#include "web/sample_page.h"

namespace rxTheme::cli {
namespace {

constexpr VariantPage kPages[] = {
    {false, false, "normal.html", "Normal colors, normal graphics"},
    {true, false, "vivid.html", "Vivid colors, normal graphics"},
    {false, true, "active.html", "Normal colors, active graphics"},
    {true, true, "vivid-active.html", "Vivid colors, active graphics"},
};

// The preview's body, in its order. The followed and active links take the
// colors of those states, which a page cannot put a link in by itself.
constexpr std::string_view kBody = R"html(<div class="rx-banner"></div>
<h1>Heading 1</h1>
<ul>
<li>Bullet 1
<ul>
<li>Bullet 2
<ul>
<li>Bullet 3</li>
</ul>
</li>
</ul>
</li>
</ul>
<h2>Heading 2</h2>
<p>Regular Text Sample</p>
<hr>
<p class="rx-nav-bar">
<a class="rx-nav rx-nav-prev" href="#" title="Previous page"></a>
<a class="rx-nav rx-nav-home" href="#" title="Home"></a>
<a class="rx-nav rx-nav-up" href="#" title="Up"></a>
<a class="rx-nav rx-nav-next" href="#" title="Next page"></a>
</p>
<p>
<a href="#">Regular Link</a><br>
<a href="#" style="color: var(--rx-color-visited-color)">Followed Link</a><br>
<a href="#" style="color: var(--rx-color-active-color)">Active Link</a>
</p>
)html";

}  // namespace

std::string HtmlEscaped(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) {
    switch (c) {
      case u'&':
        out += "&amp;";
        break;
      case u'<':
        out += "&lt;";
        break;
      case u'>':
        out += "&gt;";
        break;
      case u'"':
        out += "&quot;";
        break;
      case u'\'':
        out += "&#39;";
        break;
      default:
        if ((c < 0x20 && c != u'\t' && c != u'\n') || c == 0x7F) {
          out += "\xEF\xBF\xBD";
        } else {
          out += ToUtf8(std::u16string_view(&c, 1));
        }
    }
  }
  return out;
}

std::span<const VariantPage> VariantPages() { return kPages; }

std::string SamplePage(const WString& title, const VariantPage& variant, bool index) {
  std::string out = "<!DOCTYPE html>\n<html lang=\"en\" data-rx-colors=\"";
  out += variant.vivid ? "vivid" : "normal";
  out += "\" data-rx-graphics=\"";
  out += variant.active ? "active" : "normal";
  out += "\" data-rx-background>\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += HtmlEscaped(title) + " &#8212; " + variant.caption;
  out += "</title>\n<link rel=\"stylesheet\" href=\"theme.css\">\n</head>\n<body>\n";
  out += kBody;
  if (index) {
    out += "<hr>\n<p>Variants:";
    for (const VariantPage& page : kPages) {
      out += std::string(" <a href=\"") + page.file + "\">" + page.caption + "</a>";
    }
    out +=
        "<br>\nFiles: <a href=\"theme.css\">theme.css</a> <a href=\"tokens.json\">tokens.json</a> "
        "<a href=\"theme.json\">theme.json</a> <a href=\"styles/vivid-colors.json\">"
        "styles/vivid-colors.json</a> <a href=\"styles/active-graphics.json\">"
        "styles/active-graphics.json</a></p>\n";
  }
  out += "</body>\n</html>\n";
  return out;
}

}  // namespace rxTheme::cli
