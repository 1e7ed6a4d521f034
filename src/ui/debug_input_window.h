// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/tool_window.h"

class QLabel;

namespace tavik {

class HexPane;
class SerialPort;
class TerminalPane;

// The raw-input window: a terminal pane that shows the bytes arriving on the
// serial port as characters, a hex dump of the same bytes under it and the
// count of bytes received, captioned with the port's name each time it is
// shown.
class TDebugComInput : public ToolWindow {
  Q_OBJECT

 public:
  explicit TDebugComInput(SerialPort& port, QWidget* parent = nullptr);

  TerminalPane* terminal() const { return ComTerminal1; }
  HexPane* hexView() const { return HexView; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  TerminalPane* ComTerminal1;
  HexPane* HexView;
  QLabel* ByteCount;
};

}  // namespace tavik
