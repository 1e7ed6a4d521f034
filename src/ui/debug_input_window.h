// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/tool_window.h"

namespace tavik {

class SerialPort;
class TerminalPane;

// The raw-input window: a terminal pane that shows the bytes arriving on the
// serial port, captioned with the port's name each time it is shown.
class TDebugComInput : public ToolWindow {
  Q_OBJECT

 public:
  explicit TDebugComInput(SerialPort& port, QWidget* parent = nullptr);

  TerminalPane* terminal() const { return ComTerminal1; }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TerminalPane* ComTerminal1;
};

}  // namespace tavik
