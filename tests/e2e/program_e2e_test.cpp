// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, offscreen, in a program folder of its own, reading the
// console simulator on a pseudo-terminal; the test reads the files it writes.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "program_process.h"
#include "station/group_stream.h"
#include "station/serial_port.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

std::string trimmed(const std::string& s) {
  const size_t first = s.find_first_not_of(' ');
  return first == std::string::npos ? "" : s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The value after the label of a report line, up to the next blank.
std::string reportValue(const std::string& report, const std::string& label) {
  for (const std::string& line : lines(report)) {
    if (line.rfind(label, 0) == 0) {
      const std::string rest = line.substr(label.size());
      return rest.substr(0, rest.find(' '));
    }
  }
  return "";
}

// A program folder with its own copy of tavik, the simulator on a
// pseudo-terminal whose path the settings name as the port.
class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavik-e2e-XXXXXX";
    dir_ = mkdtemp(pattern);
    fs::copy_file(TAVIK_BINARY, dir_ / "tavik");
    link_ = dir_ / "console";
    sim_ = std::make_unique<Child>(
        std::vector<std::string>{TAVIK_SIM_BINARY, "--link", link_.string(), "--speed", "20",
                                 "--seed", "7", "--capture", (dir_ / "capture.bin").string()},
        std::vector<std::string>{}, dir_ / "sim.out", dir_);
    ASSERT_TRUE(sim_->started());
    ASSERT_TRUE(waitFor([&] { return fs::exists(link_); }, 10s));
  }
  void TearDown() override {
    program_.reset();
    sim_.reset();
    fs::remove_all(dir_);
  }

  void writeSettings(const std::string& lines) {
    TextFileWriter w;
    ASSERT_TRUE(w.open(dir_ / "tavout.ini", TextFileWriter::Mode::Truncate));
    std::istringstream in(lines);
    for (std::string line; std::getline(in, line);) ASSERT_TRUE(w.writeLine(line));
    ASSERT_TRUE(w.close());
  }
  void startProgram() {
    // A clock started at noon, so that no run meets a new day (and a new
    // Wetterlog file) whenever it happens.
    program_ = std::make_unique<Child>(
        std::vector<std::string>{(dir_ / "tavik").string()},
        std::vector<std::string>{"QT_QPA_PLATFORM=offscreen", "TAVIK_CLOCK_START=2026-06-15T12:00"},
        dir_ / "tavik.out", fs::temp_directory_path());
    ASSERT_TRUE(program_->started());
  }
  std::string settingsAfterExit() { return readFile(dir_ / "tavout.ini"); }
  // SIGTERM ends the program, and the end follows the signal: on a busy
  // machine the way out may take its time, but the program neither blocks
  // nor waits for a timer on it.
  void stopPromptly() {
    std::chrono::milliseconds idle{};
    EXPECT_EQ(program_->stopMeasuringIdle(60s, idle), 0) << rawFile(dir_ / "tavik.out");
    EXPECT_GE(idle, 0ms);
    EXPECT_LT(idle, 2s) << idle.count() << " ms without running or waiting to run";
  }

  // Every value of one field the simulator sent, decoded from its capture.
  std::set<std::string> sentValues(const std::function<std::string(const StationData&)>& field) {
    std::ifstream in(dir_ / "capture.bin", std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), {});
    StationData data;
    GroupStream stream(data);
    std::set<std::string> values;
    stream.setGroupHandler([&](GroupKind, bool ok) {
      if (ok) values.insert(field(data));
    });
    stream.feed(bytes);
    return values;
  }

  fs::path dir_;
  fs::path link_;
  std::unique_ptr<Child> sim_;
  std::unique_ptr<Child> program_;
};

std::string tenthsWithPoint(long long tenths) {
  std::ostringstream s;
  s << (tenths < 0 ? "-" : "") << std::llabs(tenths) / 10 << '.' << std::llabs(tenths) % 10;
  return s.str();
}

