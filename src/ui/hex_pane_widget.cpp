// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/hex_pane_widget.h"

#include <QFontDatabase>
#include <QScrollBar>
#include <QTextCursor>

#include "station/serial_port.h"

namespace tavik {

HexPane::HexPane(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setMaximumBlockCount(maxLines);
}

HexPane::~HexPane() { setPort(nullptr); }

void HexPane::setPort(SerialPort* port) {
  if (port == port_) return;
  if (port_) port_->unregisterListener(this);
  port_ = port;
  if (port_) port_->registerListener(this);
}

// The last line of the text is always the line being filled (empty when
// none is): it is replaced by the lines the chunk completes and the new
// line being filled.
void HexPane::receiveChunk(std::span<const uint8_t> chunk) {
  QScrollBar* bar = verticalScrollBar();
  const bool following = bar->value() >= bar->maximum();
  QString text;
  for (const std::string& line : dump_.add(chunk)) text += QString::fromStdString(line) + '\n';
  text += QString::fromStdString(dump_.partialLine());
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
  cursor.insertText(text);
  if (following) bar->setValue(bar->maximum());
  emit received(dump_.total());
}

}  // namespace tavik
