// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_page_style.h"

namespace tavik {

const char* webPageStyle() {
  return R"(:root{color-scheme:light dark;--bg:#f4f6f8;--fg:#1b1f24;--card:#fff;--muted:#56606b;--line:#d3d8de;--c1:#c2410c;--c2:#1d6fd1;--c3:#7c3aed;--bar:#1c7ed6;--sun:#e8a100}
@media (prefers-color-scheme:dark){:root{--bg:#101317;--fg:#e7eaee;--card:#1a1f26;--muted:#9ba5b1;--line:#343c47;--c1:#ff8c50;--c2:#63a9ff;--c3:#b69cff;--bar:#4dabf7;--sun:#ffc53d}}
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%}
body{margin:0;font:16px/1.45 system-ui,-apple-system,"Segoe UI",sans-serif;background:var(--bg);color:var(--fg);overflow-wrap:anywhere}
main{max-width:1400px;margin:0 auto;padding:12px}
h1{font-size:1.5rem;margin:.2em 0}
h2{font-size:1.15rem;margin:0 0 .4em}
h3{font-size:1rem;margin:.2em 0}
.meta{color:var(--muted);margin:0 0 12px}
.stale{background:#c92a2a;color:#fff;padding:10px 14px;font-weight:700;border-radius:6px;margin:0 0 12px}
.grid{display:grid;gap:12px;grid-template-columns:repeat(auto-fit,minmax(min(100%,250px),1fr));margin-bottom:12px}
.charts{display:grid;gap:12px;grid-template-columns:repeat(auto-fit,minmax(min(100%,340px),1fr))}
.card{background:var(--card);border:1px solid var(--line);border-radius:8px;padding:12px;min-width:0}
dl{display:grid;grid-template-columns:auto 1fr;gap:3px 12px;margin:0}
dt{color:var(--muted);overflow-wrap:normal}
dd{margin:0;text-align:right}
.big{font-size:1.6rem;font-weight:600}
details{margin-bottom:12px}
summary{cursor:pointer;font-weight:600;font-size:1.15rem;padding:6px 0}
figure{margin:0}
figcaption{font-weight:600}
svg{display:block;max-width:100%;height:auto}
figure svg{width:100%}
figure.card{padding:8px}
svg text{font-size:12px;fill:var(--muted)}
svg text.max,svg text.min{fill:var(--fg);paint-order:stroke;stroke:var(--card);stroke-width:3px;stroke-linejoin:round}
.frame{fill:none;stroke:var(--line)}
path{fill:none;stroke-width:2;stroke-linejoin:round;stroke-linecap:round}
path.rule{stroke:var(--line);stroke-width:.6}
path.tick{stroke:var(--muted);stroke-width:.8}
.l1{stroke:var(--c1)}.l2{stroke:var(--c2)}.l3{stroke:var(--c3)}
.bar{fill:var(--bar)}
.legend{margin:.2em 0 0;color:var(--muted);font-size:.9rem}
.k1{color:var(--c1)}.k2{color:var(--c2)}.k3{color:var(--c3)}.kbar{color:var(--bar)}
.pic{width:2em;height:2em;display:inline-block;vertical-align:middle}
.pic .s{fill:var(--sun);stroke:none}.pic .c{fill:var(--muted);stroke:none}.pic .r,.pic .a{stroke:var(--c2);stroke-width:2.5;fill:none}
small{color:var(--muted);font-size:.85em}
.reports{list-style:none;padding:0;margin:0 0 8px}
.reports li{margin:.15em 0;line-height:2}
.reports a{padding:.2em .25em}
footer{color:var(--muted);font-size:.9rem;margin-top:12px}
a{color:var(--c2)}
)";
}

namespace {

std::string picture(const std::string& label, const std::string& body) {
  return "<svg class=\"pic\" viewBox=\"0 0 32 32\" role=\"img\" aria-label=\"" + label + "\">" +
         body + "</svg>";
}

const char* kSun = "<circle class=\"s\" cx=\"12\" cy=\"12\" r=\"7\"/>";
const char* kCloud =
    "<path class=\"c\" d=\"M8 26h16a5 5 0 0 0 0-10 7 7 0 0 0-13-2 6 6 0 0 0-3 12z\"/>";

}  // namespace

std::string trendPicture(uint8_t code) {
  switch (code) {
    case 1:
      return picture("steigend", "<path class=\"a\" d=\"M6 24L24 8M13 8h11v11\"/>");
    case 2:
      return picture("gleichbleibend", "<path class=\"a\" d=\"M4 16h22M18 9l8 7-8 7\"/>");
    case 4:
      return picture("fallend", "<path class=\"a\" d=\"M6 8l18 16M24 13v11H13\"/>");
    default:
      return "";
  }
}

std::string forecastPicture(uint8_t code) {
  switch (code) {
    case 1:
      return picture("sonnig", "<circle class=\"s\" cx=\"16\" cy=\"16\" r=\"9\"/>");
    case 2:
      return picture("bewölkt", std::string(kSun) + kCloud);
    case 4:
      return picture("bedeckt", kCloud);
    case 8:
      return picture("regnerisch",
                     "<g transform=\"translate(0 -6)\">" + std::string(kCloud) +
                         "</g><path class=\"r\" d=\"M11 24l-2 5M17 24l-2 5M23 24l-2 5\"/>");
    default:
      return "";
  }
}

std::string windArrow(int degrees) {
  return picture("Windrichtung",
                 "<g transform=\"rotate(" + std::to_string(degrees % 360) +
                     " 16 16)\"><path class=\"a\" d=\"M16 4v24M9 21l7 7 7-7\"/></g>");
}

}  // namespace tavik
