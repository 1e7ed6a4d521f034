// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes from the line, cut into arbitrary chunks, through the
// framer and the decoders. Each chunk is preceded by one byte giving its
// length, so the fuzzer explores how groups fall across chunk boundaries.
#include <cstddef>
#include <cstdint>
#include <span>

#include "dump/group_line.h"
#include "dump/record_fields.h"
#include "station/group_stream.h"
#include "station/plausibility_rules.h"

namespace {

// Short chunks mostly, now and then a long one (up to 4 KB).
size_t chunkLength(uint8_t b) {
  return b < 0xF0 ? b % 48 + 1 : static_cast<size_t>(b - 0xEF) * 256;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tavik;
  StationData station;
  GroupStream stream(station);
  stream.setGroupHandler([&station, &stream](GroupKind kind, bool checksumOk) {
    // The verdict agrees with the outcome, and the fields of an accepted
    // group can always be listed and printed.
    const std::string& verdict = station.verdicts.text(kind);
    if ((verdict == "OK!") != checksumOk) __builtin_trap();
    // No value outside its range ever enters the record.
    if (stream.lastEntered()) {
      for (const FieldRule& rule : fieldRules(kind)) {
        const int32_t v = rule.value(station.weather);
        if (v < rule.min || v > rule.max) __builtin_trap();
      }
    }
    if (checksumOk) {
      const std::string line =
          formatGroupLine(kind, verdict, groupFields(kind, station.weather, station.state), true);
      if (line.empty() || line.back() != '}') __builtin_trap();
    }
  });
  const std::span<const uint8_t> input(data, size);
  for (size_t at = 0; at < input.size();) {
    const size_t length = std::min(chunkLength(input[at]), input.size() - at - 1);
    stream.feed(input.subspan(at + 1, length));
    at += 1 + length;
  }
  return 0;
}
