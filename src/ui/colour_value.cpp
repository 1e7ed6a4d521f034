// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/colour_value.h"

namespace tavik {
namespace {

constexpr uint32_t kSystemColour = 0x80000000u;

QPalette::ColorRole roleOfSystemColour(uint32_t n) {
  switch (n) {
    case 5:  // window background
      return QPalette::Base;
    case 7:  // menu text
    case 8:  // window text
    case 9:  // caption text
      return QPalette::WindowText;
    case 13:
      return QPalette::Highlight;
    case 14:
      return QPalette::HighlightedText;
    case 15:  // button face
      return QPalette::Button;
    case 16:  // button shadow
      return QPalette::Dark;
    case 18:
      return QPalette::ButtonText;
    case 20:  // button highlight
      return QPalette::Light;
    case 21:  // dark shadow
      return QPalette::Shadow;
    case 22:  // light edge
      return QPalette::Midlight;
    case 23:
      return QPalette::ToolTipText;
    case 24:
      return QPalette::ToolTipBase;
    default:
      return QPalette::Window;
  }
}

}  // namespace

QColor colourFromValue(int32_t value, const QPalette& palette) {
  const auto v = static_cast<uint32_t>(value);
  if ((v & 0xFF000000u) == kSystemColour) {
    return palette.color(QPalette::Active, roleOfSystemColour(v & 0xFFu));
  }
  return QColor(static_cast<int>(v & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                static_cast<int>((v >> 16) & 0xFF));
}

QColor groupFontColour(int32_t value, const QPalette& palette) {
  constexpr int32_t kUnchosen = 8;
  return value == kUnchosen ? palette.color(QPalette::Active, QPalette::WindowText)
                            : colourFromValue(value, palette);
}

int32_t valueFromColour(const QColor& colour) {
  const uint32_t v = static_cast<uint32_t>(colour.red()) |
                     static_cast<uint32_t>(colour.green()) << 8 |
                     static_cast<uint32_t>(colour.blue()) << 16;
  return static_cast<int32_t>(v);
}

}  // namespace tavik
