// SPDX-License-Identifier: GPL-3.0-or-later
#include "dump_command_line.h"

#include <getopt.h>

#include "cli/command_line.h"

namespace tavik {

const char* const kDumpUsage =
    "Usage: tavik-dump [--json] [--chunk N] FILE\n"
    "       tavik-dump [--json] --port DEVICE\n"
    "Reads the station's byte stream from FILE ('-' = standard input) or from a\n"
    "serial device (9600 baud 8N1, until interrupted), finds the data groups and\n"
    "prints one line per group: its kind, the checksum verdict and, when the\n"
    "checksum is right, every field it carries.\n"
    "\n"
    "  --json     print each group as one JSON object per line\n"
    "  --chunk N  hand a file to the framer N bytes at a time (default 1024)\n"
    "  --port D   read the serial device D (COMn, a path or a name under /dev/)\n"
    "  -h, --help show this text\n"
    "  --version  show the version\n"
    "Options with a value may also be written --chunk=N, --port=D.\n"
    "Exit status: 0 at the end of the input, 2 for a bad argument or an input\n"
    "that cannot be opened or read, 1 for any other failure.\n";

namespace {

enum Option { kJson = 1, kChunk, kPort, kHelp, kVersion };

void takeFile(DumpCommandLine& c, int argc, char** argv) {
  if (argc - optind > 1) throw UsageError("only one file can be read");
  const bool haveFile = argc - optind == 1;
  if (haveFile == !c.port.empty()) throw UsageError("give either a FILE or --port DEVICE");
  if (haveFile) c.file = argv[optind];
  if (haveFile && c.file.empty()) throw UsageError("the file name is empty");
}

}  // namespace

DumpCommandLine ParseDumpCommandLine(int argc, char** argv) {
  static const option kOptions[] = {
      {"json", no_argument, nullptr, kJson},       {"chunk", required_argument, nullptr, kChunk},
      {"port", required_argument, nullptr, kPort}, {"help", no_argument, nullptr, kHelp},
      {"version", no_argument, nullptr, kVersion}, {nullptr, 0, nullptr, 0}};
  DumpCommandLine c;
  opterr = 0;  // the messages below say what went wrong
  optind = 0;  // start afresh, also when parsed a second time
  for (int o; (o = getopt_long(argc, argv, ":h", kOptions, nullptr)) != -1;) {
    const char* arg = argv[optind - 1];
    switch (o) {
      case kJson:
        c.json = true;
        break;
      case kChunk:
        c.chunk = ParseNumber<size_t>("--chunk", optarg);
        if (c.chunk == 0 || c.chunk > (1u << 24))
          throw UsageError("--chunk must lie between 1 and 16777216");
        break;
      case kPort:
        c.port = optarg;
        if (c.port.empty()) throw UsageError("--port needs a device name");
        break;
      case kHelp:
      case 'h':
        c.help = true;
        break;
      case kVersion:
        c.version = true;
        break;
      case ':':
        throw UsageError(std::string(arg) + " needs a value");
      default:
        throw UsageError("unknown option: " + std::string(arg));
    }
  }
  if (c.help || c.version) return c;
  takeFile(c, argc, argv);
  return c;
}

}  // namespace tavik
