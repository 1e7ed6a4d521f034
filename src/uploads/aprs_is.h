// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "uploads/upload_sender.h"

namespace tavik {

// The callsign in capitals when it is one the network takes: letters and
// digits (at most six, at least one digit) with an optional SSID "-1".."-15"
// or "-" and one or two letters or digits; nothing otherwise.
std::optional<std::string> aprsCallsign(std::string_view text);

// Whether the callsign is a weather observer's number (CW, DW or EW and
// digits), which logs in without a passcode (-1).
bool isObserverNumber(std::string_view callsign);

// "user CALL pass PASSCODE vers Tavik VERSION", without its line end.
std::string aprsLoginLine(const std::string& callsign, int passcode, std::string_view version);

// What a "# logresp" line of the server says about the login: nothing when
// `line` is no logresp; accepted, or refused with the server's words. A
// callsign that logs in with a passcode must be "verified"; an observer
// number (passcode -1) is taken "unverified".
struct LoginVerdict {
  bool accepted = false;
  std::string words;  // the server's line without "# "
};
std::optional<LoginVerdict> aprsLoginVerdict(std::string_view line, bool withPasscode);

// A position "DDMM.mmN/DDDMM.mmE" as the weather report carries it: the
// text in capitals when it is one, nothing otherwise.
std::optional<std::string> aprsPosition(std::string_view text);
// The position of a point, latitude and longitude in degrees (north and east
// positive), to the hundredth of a minute.
std::string aprsPositionOf(double latitude, double longitude);
// CWOPPosition, or the centre of the locator when that is empty; nothing
// when neither gives a position.
std::optional<std::string> stationPosition(std::string_view setting, std::string_view locator);

// One position-weather packet:
// "CALL>APRS,TCPIP*:@DDHHMMz<position>_ddd/sssgGGGtTTTrRRRpPPPPPPhHHbBBBBB"
// and the software tag, the time of the record in UTC. The fields are the
// APRS file's: the mean wind and its direction, the highest speed of the last
// five minutes, mph; °F; rain in hundredths of an inch (r the last hour, p
// the last 24 hours, P since midnight); humidity with 00 for 100 %; pressure
// at sea level in tenths of a hPa. An absent value is dots of its width.
std::string cwopPacket(const std::string& callsign, const std::string& position,
                       const UploadRecord& record, std::string_view version);

}  // namespace tavik