// A pipe in place of tavout.ini holds up neither the start nor the end, and
// is left as it is; a pipe in place of the Wetterlog is refused with what it
// is, once over many writes, while the Read page is written; once the pipe is
// gone, the Wetterlog is written again and says so once.
TEST_F(ProgramTest, APipeInPlaceOfTheSettingsOrTheWetterlogHoldsNothingUp) {
  const fs::path ini = dir_ / "tavout.ini";
  ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0);
  startProgram();
  EXPECT_TRUE(waitFor(
      [&] {
        return rawFile(dir_ / "tavik.out").find(" kann nicht gelesen werden (eine Pipe (FIFO)") !=
               std::string::npos;
      },
      30s))
      << rawFile(dir_ / "tavik.out");
  stopPromptly();
  EXPECT_TRUE(fs::is_fifo(ini));

  fs::remove(ini);
  writeSettings("[Alles]\nComport=" + link_.string() +
                "\nActiveAtStratup=1\nReadInterval=500\n[Wetterlog]\nLogInterval=500\n");
  const fs::path log = dir_ / "t15.06.26.txt";
  ASSERT_EQ(mkfifo(log.c_str(), 0600), 0);
  startProgram();
  EXPECT_TRUE(waitFor([&] { return fs::exists(dir_ / "Wetter.txt"); }, 60s))
      << rawFile(dir_ / "tavik.out");
  const std::string refusal = log.string() + " ist eine Pipe (FIFO), keine gewöhnliche Datei.";
  EXPECT_TRUE(
      waitFor([&] { return rawFile(dir_ / "tavik.out").find(refusal) != std::string::npos; }, 30s))
      << rawFile(dir_ / "tavik.out");
  // The Read page carries the time to the second: each new version is
  // another second of writes.
  const auto secondsPass = [&](int n) {
    std::set<std::string> versions;
    return waitFor(
        [&] {
          versions.insert(rawFile(dir_ / "Wetter.txt"));
          return versions.size() > static_cast<size_t>(n);
        },
        30s);
  };
  EXPECT_TRUE(secondsPass(3));
  EXPECT_TRUE(fs::is_fifo(log));
  fs::remove(log);
  EXPECT_TRUE(waitFor([&] { return lines(rawFile(log)).size() >= 2; }, 30s))
      << rawFile(dir_ / "tavik.out");
  EXPECT_TRUE(secondsPass(3));
  stopPromptly();
  const std::string out = rawFile(dir_ / "tavik.out");
  EXPECT_EQ(countOf(out, refusal), 1) << out;
  EXPECT_EQ(countOf(out, "Wieder geschrieben: Wetterlog\n"), 1) << out;
}

