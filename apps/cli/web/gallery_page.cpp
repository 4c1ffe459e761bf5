#include "web/gallery_page.h"

#include "web/sample_page.h"

namespace rxTheme::cli {
namespace {

constexpr std::string_view kStyle = R"css(<style>
body { margin: 16px; background: #e8e8e8; color: #202020; font: 14px/1.4 sans-serif; }
.card { background: #fff; border: 1px solid #b0b0b0; margin: 0 0 16px; padding: 8px 12px; }
.card.broken { border-color: #b00020; }
.card h2 { margin: 0 0 4px; font-size: 20px; }
.card p { margin: 0 0 8px; }
.variants { display: grid; grid-template-columns: repeat(4, 520px); gap: 8px; }
figure { margin: 0; }
iframe { width: 520px; height: 600px; border: 1px solid #909090; background: #fff; }
figcaption { font-size: 12px; color: #505050; }
.error { color: #b00020; }
</style>
)css";

}  // namespace

std::string GalleryStart(const WString& heading, const WString& subtitle) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
  out += HtmlEscaped(heading) + "</title>\n";
  out += kStyle;
  out += "</head>\n<body>\n<h1>" + HtmlEscaped(heading) + "</h1>\n<p>" + HtmlEscaped(subtitle) +
         "</p>\n";
  return out;
}

std::string GalleryCardHtml(const GalleryCard& card) {
  if (!card.error.empty()) {
    return "<section class=\"card broken\">\n<h2>" + HtmlEscaped(card.title) +
           "</h2>\n<p class=\"error\">Cannot be read: " + HtmlEscaped(card.error) + "</p>\n" +
           (card.check.empty() ? "" : "<p>Check: " + card.check + "</p>\n") + "</section>\n";
  }
  const std::string& f = card.folder;
  std::string out = "<section class=\"card\">\n<h2>" + HtmlEscaped(card.title) + "</h2>\n<p>";
  out += "Version " + HtmlEscaped(card.version) + " &#183; check: " + card.check + " &#183; ";
  out += "<a href=\"" + f + "/index.html\">sample page</a> <a href=\"" + f +
         "/theme.css\">theme.css</a> <a href=\"" + f + "/tokens.json\">tokens.json</a> <a href=\"" +
         f + "/theme.json\">theme.json</a> <a href=\"" + f +
         "/styles/vivid-colors.json\">vivid colors</a> <a href=\"" + f +
         "/styles/active-graphics.json\">active graphics</a></p>\n<div class=\"variants\">\n";
  for (const VariantPage& page : VariantPages()) {
    out += "<figure><iframe src=\"" + f + "/" + page.file + "\" title=\"" +
           HtmlEscaped(card.title) + ": " + page.caption + "\" loading=\"lazy\"></iframe>";
    out += std::string("<figcaption>") + page.caption + "</figcaption></figure>\n";
  }
  out += "</div>\n</section>\n";
  return out;
}

std::string GalleryEnd() { return "</body>\n</html>\n"; }

}  // namespace rxTheme::cli
