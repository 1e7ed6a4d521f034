// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include <QDialog>

#include "core/port_setup.h"

class QComboBox;

namespace tavik {

// The serial-port setup dialog ("Setup"): device, baud rate, data bits, stop
// bits, parity and flow control. It opens showing the given setup and hands
// the chosen one back; applying it is the caller's business.
class PortSetupDialog : public QDialog {
  Q_OBJECT

 public:
  // `ports` are the devices to offer; the current name is offered too.
  PortSetupDialog(const PortSetup& current, const std::vector<std::string>& ports,
                  QWidget* parent = nullptr);

  // The setup as the lists show it now. "Custom" keeps the current baud rate.
  PortSetup chosen() const;

 private:
  PortSetup current_;
  QComboBox* PortCombo;
  QComboBox* BaudRateCombo;
  QComboBox* DataBitsCombo;
  QComboBox* StopBitsCombo;
  QComboBox* ParityCombo;
  QComboBox* FlowControlCombo;
};

}  // namespace tavik
