// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// A pseudo-terminal in raw mode for the simulator: the simulator writes the
// master side, a reader opens the slave path like a serial device. The
// simulator keeps a slave descriptor of its own open, so that the line is not
// hung up while no reader has it open (a hung-up master polls as always
// ready) and a reader may come and go.
class PseudoTerminal {
 public:
  // Throws std::system_error when the system has no pseudo-terminal to give.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  int masterFd() const { return master_; }
  const std::string& slavePath() const { return slavePath_; }

  // Bytes written but not yet read by anybody.
  int unread() const;
  // Throws away what nobody has read, so that a reader who opens the line
  // later starts with current groups.
  void discardUnread();

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};

// Raw 8N1 at 9600 baud, no echo, no flow control, no translation.
void setRawMode(int fd);

}  // namespace tavik
