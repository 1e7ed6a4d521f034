// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/terminal_pane_widget.h"

#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>

#include <array>

#include "common/text_file.h"
#include "station/serial_port.h"

namespace tavik {

namespace {

constexpr uint8_t kLineFeed = 0x0A;
constexpr int kMargin = 3;

// The glyph of each byte: printable Windows-1252 characters as themselves,
// control bytes and the five undefined codes as a middle dot so that every
// byte stays visible as one cell.
const std::array<QChar, 256>& byteGlyphs() {
  static const std::array<QChar, 256> glyphs = [] {
    std::array<QChar, 256> table{};
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString decoded = QString::fromStdString(cp1252ToUtf8(std::string_view(&byte, 1)));
      const QChar c = decoded.isEmpty() ? QChar() : decoded.front();
      table[b] = (c.isNull() || c.category() == QChar::Other_Control) ? QChar(0x00B7) : c;
    }
    return table;
  }();
  return glyphs;
}

}  // namespace

TerminalPane::TerminalPane(QWidget* parent) : QAbstractScrollArea(parent) {
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette colours = viewport()->palette();
  colours.setColor(QPalette::Base, Qt::black);
  colours.setColor(QPalette::Text, Qt::white);
  viewport()->setPalette(colours);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
}

TerminalPane::~TerminalPane() { setPort(nullptr); }

void TerminalPane::setPort(SerialPort* port) {
  if (port == port_) return;
  if (port_) port_->unregisterListener(this);
  port_ = port;
  if (port_) port_->registerListener(this);
}

void TerminalPane::receiveChunk(std::span<const uint8_t> chunk) {
  const auto& glyphs = byteGlyphs();
  for (uint8_t byte : chunk) {
    if (byte == kLineFeed) {
      lines_.emplace_back();
    } else {
      lines_.back().append(glyphs[byte]);
      ++characters_;
    }
  }
  trim();
  // A hidden pane only collects; it lays its rows out when it is shown.
  if (isVisible()) followNewest();
}

void TerminalPane::followNewest() {
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  updateScrollRange();
  if (following) bar->setValue(bar->maximum());
  viewport()->update();
}

void TerminalPane::trim() {
  // Drop whole old lines first; trimming goes an eighth below the limit so
  // that it does not run on every chunk.
  if (characters_ <= maxCharacters && lineCount() <= maxLines) return;
  const qsizetype keepCharacters = maxCharacters - maxCharacters / 8;
  const qsizetype keepLines = maxLines - maxLines / 8;
  while (lines_.size() > 1 && (characters_ > keepCharacters || lineCount() > keepLines)) {
    characters_ -= lines_.front().size();
    lines_.pop_front();
  }
  if (characters_ > keepCharacters) {
    // One endless line: keep its end.
    lines_.front().remove(0, characters_ - keepCharacters);
    characters_ = keepCharacters;
  }
}

QString TerminalPane::text() const {
  QString all;
  all.reserve(characters_ + lineCount());
  for (const QString& line : lines_) {
    if (&line != &lines_.front()) all.append(u'\n');
    all.append(line);
  }
  return all;
}

int TerminalPane::columns() const {
  // Glyph advances are fractional; rounding them down would overrun the pane.
  const qreal cellWidth = std::max<qreal>(1.0, QFontMetricsF(font()).horizontalAdvance(u'M'));
  return std::max(1, static_cast<int>((viewport()->width() - 2 * kMargin) / cellWidth));
}

int TerminalPane::rowsOf(const QString& line, int columns) const {
  return std::max<int>(1, static_cast<int>((line.size() + columns - 1) / columns));
}

void TerminalPane::updateScrollRange() {
  const int cols = columns();
  long long rows = 0;
  for (const QString& line : lines_) rows += rowsOf(line, cols);
  const int visible = std::max(1, viewport()->height() / fontMetrics().lineSpacing());
  verticalScrollBar()->setPageStep(visible);
  verticalScrollBar()->setRange(0, static_cast<int>(std::max(0LL, rows - visible)));
  horizontalScrollBar()->setRange(0, 0);
}

void TerminalPane::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  painter.setPen(Qt::white);
  const QFontMetrics metrics = fontMetrics();
  const int cols = columns();
  const int lineSpacing = metrics.lineSpacing();
  int skip = verticalScrollBar()->value();
  int y = metrics.ascent() + kMargin;
  for (const QString& line : lines_) {
    const int rows = rowsOf(line, cols);
    if (skip >= rows) {
      skip -= rows;
      continue;
    }
    for (int row = skip; row < rows && y - metrics.ascent() < viewport()->height(); ++row) {
      painter.drawText(kMargin, y, line.mid(static_cast<qsizetype>(row) * cols, cols));
      y += lineSpacing;
    }
    skip = 0;
    if (y - metrics.ascent() >= viewport()->height()) break;
  }
}

void TerminalPane::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  followNewest();
}

void TerminalPane::showEvent(QShowEvent* event) {
  QAbstractScrollArea::showEvent(event);
  followNewest();
}

}  // namespace tavik
