// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/serial_port.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "station/port_listener.h"
#include "station/process_name.h"

namespace tavik {
namespace {

// The most one handleReadable() takes; more waiting comes with the next call.
constexpr size_t kMaxChunk = 64 * 1024;

std::string reason(int code) {
  switch (code) {
    case ENOTTY:
    case EISDIR:
      return "keine serielle Schnittstelle";
    case EIO:
      return "Ein-/Ausgabefehler am Gerät";
    case EINVAL:
      return "Einstellung wird vom Gerät nicht unterstützt";
    default:
      return std::strerror(code);
  }
}

// A failure with a detail of our own is one of the line settings.
[[noreturn]] void fail(int code, const std::string& path, const std::string& text) {
  throw PortError(PortFailure::Other, code, portFailureText(PortFailure::Other, path, text));
}

[[noreturn]] void failWith(int code, const std::string& path) {
  const PortFailure failure = classifyPortErrno(code);
  throw PortError(failure, code, portFailureText(failure, path, reason(code)));
}

// `holder` is the process that has the device, 0 when it is not known.
[[noreturn]] void failBusy(const std::string& path, pid_t holder) {
  throw PortError(PortFailure::Busy, EBUSY,
                  portFailureText(PortFailure::Busy, path, holderText(holder)));
}

pid_t holderOf(int fd) {
  struct stat st {};
  return fstat(fd, &st) == 0 ? otherProcessHolding(st) : 0;
}

speed_t speedFor(int baud) {
  switch (baud) {
    case 110:
      return B110;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    default:
      return B0;
  }
}

tcflag_t sizeFlag(int dataBits) {
  switch (dataBits) {
    case 5:
      return CS5;
    case 6:
      return CS6;
    case 7:
      return CS7;
    case 8:
      return CS8;
    default:
      return 0;
  }
}

// ~0 for a value that names no parity.
tcflag_t parityFlags(Parity parity) {
  switch (parity) {
    case Parity::None:
      return 0;
    case Parity::Odd:
      return PARENB | PARODD;
    case Parity::Even:
      return PARENB;
    case Parity::Mark:
      return PARENB | CMSPAR | PARODD;
    case Parity::Space:
      return PARENB | CMSPAR;
  }
  return ~tcflag_t{0};
}

// The device's attributes `t` changed to raw reception with `s`. Throws on a
// value the line cannot take.
void makeRaw(termios& t, const LineSettings& s, const std::string& path) {
  const speed_t speed = speedFor(s.baud);
  if (speed == B0)
    fail(EINVAL, path, "Baudrate " + std::to_string(s.baud) + " wird nicht unterstützt");
  const tcflag_t size = sizeFlag(s.dataBits);
  if (size == 0)
    fail(EINVAL, path, std::to_string(s.dataBits) + " Datenbits werden nicht unterstützt");
  const tcflag_t parity = parityFlags(s.parity);
  if (parity == ~tcflag_t{0}) fail(EINVAL, path, "unbekannte Parität");
  if (s.stopBits < StopBits::One || s.stopBits > StopBits::Two)
    fail(EINVAL, path, "unbekannte Anzahl Stoppbits");
  const tcflag_t oldFlow = t.c_cflag & CRTSCTS;
  const tcflag_t oldSoftFlow = t.c_iflag & (IXON | IXOFF | IXANY);
  cfmakeraw(&t);
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
  t.c_cflag |= CLOCAL | CREAD | size | parity;
  // 1.5 stop bits exist only with 5 data bits, where CSTOPB means 1.5.
  if (s.stopBits != StopBits::One) t.c_cflag |= CSTOPB;
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  switch (s.flow) {
    case LineSettings::Hardware:
      t.c_cflag |= CRTSCTS;
      break;
    case LineSettings::Software:
      t.c_iflag |= IXON | IXOFF;
      break;
    case LineSettings::None:
      break;
    case LineSettings::Custom:
      t.c_cflag |= oldFlow;
      t.c_iflag |= oldSoftFlow;
      break;
  }
  t.c_cc[VSTART] = 17;
  t.c_cc[VSTOP] = 19;
  // With O_NONBLOCK a read returns at once: the bytes waiting, or EAGAIN when
  // there are none. VMIN 1 keeps a read of 0 bytes meaning end of file.
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
}

// DTR on, RTS off. Devices without modem lines (pseudo-terminals) refuse the
// request, which does not matter for a line that only receives.
void setModemLines(int fd) {
  int dtr = TIOCM_DTR;
  int rts = TIOCM_RTS;
  (void)ioctl(fd, TIOCMBIS, &dtr);
  (void)ioctl(fd, TIOCMBIC, &rts);
}

void releaseDevice(int fd) {
  (void)ioctl(fd, TIOCNXCL);
  ::close(fd);
}

bool hungUp(int fd) {
  pollfd p{fd, POLLIN, 0};
  return ::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

}  // namespace

SerialPort::~SerialPort() {
  Close();
  const std::vector<PortListener*> listeners = listeners_;
  listeners_.clear();
  for (PortListener* l : listeners) l->portDestroyed();
}

std::string SerialPort::devicePath(const std::string& name) {
  if (name.size() > 3 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "com") == 0)) {
    int n = 0;
    const char* end = name.data() + name.size();
    const auto [rest, error] = std::from_chars(name.data() + 3, end, n);
    if (error == std::errc() && rest == end && n >= 1) return "/dev/ttyS" + std::to_string(n - 1);
  }
  if (!name.empty() && name[0] == '/') return name;
  return "/dev/" + name;
}

