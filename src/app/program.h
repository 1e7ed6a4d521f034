#pragma once

#include <memory>
#include <string>

#include "common/clock.h"
#include "common/regional.h"
#include "core/clockwork.h"
#include "core/port_control.h"
#include "core/product_writers.h"
#include "settings/profiles.h"
#include "settings/settings.h"
#include "station/decoders.h"
#include "station/group_stream.h"
#include "station/serial_port.h"
#include "widgets/message_box_notifier.h"

namespace tavik {

class PortNotifier;
class TForm1;

// The activation's view of the serial port.
class SerialPortControl final : public PortControl {
 public:
  explicit SerialPortControl(SerialPort& port) : port_(port) {}
  void open() override { port_.Open(); }
  void close() override { port_.Close(); }
  bool connected() const override { return port_.Connected(); }
  std::string portName() const override { return port_.portName(); }

 private:
  SerialPort& port_;
};

// The whole running program: the record, the settings, the serial line and
// its detectors, the products, the clockwork and every window, created once
// in the program's order and living until it ends.
class Program {
 public:
  // `timerSpeedUp` > 1 only under the soak benchmark's accelerated clock.
  Program(std::string programDir, const Clock& clock, int timerSpeedUp = 1);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  TForm1& mainWindow() { return *form_; }

 private:
  void createWindows();
  void FormShow();
  void FormHide();
  void portSetup();

  const std::string programDir_;
  const Clock& clock_;
  const RegionalSettings& regional_ = RegionalSettings::german();
  SerialPort port_;
  StationData station_;
  Settings settings_;
  ProfileTable profiles_;
  MessageBoxNotifier notifier_;
  SerialPortControl portControl_{port_};
  ProductWriters products_;
  Clockwork clockwork_;
  GroupStream stream_{station_};
  std::unique_ptr<TForm1> form_;
  std::unique_ptr<PortNotifier> portNotifier_;
};

}  // namespace tavik
