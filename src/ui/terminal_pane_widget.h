// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>

#include <deque>

#include "station/port_listener.h"

namespace tavik {

class SerialPort;

// A terminal pane that shows every byte received on the serial port as one
// character, white on black in a fixed-pitch font. A line feed starts a new
// line; long lines wrap at the pane's width. Only the latest maxCharacters and
// maxLines are kept, so that a pane left open for months stays small.
class TerminalPane : public QAbstractScrollArea, public PortListener {
  Q_OBJECT

 public:
  static constexpr qsizetype maxCharacters = 200'000;
  static constexpr qsizetype maxLines = 5'000;

  explicit TerminalPane(QWidget* parent = nullptr);
  ~TerminalPane() override;

  // Listens to the port from now on (nullptr: to none).
  void setPort(SerialPort* port);
  SerialPort* port() const { return port_; }

  void receiveChunk(std::span<const uint8_t> chunk) override;
  void portDestroyed() override { port_ = nullptr; }

  // The kept text, lines joined by '\n'.
  QString text() const;
  qsizetype characterCount() const { return characters_; }
  qsizetype lineCount() const { return static_cast<qsizetype>(lines_.size()); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void trim();
  int columns() const;
  int rowsOf(const QString& line, int columns) const;
  void updateScrollRange();
  // Lays the rows out again and, when the view was at the end, keeps it there.
  void followNewest();

  SerialPort* port_ = nullptr;
  std::deque<QString> lines_{QString()};
  qsizetype characters_ = 0;
};

}  // namespace tavik
