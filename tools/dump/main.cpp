// tavik-dump: the station's byte stream through the detectors and decoders,
// one line per group.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "cli/command_line.h"
#include "cli/stop_signals.h"
#include "dump_command_line.h"
#include "group_line.h"
#include "record_fields.h"
#include "station/group_stream.h"
#include "station/serial_port.h"

namespace tavik {
namespace {

constexpr int kUsageStatus = 2;

void printGroups(GroupStream& stream, const StationData& data, bool json, bool flushEach) {
  stream.setGroupHandler([&data, json, flushEach](GroupKind kind, bool checksumOk) {
    const std::vector<RecordField> fields =
        checksumOk ? GroupFields(kind, data.weather, data.state) : std::vector<RecordField>{};
    std::cout << FormatGroupLine(kind, data.verdicts.text(kind), fields, json) << '\n';
    if (flushEach) std::cout.flush();
  });
}

// A file is handed over in chunks of exactly c.chunk bytes (the last one
// shorter); a pipe in what has arrived, at most c.chunk bytes, with every
// line printed at once.
int dumpFile(const DumpCommandLine& c) {
  const bool standardInput = c.file == "-";
  const int in = standardInput ? STDIN_FILENO : open(c.file.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw UsageError("cannot open " + c.file + ": " + std::strerror(errno));
  struct stat st {};
  const bool live = fstat(in, &st) == 0 && !S_ISREG(st.st_mode);

  StationData data;
  GroupStream stream(data);
  printGroups(stream, data, c.json, live);
  std::vector<uint8_t> chunk(c.chunk);
  int error = 0;
  for (;;) {
    size_t filled = 0;
    ssize_t n = 0;
    // Fill the chunk from a file; take what there is from a pipe.
    while (filled < chunk.size() &&
           (n = read(in, chunk.data() + filled, chunk.size() - filled)) != 0) {
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        error = errno;
        break;
      }
      filled += static_cast<size_t>(n);
      if (live) break;
    }
    if (filled > 0) stream.feed(std::span(chunk).first(filled));
    if (n <= 0) break;
  }
  if (!standardInput) close(in);
  std::cout.flush();
  if (error != 0) throw UsageError("cannot read " + c.file + ": " + std::strerror(error));
  return 0;
}

int dumpPort(const DumpCommandLine& c) {
  StopSignals stop;
  StationData data;
  GroupStream stream(data);
  printGroups(stream, data, c.json, true);
  SerialPort port;
  port.setPortName(c.port);
  stream.attach(port);
  try {
    port.Open();
  } catch (const PortError& e) {
    throw UsageError(e.what());
  }
  // Wait on the line and the stop signals together; a lost line is tried
  // again now and then.
  while (!stop.arrived()) {
    pollfd fds[2] = {{stop.fd(), POLLIN, 0}, {port.fd(), POLLIN, 0}};
    const bool haveLine = port.fd() >= 0;
    const int ready = poll(fds, haveLine ? 2 : 1, haveLine ? -1 : SerialPort::reopenIntervalMs);
    if (ready < 0 && errno != EINTR) break;
    if (haveLine && fds[1].revents != 0) {
      port.handleReadable();
    } else if (!haveLine && port.lineLost()) {
      port.tryReopen();
    }
  }
  port.Close();
  return 0;
}

}  // namespace
}  // namespace tavik

int main(int argc, char** argv) {
  try {
    const tavik::DumpCommandLine c = tavik::ParseDumpCommandLine(argc, argv);
    if (c.help) {
      std::cout << tavik::kDumpUsage;
      return 0;
    }
    return c.port.empty() ? tavik::dumpFile(c) : tavik::dumpPort(c);
  } catch (const tavik::UsageError& e) {
    std::cout.flush();
    std::cerr << "tavik-dump: " << e.what() << '\n';
    return tavik::kUsageStatus;
  } catch (const std::system_error& e) {
    std::cerr << "tavik-dump: " << e.what() << '\n';
    return 1;
  }
}
