// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-dump: the station's byte stream through the framer and decoders,
// one line per group.
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <vector>

#include "cli/stop_signals.h"
#include "common/command_line.h"
#include "dump_command_line.h"
#include "group_line.h"
#include "record_fields.h"
#include "station/group_stream.h"
#include "station/serial_port.h"

namespace tavik {
namespace {

constexpr int kUsageStatus = 2;

// Each group's line: its verdict and, after a right checksum, the fields as
// decoded, whether or not the plausibility check let them into the record;
// a refused group names the fields that made it impossible.
void printGroups(GroupStream& stream, const StationData& data, bool json, bool flushEach) {
  stream.setGroupHandler([&stream, &data, json, flushEach](GroupKind kind, bool checksumOk) {
    const StationData& decoded = stream.lastDecoded();
    const std::vector<RecordField> fields =
        checksumOk ? groupFields(kind, decoded.weather, decoded.state) : std::vector<RecordField>{};
    const PlausibilityCheck::Judgement& j = stream.lastJudgement();
    const bool refused = checksumOk && j.verdict == PlausibilityCheck::Verdict::Refused;
    std::cout << formatGroupLine(kind, data.verdicts.text(kind), fields, json,
                                 refused ? &j.refusedFields : nullptr)
              << '\n';
    if (flushEach) std::cout.flush();
  });
}

// Reads into `block` from `in`: until it is full or the input ends for a
// file, what has arrived for a pipe or a device. The bytes read, 0 at the
// end; throws on a read error.
size_t readBlock(int in, std::vector<uint8_t>& block, bool live, const std::string& name) {
  size_t filled = 0;
  while (filled < block.size()) {
    const ssize_t n = read(in, block.data() + filled, block.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw UsageError(name + " lässt sich nicht lesen: " + std::strerror(errno));
    if (n == 0) break;
    filled += static_cast<size_t>(n);
    if (live) break;
  }
  return filled;
}

// Closes a file descriptor at the end of a scope.
struct InputCloser {
  int fd;
  ~InputCloser() {
    if (fd != STDIN_FILENO) close(fd);
  }
};

// The input is read in large blocks and handed to the framer in pieces of
// c.chunk bytes. A file's block is a whole number of pieces, so every piece
// but the last has exactly c.chunk bytes; a pipe's pieces end where its
// arrived bytes end, and every line is printed at once.
int dumpFile(const DumpCommandLine& c) {
  constexpr size_t kBlockBytes = 1 << 20;
  const int in = c.file == "-" ? STDIN_FILENO : open(c.file.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) throw UsageError(c.file + " lässt sich nicht öffnen: " + std::strerror(errno));
  const InputCloser closer{in};
  struct stat st {};
  const bool live = fstat(in, &st) == 0 && !S_ISREG(st.st_mode);

  StationData data;
  GroupStream stream(data);
  printGroups(stream, data, c.json, live);
  std::vector<uint8_t> block(std::max(c.chunk, kBlockBytes / c.chunk * c.chunk));
  while (const size_t filled = readBlock(in, block, live, c.file)) {
    for (size_t at = 0; at < filled; at += c.chunk)
      stream.feed(std::span(block).subspan(at, std::min(c.chunk, filled - at)));
  }
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
    const tavik::DumpCommandLine c = tavik::parseDumpCommandLine(argc, argv);
    if (c.help) {
      std::cout << tavik::kDumpUsage;
      return 0;
    }
    if (c.version) {
      std::cout << tavik::versionText("tavik-dump");
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
