#include "web/variants_page.h"

#include "web/sample_page.h"

namespace rxTheme::cli {
namespace {

constexpr std::string_view kStyle = R"css(<style>
body { margin: 12px; background: #e8e8e8; color: #202020; font: 14px/1.4 sans-serif; }
h1 { margin: 0 0 8px; font-size: 18px; }
.variants { display: grid; grid-template-columns: repeat(2, minmax(320px, 1fr)); gap: 8px; }
figure { margin: 0; }
iframe { width: 100%; height: 470px; border: 1px solid #909090; background: #fff; }
figcaption { font-size: 12px; color: #505050; }
</style>
)css";

// An 8-bit page as the value of a double-quoted attribute: the characters
// that end or start markup as references, a CR as a reference (an attribute
// would otherwise read CR LF as LF), bytes from 0x80 as the UTF-8 of the
// character with that code.
std::string AttributeOf8Bit(const std::string& page) {
  std::string out;
  out.reserve(page.size() + page.size() / 8);
  for (const char c : page) {
    const auto byte = static_cast<unsigned char>(c);
    switch (c) {
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '\r':
        out += "&#13;";
        break;
      default:
        if (byte < 0x80) {
          out += c;
        } else {
          out += static_cast<char>(0xC0 | (byte >> 6));
          out += static_cast<char>(0x80 | (byte & 0x3F));
        }
    }
  }
  return out;
}

}  // namespace

const std::array<PreviewVariant, 4>& PreviewVariants() {
  static const std::array<PreviewVariant, 4> variants = {{
      {false, false, "Normal colors, normal graphics"},
      {true, false, "Vivid colors, normal graphics"},
      {false, true, "Normal colors, active graphics"},
      {true, true, "Vivid colors, active graphics"},
  }};
  return variants;
}

std::string VariantsPage(const WString& heading, const std::array<std::string, 4>& pages) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += HtmlEscaped(heading) + "</title>\n";
  out += kStyle;
  out += "</head>\n<body>\n<h1>" + HtmlEscaped(heading) + "</h1>\n<div class=\"variants\">\n";
  for (size_t i = 0; i < pages.size(); ++i) {
    const char* caption = PreviewVariants()[i].caption;
    out += std::string("<figure><iframe title=\"") + caption + "\" srcdoc=\"" +
           AttributeOf8Bit(pages[i]) + "\"></iframe><figcaption>" + caption +
           "</figcaption></figure>\n";
  }
  out += "</div>\n</body>\n</html>\n";
  return out;
}

}  // namespace rxTheme::cli