TEST_F(ProgramTest, ActiveAtStartWritesReadImportAndWetterlogAndSavesOnSigterm) {
  writeSettings("[Alles]\nComport=" + link_.string() +
                "\nActiveAtStratup=1\nReadInterval=2000\nImportInterval=2000\nMaxProfil=2\n"
                "[Wetterlog]\nLogInterval=2000\n"
                "[Profile]\nProfil1=Lesen\nProfil2=Balkon\n"
                "[Balkon]\nEmpfänger=ALL\nAbsender=DL0XX\nBetreff=Wetter am Balkon\nWieWinGT=1\n");
  startProgram();

  const fs::path read = dir_ / "Wetter.txt";
  const fs::path import = dir_ / "Balkon.txt";
  // The reports are rewritten every two seconds; wait for one made after
  // the barometer group arrived.
  ASSERT_TRUE(waitFor(
      [&] {
        const std::string v = reportValue(readFile(read), " Luftdruck QFE             : ");
        return !v.empty() && v != "0";
      },
      60s))
      << rawFile(dir_ / "tavik.out");
  ASSERT_TRUE(waitFor([&] { return fs::exists(import); }, 10s));
  fs::path log;
  ASSERT_TRUE(waitFor(
      [&] {
        for (const auto& e : fs::directory_iterator(dir_)) {
          const std::string name = e.path().filename().string();
          if (name.size() == 13 && name[0] == 't' && name.ends_with(".txt")) log = e.path();
        }
        return !log.empty() && lines(readFile(log)).size() >= 3;
      },
      20s));
  EXPECT_EQ(program_->stop(), 0);
  sim_->stop();  // so that its capture is complete

  const std::string report = readFile(read);
  const std::vector<std::string> readLines = lines(report);
  ASSERT_GE(readLines.size(), 30u);
  EXPECT_EQ(readLines[0], "");  // profile 1 has no message header and no subject
  EXPECT_TRUE(report.find("Aktuelle Wetterwerte vom ") != std::string::npos);
  EXPECT_TRUE(report.find("[Tavik Output 0.1.9.8b") != std::string::npos);
  // The values shown were sent by the simulator.
  const auto qfe =
      sentValues([](const StationData& d) { return std::to_string(d.weather.Baro.Local); });
  EXPECT_TRUE(qfe.count(reportValue(report, " Luftdruck QFE             : ")));
  const auto outside =
      sentValues([](const StationData& d) { return tenthsWithPoint(d.weather.TempOut.Current); });
  EXPECT_TRUE(outside.count(reportValue(report, " Aussentemperatur          : ")))
      << reportValue(report, " Aussentemperatur          : ");

  const std::vector<std::string> importLines = lines(readFile(import));
  ASSERT_GE(importLines.size(), 2u);
  EXPECT_EQ(importLines[0].substr(0, 25), "ALL              de:DL0XX");
  EXPECT_EQ(importLines[1], "Wetter am Balkon");

  // Fixed columns count Windows-1252 bytes, so read the log as it is stored.
  const std::vector<std::string> logLines = lines(rawFile(log));
  EXPECT_EQ(logLines[0].size(), 136u);
  EXPECT_EQ(logLines[0].substr(0, 19), "   Datum    Uhrzeit");
  // Rows in fixed columns; the local pressure (BaroL) is one the simulator sent.
  for (size_t i = 1; i < logLines.size(); ++i) {
    ASSERT_EQ(logLines[i].size(), 136u) << logLines[i];
    const std::string baro = trimmed(logLines[i].substr(65, 7));
    EXPECT_TRUE(baro == "0" || qfe.count(baro)) << logLines[i];
  }

  const std::string saved = settingsAfterExit();
  EXPECT_TRUE(saved.find("ActiveAtStratup=1") != std::string::npos);
  EXPECT_TRUE(saved.find("Comport=" + link_.string()) != std::string::npos);
  EXPECT_TRUE(saved.find("ReadInterval=2000") != std::string::npos);
  EXPECT_TRUE(saved.find("LogInterval=2000") != std::string::npos);
  EXPECT_TRUE(saved.find("[Balkon]") != std::string::npos);
  EXPECT_TRUE(saved.find("Empfänger=ALL") != std::string::npos);
}

TEST_F(ProgramTest, PortHeldByAnotherProgramLeavesTavikInactive) {
  SerialPort holder;
  holder.setPortName(link_.string());
  ASSERT_NO_THROW(holder.Open());
  writeSettings("[Alles]\nComport=" + link_.string() + "\nActiveAtStratup=1\n");
  startProgram();
  const std::string expected = "Comport belegt: " + link_.string() + " kann nich geöffnet werden.";
  EXPECT_TRUE(
      waitFor([&] { return rawFile(dir_ / "tavik.out").find(expected) != std::string::npos; }, 30s))
      << rawFile(dir_ / "tavik.out");
  EXPECT_EQ(program_->stop(), 0);
  const std::string saved = settingsAfterExit();
  EXPECT_TRUE(saved.find("ActiveAtStratup=0") != std::string::npos) << saved;
  EXPECT_FALSE(fs::exists(dir_ / "Wetter.txt"));
}

// A failed save at exit after SIGTERM goes to standard error, shows no box
// that nobody would close, and the program ends at once.
TEST_F(ProgramTest, UnsavableSettingsAndSigtermExitPromptlyWithTheMessageOnStderr) {
  fs::create_directory(dir_ / "tavout.ini");
  startProgram();
  const std::string loadFailure = (dir_ / "tavout.ini").string() + " kann nicht gelesen werden";
  ASSERT_TRUE(waitFor(
      [&] { return rawFile(dir_ / "tavik.out").find(loadFailure) != std::string::npos; }, 30s))
      << rawFile(dir_ / "tavik.out");
  stopPromptly();
  EXPECT_EQ(countOf(rawFile(dir_ / "tavik.out"), "Tavik: In " + (dir_ / "tavout.ini").string() +
                                                     " kann nicht geschrieben werden"),
            1)
      << rawFile(dir_ / "tavik.out");
}