void SerialPort::Open() {
  if (connected_) return;
  fd_ = openDevice();
  connected_ = true;
  lineLost_ = false;
  stateChanged();
}

void SerialPort::Close() {
  if (!connected_) return;
  closeHandle(true);
  connected_ = false;
  lineLost_ = false;
  stateChanged();
}

int SerialPort::openDevice() {
  const std::string path = devicePath(name_);
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) failWith(errno, path);
  try {
    claim(fd, path);
    applySettings(fd, settings_);
    setModemLines(fd);
  } catch (...) {
    lock_.release();
    releaseDevice(fd);
    throw;
  }
  return fd;
}

// Makes sure no other program uses the device and keeps others out while the
// port has it. The flock holds against a second open by this program; the
// UUCP lock file against programs that honour it. A device held open by any
// other process is refused (for a pseudo-terminal, any other process than
// the one that made it and holds its other side), and exclusive mode keeps
// the others from opening a real serial device at all. A pseudo-terminal
// gets no exclusive mode: it would outlive a killed holder for as long as
// the other side stays open.
void SerialPort::claim(int fd, const std::string& path) {
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EWOULDBLOCK) failBusy(path, holderOf(fd));
    failWith(errno, path);
  }
  if (!lock_.acquire(lockFolder_, path)) {
    failBusy(path, lockHolder(lockFolder_ + "/" + DeviceLock::fileName(path)));
  }
  struct stat st {};
  if (fstat(fd, &st) != 0) failWith(errno, path);
  if (const pid_t holder = otherProcessHolding(st); holder != 0) failBusy(path, holder);
  if (isPseudoTerminal(st)) return;
  if (ioctl(fd, TIOCEXCL) != 0) failWith(errno, path);
}

void SerialPort::applySettings(int fd, const LineSettings& settings) const {
  const std::string path = devicePath(name_);
  termios t{};
  if (tcgetattr(fd, &t) != 0) failWith(errno, path);
  makeRaw(t, settings, path);
  if (tcsetattr(fd, TCSANOW, &t) != 0) failWith(errno, path);
}

void SerialPort::setLineSettings(const LineSettings& settings) {
  if (fd_ >= 0) {
    applySettings(fd_, settings);
  } else {
    termios t{};
    makeRaw(t, settings, devicePath(name_));  // refuse bad values now, not at Open
  }
  settings_ = settings;
}

void SerialPort::closeHandle(bool flush) {
  if (fd_ < 0) return;
  if (flush) tcflush(fd_, TCIOFLUSH);
  lock_.release();
  releaseDevice(fd_);
  fd_ = -1;
}

void SerialPort::stateChanged() {
  if (onStateChange_) onStateChange_();
}

void SerialPort::registerListener(PortListener* listener) {
  if (std::find(listeners_.begin(), listeners_.end(), listener) != listeners_.end()) {
    throw std::logic_error("listener registered twice with the serial port");
  }
  listeners_.push_back(listener);
}

void SerialPort::unregisterListener(PortListener* listener) { std::erase(listeners_, listener); }

void SerialPort::handleReadable() {
  if (fd_ < 0) return;
  std::vector<unsigned char> chunk;
  bool lost = false;
  unsigned char block[4096];
  while (chunk.size() < kMaxChunk) {
    const ssize_t n = ::read(fd_, block, sizeof block);
    if (n > 0) {
      chunk.insert(chunk.end(), block, block + n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno == EAGAIN) {
      // Woken without data: a hang-up that read() does not report itself.
      lost = chunk.empty() && hungUp(fd_);
      break;
    }
    lost = true;  // end of file (hung up) or an I/O error (device gone)
    break;
  }
  if (lost) {
    closeHandle(false);
    lineLost_ = true;
    stateChanged();
  }
  if (!chunk.empty()) deliver(chunk);
}

void SerialPort::deliver(const std::vector<unsigned char>& chunk) {
  // A listener may unregister others (or itself) while the chunk goes round.
  const std::vector<PortListener*> listeners = listeners_;
  for (PortListener* l : listeners) {
    if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) {
      l->receiveChunk(chunk);
    }
  }
}

bool SerialPort::tryReopen() {
  if (!connected_ || !lineLost_) return false;
  try {
    fd_ = openDevice();
  } catch (const PortError&) {
    return false;
  }
  lineLost_ = false;
  stateChanged();
  return true;
}

bool SerialPort::pollOnce(int timeoutMs) {
  if (fd_ < 0) {
    ::poll(nullptr, 0, timeoutMs);
    return false;
  }
  pollfd p{fd_, POLLIN, 0};
  if (::poll(&p, 1, timeoutMs) <= 0) return false;
  handleReadable();
  return true;
}

}  // namespace tavik
