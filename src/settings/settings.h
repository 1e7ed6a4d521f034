// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace tavik {

// Every setting of the program, named by its key in tavout.ini. The initial
// values are the program's state at creation, before the settings file is read
// (the port name "COM3", the timers' periods at creation); the defaults for
// keys missing from the file are applied by the loader.
struct Settings {
  // Section "Alles"
  std::string Comport = "COM3";
  std::string WinGTImport;  // folder of the Import reports
  std::string WinGTRead;    // folder of the Read report
  std::string MyLocator = "JO30XN";
  std::string APRSDatei;
  int32_t ReadInterval = 0;         // period of readtimer, ms
  int32_t ImportInterval = 300000;  // period of importtimer, ms
  uint16_t APRSIntervall = 1;       // minutes; 0 = none (a 16-bit setting, kept unsigned)
  int32_t Zeitzone = 1;             // local time minus UTC, whole hours
  uint8_t ZeitzoneIndex = 11;
  bool CatchPeak = false;
  bool EOFKennung = false;
  bool NormalRegen = true;
  bool APRSRechnerZeit = true;
  bool autoImport = true;
  bool autoRead = true;
  bool autoLog = true;
  bool autoAPRS = true;
  // Line end of the APRS file: "CRLF" or "LF" (for readers on Linux, such as
  // Xastir); any other text counts as "CRLF".
  std::string APRSZeilenende = "CRLF";

  // Section "Wetterlog"
  bool LogMonatsordner = false;
  bool LogWochenordner = false;
  bool LogUnterordner = false;
  uint8_t LogUpdate = 0;  // 0 daily, 1 weekly, 2 monthly
  std::string LogOrdner;
  int32_t LogInterval = 600000;  // period of logtimer, ms

  // Section "ASYNOP"
  bool ASYNOPArchiv = false;
  uint8_t ASYNOPErdquadrant = 1;
  bool ASYNOPIntervall = false;  // clear: one daily summary, set: four reports a day
  std::string ASYNOPAbsender = "ZZ9ZZ";
  std::string ASYNOPEmpf = "ASYNOP@DL";
  std::string ASYNOPVor = "Wetterdaten WMR918";
  std::string ASYNOPNach;
  std::string ASYNOPDatei;
  std::string ASYNOPLat = "505";
  std::string ASYNOPLong = "080";
  bool ASYNOPMonatsordner = false;
  bool ASYNOPWochenordner = false;

  // Section "MQTT": the publisher for home automation, off while MQTTServer
  // is empty. tavout.ini names the password file, never the password.
  std::string MQTTServer;  // "host" or "host:port"
  std::string MQTTBenutzer;
  std::string MQTTPasswortDatei;
  bool MQTTTLS = false;
  std::string MQTTCADatei;
  std::string MQTTThema;       // topic prefix; empty: "tavik/<station>"
  int32_t MQTTIntervall = 60;  // seconds; 0: on every group, at most once a second

  // Section "CWOP": the weather report to APRS-IS. tavout.ini names the
  // passcode's file, if any, never a passcode read from it.
  bool CWOPAktiv = false;
  std::string CWOPRufzeichen;  // a callsign with SSID, or a CW/DW/EW number
  int32_t CWOPPasscode = -1;   // -1: none (observer numbers)
  std::string CWOPSchluesselDatei;
  std::string CWOPServer = "cwop.aprs.net:14580";
  int32_t CWOPIntervall = 10;  // minutes, at least 5
  std::string CWOPPosition;    // "DDMM.mmN/DDDMM.mmE"; empty: the centre of MyLocator

  // Section "Wunderground": the upload to Weather Underground; the key lives
  // in its own file.
  bool WUAktiv = false;
  std::string WUStationID;
  std::string WUSchluesselDatei;
  std::string WUServer =
      "https://weatherstation.wunderground.com/weatherstation/updateweatherstation.php";
  int32_t WUIntervall = 5;  // minutes

  // Section "Web"
  std::string WebOrdner;     // folder of index.html, current.json and the climate reports
  int32_t WebIntervall = 5;  // minutes; 0 = none
  std::string WebTitel = "Wetterstation";  // the page's title
  std::string Hoehe;                       // the station's height in metres; empty: not known

  // Section "Archiv": the station archive, one row per ArchivIntervall
  // minutes while ArchivAktiv is set.
  std::string ArchivDatei;      // the archive file; default archive.sqlite in the product folder
  int32_t ArchivIntervall = 1;  // minutes; 0 = none
  bool ArchivAktiv = true;

  // Section "Fenster": where the main window was at the last exit (a width or
  // height of 0: never stored, the window takes its own size, centred; a
  // maximised window stores its normal place and size), whether it was
  // maximised, and the hours its charts span (3, 12 or 24).
  int32_t WindowLeft = 0;
  int32_t WindowTop = 0;
  int32_t WindowWidth = 0;
  int32_t WindowHeight = 0;
  bool WindowMaximized = false;
  uint8_t ChartHours = 3;

  // Sections "Farben" and "Schriften": display groups GroupBox2..GroupBox11,
  // index 0 is group 2. Colours are 0x00BBGGRR, or 0x80000000 + n for system
  // colour n.
  std::array<int32_t, 10> groupColor{};
  std::array<int32_t, 10> groupFontSize{};
  std::array<int32_t, 10> groupFontColor{};

  Settings() {
    groupColor.fill(static_cast<int32_t>(0x8000000Fu));
    groupFontSize.fill(8);
    groupFontColor.fill(8);
  }

  friend bool operator==(const Settings&, const Settings&) = default;
};

}  // namespace tavik
