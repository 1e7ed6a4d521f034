#include "dump_command_line.h"

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
    "  --chunk N  hand a file to the detectors N bytes at a time (default 1024)\n"
    "  --port D   read the serial device D (COMn, a path or a name under /dev/)\n"
    "  --help     show this text\n";

DumpCommandLine ParseDumpCommandLine(int argc, char** argv) {
  DumpCommandLine c;
  bool haveFile = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help") {
      c.help = true;
    } else if (arg == "--json") {
      c.json = true;
    } else if (arg == "--chunk") {
      c.chunk = ParseNumber<size_t>(arg, OptionValue(argc, argv, i));
      if (c.chunk == 0 || c.chunk > (1u << 24))
        throw UsageError("--chunk must lie between 1 and 16777216");
    } else if (arg == "--port") {
      c.port = OptionValue(argc, argv, i);
      if (c.port.empty()) throw UsageError("--port needs a device name");
    } else if (arg.size() > 1 && arg.starts_with("-")) {
      throw UsageError("unknown option: " + std::string(arg));
    } else if (haveFile) {
      throw UsageError("only one file can be read");
    } else {
      c.file = arg;
      haveFile = true;
    }
  }
  if (c.help) return c;
  if (haveFile == !c.port.empty()) throw UsageError("give either a FILE or --port DEVICE");
  if (c.file.empty() && haveFile) throw UsageError("the file name is empty");
  return c;
}

}  // namespace tavik
