// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "station/device_lock.h"
#include "station/port_error.h"

namespace tavik {

class PortListener;

enum class Parity { None, Odd, Even, Mark, Space };
// One and a half stop bits exist only with 5 data bits.
enum class StopBits { One, OneAndHalf, Two };

// Line settings applied to an open device in one step.
struct LineSettings {
  int baud = 9600;
  int dataBits = 8;  // 5..8
  Parity parity = Parity::None;
  StopBits stopBits = StopBits::One;
  // Custom keeps whatever flow control the device has.
  enum Flow { Hardware, Software, None, Custom } flow = None;

  friend bool operator==(const LineSettings&, const LineSettings&) = default;
};

// The receive side of the station's serial line. Reading is driven from
// outside: whoever waits for fd() to become readable (a notifier on the event
// loop, or pollOnce) calls handleReadable(), which hands everything waiting to
// the listeners in registration order. A line that goes away while open (USB
// unplugged, pseudo-terminal closed) closes the handle but leaves the port
// connected; tryReopen() takes the same device up again when it is back.
class SerialPort {
 public:
  SerialPort() = default;
  ~SerialPort();
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;

  void setPortName(std::string name) { name_ = std::move(name); }
  const std::string& portName() const { return name_; }
  // COMn is /dev/ttyS(n-1), a name starting with "/" is a path, any other
  // name lives under /dev/.
  static std::string devicePath(const std::string& name);

  // Opens the device exclusively with the line settings; does nothing when
  // already open. Throws PortError. The device is refused as busy when
  // another program holds it: by a lock (flock, the UUCP lock file of a live
  // process, exclusive mode) or, for a real serial device, by simply having
  // it open. While open, the port keeps the device's UUCP lock file.
  void Open();
  // Closes the device, dropping what the driver still holds; the listeners
  // keep their buffers. Does nothing when not open.
  void Close();
  bool Connected() const { return connected_; }

  // Applied at once to an open device, and at every later open. Throws
  // PortError when the device refuses them (the port stays as it was).
  void setLineSettings(const LineSettings& settings);
  const LineSettings& lineSettings() const { return settings_; }

  // The folder of the UUCP lock files (default DeviceLock::defaultFolder()).
  void setLockFolder(std::string folder) { lockFolder_ = std::move(folder); }

  // Registering a listener twice throws std::logic_error.
  void registerListener(PortListener* listener);
  void unregisterListener(PortListener* listener);

  // The device handle to wait on, -1 while closed or while the line is lost.
  int fd() const { return fd_; }
  // Reads everything waiting and hands it to the listeners as one chunk. On
  // end of file, an I/O error or a hang-up the line counts as lost.
  void handleReadable();
  bool lineLost() const { return lineLost_; }
  // Reopens the lost line's device when it is back; true on success. Call it
  // about every reopenIntervalMs.
  bool tryReopen();
  static constexpr int reopenIntervalMs = 5000;

  // Waits up to timeoutMs for data and handles it; without a handle it just
  // sleeps for the time-out. Returns true when bytes or a hang-up were handled.
  bool pollOnce(int timeoutMs);

  // Told after Open, Close, a lost line and a reopen (the read notifier
  // follows fd() with it). There is one observer; a new one replaces it.
  void setStateObserver(std::function<void()> observer) { onStateChange_ = std::move(observer); }

 private:
  int openDevice();
  void claim(int fd, const std::string& path);
  void applySettings(int fd, const LineSettings& settings) const;
  void closeHandle(bool flush);
  void stateChanged();
  void deliver(const std::vector<unsigned char>& chunk);

  std::string name_ = "COM3";
  std::string lockFolder_ = DeviceLock::defaultFolder();
  DeviceLock lock_;
  LineSettings settings_;
  int fd_ = -1;
  bool connected_ = false;
  bool lineLost_ = false;
  std::vector<PortListener*> listeners_;
  std::function<void()> onStateChange_;
};

}  // namespace tavik
