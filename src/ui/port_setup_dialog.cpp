// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/port_setup_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

#include "widgets/sizing_widget.h"

namespace tavik {

namespace {

// Baud rates offered; "Custom" stands for whatever rate the port has that is
// not among them.
constexpr int kCustomBaud = 0;
constexpr int kBaudRates[] = {kCustomBaud, 110,   300,   600,   1200,  2400,   4800,   9600,
                              14400,       19200, 38400, 56000, 57600, 115200, 128000, 256000};

struct ParityChoice {
  const char* text;
  Parity parity;
};
constexpr ParityChoice kParities[] = {{"None", Parity::None},
                                      {"Odd", Parity::Odd},
                                      {"Even", Parity::Even},
                                      {"Mark", Parity::Mark},
                                      {"Space", Parity::Space}};

struct FlowChoice {
  const char* text;
  LineSettings::Flow flow;
};
constexpr FlowChoice kFlows[] = {{"Hardware", LineSettings::Hardware},
                                 {"Software", LineSettings::Software},
                                 {"None", LineSettings::None},
                                 {"Custom", LineSettings::Custom}};

struct StopBitsChoice {
  const char* text;
  StopBits stopBits;
};
constexpr StopBitsChoice kStopBits[] = {
    {"1", StopBits::One}, {"1.5", StopBits::OneAndHalf}, {"2", StopBits::Two}};

QComboBox* addList(QFormLayout* form, const char* label, const char* objectName) {
  auto* combo = new QComboBox;
  combo->setObjectName(objectName);
  form->addRow(label, combo);
  return combo;
}

void selectData(QComboBox* combo, const QVariant& value) {
  const int index = combo->findData(value);
  combo->setCurrentIndex(std::max(index, 0));
}

}  // namespace

PortSetupDialog::PortSetupDialog(const PortSetup& current, const std::vector<std::string>& ports,
                                 QWidget* parent)
    : QDialog(parent), current_(current) {
  setObjectName("PortSetupDialog");
  setWindowTitle("Setup");

  auto* group = new QGroupBox(" Settings ");
  group->setObjectName("SettingsGroup");
  auto* form = new QFormLayout(group);
  PortCombo = addList(form, "Port", "PortCombo");
  BaudRateCombo = addList(form, "Baud rate", "BaudRateCombo");
  DataBitsCombo = addList(form, "Data bits", "DataBitsCombo");
  StopBitsCombo = addList(form, "Stop bits", "StopBitsCombo");
  ParityCombo = addList(form, "Parity", "ParityCombo");
  FlowControlCombo = addList(form, "Flow control", "FlowControlCombo");

  // A device that is not listed (a pseudo-terminal, say) can be typed in.
  PortCombo->setEditable(true);
  PortCombo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  const QString currentName = QString::fromStdString(current.portName);
  if (std::find(ports.begin(), ports.end(), current.portName) == ports.end()) {
    PortCombo->addItem(currentName);
  }
  for (const std::string& port : ports) PortCombo->addItem(QString::fromStdString(port));
  PortCombo->setCurrentText(currentName);

  for (int baud : kBaudRates) {
    BaudRateCombo->addItem(baud == kCustomBaud ? QString("Custom") : QString::number(baud), baud);
  }
  selectData(BaudRateCombo, current.line.baud);
  for (int bits = 5; bits <= 8; ++bits) DataBitsCombo->addItem(QString::number(bits), bits);
  selectData(DataBitsCombo, current.line.dataBits);
  for (const StopBitsChoice& s : kStopBits) StopBitsCombo->addItem(s.text, int(s.stopBits));
  selectData(StopBitsCombo, int(current.line.stopBits));
  for (const ParityChoice& p : kParities) ParityCombo->addItem(p.text, int(p.parity));
  selectData(ParityCombo, int(current.line.parity));
  for (const FlowChoice& f : kFlows) FlowControlCombo->addItem(f.text, int(f.flow));
  selectData(FlowControlCombo, int(current.line.flow));

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
  ok->setObjectName("OkButton");
  cancel->setObjectName("CancelButton");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  startAtSize(*this, 280);
}

PortSetup PortSetupDialog::chosen() const {
  PortSetup setup;
  const QString typed = PortCombo->currentText().trimmed();
  setup.portName = typed.isEmpty() ? current_.portName : typed.toStdString();
  const int baud = BaudRateCombo->currentData().toInt();
  setup.line.baud = baud == kCustomBaud ? current_.line.baud : baud;
  setup.line.dataBits = DataBitsCombo->currentData().toInt();
  setup.line.stopBits = static_cast<StopBits>(StopBitsCombo->currentData().toInt());
  setup.line.parity = static_cast<Parity>(ParityCombo->currentData().toInt());
  setup.line.flow = static_cast<LineSettings::Flow>(FlowControlCombo->currentData().toInt());
  return setup;
}

}  // namespace tavik