// The measure of an exit tells a program that waits after the signal from
// one that works on its way out, however long the work takes on a busy
// machine.
TEST(ExitMeasure, TellsAWaitAfterTheSignalFromWork) {
  const fs::path out = fs::temp_directory_path() / ("tavik-exit-" + std::to_string(getpid()));
  Child waits({"/bin/sh", "-c", "trap 'sleep 3; exit 0' TERM; while :; do sleep 0.05; done"}, {},
              out, fs::temp_directory_path());
  Child works({"/bin/sh", "-c",
               "trap 'i=0; while [ $i -lt 50000 ]; do i=$((i+1)); done; exit 0' TERM; "
               "while :; do sleep 0.05; done"},
              {}, out, fs::temp_directory_path());
  std::this_thread::sleep_for(300ms);  // both traps set
  std::chrono::milliseconds waited{}, worked{};
  EXPECT_EQ(waits.stopMeasuringIdle(60s, waited), 0);
  EXPECT_EQ(works.stopMeasuringIdle(60s, worked), 0);
  EXPECT_GE(waited, 2500ms);
  EXPECT_GE(worked, 0ms);
  EXPECT_LT(worked, 1s);
  fs::remove(out);
}

// Installed under a folder the user may not write, the program keeps its
// settings in ~/.config/tavik/ and its products in ~/.local/share/tavik/.
TEST(StationFolderE2e, ReadOnlyProgramFolderRunsFromTheXdgFoldersOfAnUnprivilegedUser) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to act as nobody";
  char pattern[] = "/tmp/tavik-xdg-XXXXXX";
  const fs::path root = mkdtemp(pattern);
  fs::permissions(root, fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
  const fs::path bin = root / "bin";
  const fs::path home = root / "home";
  fs::create_directory(bin);
  fs::create_directory(home);
  fs::copy_file(TAVIK_BINARY, bin / "tavik");
  fs::permissions(bin, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  const fs::path config = home / ".config" / "tavik";
  fs::create_directories(config);
  const std::vector<std::string> asNobody{"/usr/bin/setpriv", "--reuid=65534", "--regid=65534",
                                          "--clear-groups", "--"};
  const fs::path link = home / "console";
  std::ofstream(config / "tavout.ini", std::ios::binary)
      << "[Alles]\r\nComport=" << link.string() << "\r\nActiveAtStratup=1\r\nReadInterval=2000\r\n";
  ASSERT_EQ(system(("chown -R 65534:65534 " + home.string()).c_str()), 0);
  fs::permissions(home, fs::perms::owner_all);

  auto sim = startSimulator(link, home, 20, asNobody);
  ASSERT_NE(sim, nullptr);
  std::vector<std::string> argv = asNobody;
  for (const std::string& a :
       {std::string("/usr/bin/env"), std::string("-u"), std::string("XDG_CONFIG_HOME"),
        std::string("-u"), std::string("XDG_DATA_HOME"), "HOME=" + home.string(),
        (bin / "tavik").string()}) {
    argv.push_back(a);
  }
  Child program(argv, {"QT_QPA_PLATFORM=offscreen"}, root / "tavik.out", root);
  ASSERT_TRUE(program.started());
  const fs::path read = home / ".local" / "share" / "tavik" / "Wetter.txt";
  EXPECT_TRUE(waitFor([&] { return fs::exists(read); }, 60s)) << rawFile(root / "tavik.out");
  EXPECT_EQ(program.stop(), 0);
  sim.reset();

  EXPECT_TRUE(readFile(read).find("Aktuelle Wetterwerte vom ") != std::string::npos);
  const std::string saved = readFile(config / "tavout.ini");
  EXPECT_TRUE(saved.find("ReadInterval=2000") != std::string::npos) << saved;
  EXPECT_TRUE(saved.find("WinGTRead=" + (home / ".local/share/tavik/").string()) !=
              std::string::npos)
      << saved;
  EXPECT_EQ(std::vector<fs::path>(fs::directory_iterator(bin), {}),
            std::vector<fs::path>{bin / "tavik"});
  fs::remove_all(root);
}

}  // namespace
}  // namespace tavik
