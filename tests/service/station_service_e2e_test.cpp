// SPDX-License-Identifier: GPL-3.0-or-later
// tavik-station as a process: against the simulator on a pseudo-terminal, in
// a station folder of its own, with an accelerated clock; signals, a second
// instance and --check.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "../e2e/program_process.h"
#include "common/version.h"

namespace tavik {
namespace {

using namespace tavik::e2e;

constexpr int kScale = 120;  // one simulated minute in half a second
// Every run starts its clock at the same local moment, whatever the hour: 20
// simulated minutes before 00 UTC (a zone an hour ahead of UTC) on the first
// of a year, so the ASYNOP bulletin comes within seconds, over the turn of
// the year.
constexpr const char* kClockStart = "TAVIK_CLOCK_START=2027-01-01T00:40:00";
constexpr const char* kZone = "TZ=Etc/GMT-1";

// A datagram socket in the place of systemd's, which keeps what the service
// tells it (sd_notify).
class NotifySocket {
 public:
  explicit NotifySocket(const fs::path& path) : path_(path) {
    fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    path.string().copy(address.sun_path, sizeof address.sun_path - 1);
    bound_ =
        fd_ >= 0 && bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  }
  ~NotifySocket() {
    if (fd_ >= 0) close(fd_);
  }
  NotifySocket(const NotifySocket&) = delete;
  NotifySocket& operator=(const NotifySocket&) = delete;

  bool bound() const { return bound_; }
  std::string environment() const { return "NOTIFY_SOCKET=" + path_.string(); }
  // Everything received so far, one message a line.
  const std::string& received() {
    char buffer[4096];
    for (ssize_t n; (n = recv(fd_, buffer, sizeof buffer, 0)) > 0;) {
      received_.append(buffer, static_cast<size_t>(n)).append("\n");
    }
    return received_;
  }
  // Every status received so far, oldest first.
  std::vector<std::string> statuses() {
    std::vector<std::string> all;
    std::istringstream messages(received());
    for (std::string line; std::getline(messages, line);) {
      if (line.starts_with("STATUS=")) all.push_back(line.substr(7));
    }
    return all;
  }
  bool saw(const std::string& status) {
    const std::vector<std::string> all = statuses();
    return std::find(all.begin(), all.end(), status) != all.end();
  }

 private:
  fs::path path_;
  int fd_ = -1;
  bool bound_ = false;
  std::string received_;
};

class StationServiceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavik-station-XXXXXX";
    dir_ = mkdtemp(pattern);
    link_ = dir_ / "console";
    sim_ = startSimulator(link_, dir_, kScale);
    ASSERT_NE(sim_, nullptr);
  }
  void TearDown() override {
    services_.clear();
    sim_.reset();
    fs::remove_all(dir_);
  }

  // Every product on, each once a simulated minute.
  std::string everyProduct(const std::string& logInterval = "60000") const {
    return "[Alles]\r\nComport=" + link_.string() +
           "\r\nActiveAtStratup=0\r\nReadInterval=60000\r\nImportInterval=60000\r\n"
           "APRSIntervall=1\r\nMaxProfil=2\r\n"
           "[Wetterlog]\r\nLogInterval=" +
           logInterval +
           "\r\n[ASYNOP]\r\nASYNOPIntervall=1\r\n"
           "[Profile]\r\nProfil1=Lesen\r\nProfil2=Balkon\r\n"
           "[Balkon]\r\nEmpf\xe4nger=ALL\r\nAbsender=DL0XX\r\nBetreff=Wetter am Balkon\r\n"
           "WieWinGT=1\r\n";
  }
  Child& startService(const fs::path& folder, const std::string& name = "station",
                      const std::string& extraEnv = "") {
    std::vector<std::string> env{"TAVIK_TIME_SCALE=" + std::to_string(kScale), kClockStart, kZone};
    if (!extraEnv.empty()) env.push_back(extraEnv);
    services_.push_back(std::make_unique<Child>(
        std::vector<std::string>{TAVIK_STATION_BINARY, "--folder", folder.string()}, env,
        dir_ / (name + ".out"), fs::temp_directory_path()));
    EXPECT_TRUE(services_.back()->started());
    return *services_.back();
  }
  std::string output(const std::string& name = "station") const {
    return rawFile(dir_ / (name + ".out"));
  }
  fs::path logFile() const {
    for (const auto& e : fs::directory_iterator(dir_)) {
      const std::string name = e.path().filename().string();
      if (name.size() == 13 && name[0] == 't' && name.ends_with(".txt")) return e.path();
    }
    return {};
  }

  fs::path dir_;
  fs::path link_;
  std::unique_ptr<Child> sim_;
  std::vector<std::unique_ptr<Child>> services_;
};

TEST_F(StationServiceTest, WritesEveryProductUnattendedAndEndsOnSigtermLeavingTheSettings) {
  const std::string ini = everyProduct();
  writeRaw(dir_ / "tavout.ini", ini);
  Child& service = startService(dir_);

  // Inactive in the file, active all the same; a few simulated minutes bring
  // every product, the ASYNOP report at 00 UTC.
  const fs::path read = dir_ / "Wetter.txt";
  const fs::path import = dir_ / "Balkon.txt";
  const fs::path aprs = dir_ / "aprs.txt";
  const fs::path asynop = dir_ / "asynop.txt";
  ASSERT_TRUE(
      waitFor([&] { return fs::exists(read) && fs::exists(import) && fs::exists(aprs); }, 60s))
      << output();
  EXPECT_TRUE(waitFor([&] { return fs::exists(asynop); }, 60s)) << output();
  ASSERT_TRUE(waitFor([&] { return lines(rawFile(logFile())).size() >= 3; }, 30s)) << output();

  // The end follows the signal: on a busy machine the way out may take its
  // time, but the service neither blocks nor waits for a timer on it.
  std::chrono::milliseconds idle{};
  EXPECT_EQ(service.stopMeasuringIdle(60s, idle), 0);
  EXPECT_GE(idle, 0ms);
  EXPECT_LT(idle, 2s) << idle.count() << " ms without running or waiting to run";
  EXPECT_EQ(rawFile(dir_ / "tavout.ini"), ini);
  EXPECT_TRUE(output().empty()) << output();  // no failure on a sound line

  // The files in the shape tavik writes them: Windows-1252, CR LF.
  const std::string report = rawFile(read);
  EXPECT_NE(report.find("\r\nAktuelle Wetterwerte vom "), std::string::npos) << report;
  EXPECT_EQ(report.find('\n'), report.find("\r\n") + 1);
  EXPECT_EQ(lines(readFile(import))[0].substr(0, 25), "ALL              de:DL0XX");
  const std::vector<std::string> logLines = lines(rawFile(logFile()));
  for (const std::string& row : logLines) EXPECT_EQ(row.size(), 136u) << row;
  EXPECT_TRUE(std::regex_search(rawFile(aprs), std::regex("\\d{3}/\\d{3}g\\d{3}t-?\\d{2,3}h")))
      << rawFile(aprs);
  const std::string bulletin = readFile(asynop);
  EXPECT_NE(bulletin.find("SXSX"), std::string::npos) << bulletin;
  EXPECT_NE(bulletin.find("\nASYNOP 270101\r\n"), std::string::npos) << bulletin;
  EXPECT_NE(bulletin.find("\nZZ9ZZ  "), std::string::npos) << bulletin;
}

// Whatever stands at a product's path instead of a file (a pipe nobody
// reads, a pipe whose reader never reads, a socket) is refused with what it
// is, once over many minutes; the other products go on, a product written
// again says so once, and SIGTERM still ends the service at once.
TEST_F(StationServiceTest, NoThingInAProductFilesPlaceStopsTheStation) {
  writeRaw(dir_ / "tavout.ini", everyProduct());
  const fs::path log = dir_ / "t01.01.27.txt";
  const fs::path page = dir_ / "Wetter.txt";
  const fs::path work = dir_ / "asynoptmp.txt";
  const fs::path aprs = dir_ / "aprs.txt";
  for (const fs::path& p : {log, page, work}) ASSERT_EQ(mkfifo(p.c_str(), 0600), 0) << p;
  const int reader = open(page.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  const int sock = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", aprs.c_str());
  ASSERT_EQ(bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);

  // Its standard error is taken for the journal's: every line carries its
  // priority.
  writeRaw(dir_ / "station.out", "");
  struct stat out {};
  ASSERT_EQ(stat((dir_ / "station.out").c_str(), &out), 0);
  Child& service = startService(
      dir_, "station",
      "JOURNAL_STREAM=" + std::to_string(out.st_dev) + ":" + std::to_string(out.st_ino));
  ASSERT_TRUE(waitFor([&] { return fs::exists(dir_ / "Balkon.txt"); }, 60s)) << output();
  const std::string pipe = " ist eine Pipe (FIFO), keine gewöhnliche Datei.";
  const std::vector<std::string> refusals{
      log.string() + pipe, page.string() + pipe, work.string() + pipe,
      aprs.string() + " ist ein Socket, keine gewöhnliche Datei."};
  for (const std::string& said : refusals) {
    EXPECT_TRUE(waitFor([&] { return output().find(said) != std::string::npos; }, 30s))
        << said << "\n"
        << output();
  }
  // Some simulated minutes of refusals, then a Wetterlog that can be written
  // again, then some more minutes.
  const auto minutesPass = [&](int n) {
    std::set<std::string> versions;
    return waitFor(
        [&] {
          versions.insert(rawFile(dir_ / "Balkon.txt"));
          return versions.size() > static_cast<size_t>(n);
        },
        30s);
  };
  EXPECT_TRUE(minutesPass(3)) << output();
  fs::remove(log);
  EXPECT_TRUE(waitFor(
      [&] { return output().find("Wieder geschrieben: Wetterlog") != std::string::npos; }, 30s))
      << output();
  EXPECT_TRUE(minutesPass(3)) << output();
  EXPECT_EQ(service.stop(5s), 0);
  for (const std::string& said : refusals) EXPECT_EQ(countOf(output(), said), 1) << output();
  EXPECT_EQ(countOf(output(), "<6>Wieder geschrieben: Wetterlog\n"), 1) << output();
  EXPECT_EQ(countOf(output(), "<6>Wieder geschrieben: Read-Datei\n"), 1) << output();
  EXPECT_EQ(countOf(output(), "Wieder geschrieben: "), 2) << output();
  EXPECT_GE(lines(rawFile(log)).size(), 2u);
  for (const std::string& line : lines(output())) {
    // A refused file stops its product: a failure.
    const bool refusal = line.find("keine gewöhnliche Datei") != std::string::npos ||
                         line.find("Fehler beim") != std::string::npos;
    EXPECT_TRUE(line.starts_with(refusal ? "<3>" : "<")) << line;
    EXPECT_TRUE(line.size() > 3 && line[2] == '>' &&
                std::string("346").find(line[1]) != std::string::npos)
        << line;
  }
  EXPECT_TRUE(fs::is_fifo(work));
  // The Read page makes way for its next version, what stood there too.
  EXPECT_NE(rawFile(page).find("Aktuelle Wetterwerte vom "), std::string::npos);
  char byte = 0;
  EXPECT_LE(::read(reader, &byte, 1), 0);  // nothing went into the pipe
  close(reader);
  close(sock);
}

// A pipe in place of tavout.ini or of the MQTT password file, and /dev/zero
// as the password file, neither hold up the start nor the end.
TEST_F(StationServiceTest, APipeOrADeviceForTheSettingsOrThePasswordHoldsNothingUp) {
  const fs::path ini = dir_ / "tavout.ini";
  ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0);
  Child& first = startService(dir_, "first");
  EXPECT_TRUE(waitFor(
      [&] {
        return output("first").find(
                   ini.string() +
                   " kann nicht gelesen werden (eine Pipe (FIFO), keine gewöhnliche Datei).") !=
               std::string::npos;
      },
      20s))
      << output("first");
  EXPECT_EQ(first.stop(5s), 0);

  fs::remove(ini);
  const fs::path password = dir_ / "passwort";
  ASSERT_EQ(mkfifo(password.c_str(), 0600), 0);
  for (const std::string& file : {password.string(), std::string("/dev/zero")}) {
    writeRaw(ini, everyProduct() +
                      "[MQTT]\r\nMQTTServer=127.0.0.1:1\r\nMQTTBenutzer=wetter\r\n"
                      "MQTTPasswortDatei=" +
                      file + "\r\n");
    const std::string name = file == "/dev/zero" ? "zero" : "fifo";
    Child& service = startService(dir_, name);
    EXPECT_TRUE(waitFor(
        [&] {
          return output(name).find("MQTT: Die MQTT-Passwortdatei " + file +
                                   " kann nicht gelesen werden: ") != std::string::npos;
        },
        20s))
        << output(name);
    EXPECT_EQ(service.stop(5s), 0) << output(name);
  }
}

TEST_F(StationServiceTest, SighupTakesUpAChangedIntervalAndNeverWritesTheFile) {
  writeRaw(dir_ / "tavout.ini", everyProduct("0"));
  Child& service = startService(dir_);
  ASSERT_TRUE(waitFor([&] { return fs::exists(dir_ / "Wetter.txt"); }, 60s)) << output();
  std::this_thread::sleep_for(2s);  // four simulated minutes without a log
  EXPECT_TRUE(logFile().empty());

  const std::string changed = everyProduct("60000");
  writeRaw(dir_ / "tavout.ini", changed);
  service.signal(SIGHUP);
  EXPECT_TRUE(waitFor([&] { return !logFile().empty(); }, 20s)) << output();
  EXPECT_EQ(service.stop(5s), 0);
  EXPECT_EQ(rawFile(dir_ / "tavout.ini"), changed);
}

// A file that cannot stand for the settings is not taken: the station goes
// on with its port and products, and says why on standard error and to
// systemd.
TEST_F(StationServiceTest, SighupWithABrokenFileKeepsTheStationRunningAndSaysWhy) {
  const fs::path ini = dir_ / "tavout.ini";
  const std::string good = everyProduct();
  writeRaw(ini, good);
  NotifySocket systemd(dir_ / "notify");
  ASSERT_TRUE(systemd.bound());
  Child& service = startService(dir_, "station", systemd.environment());
  const fs::path aprs = dir_ / "aprs.txt";
  ASSERT_TRUE(waitFor([&] { return fs::exists(aprs); }, 60s)) << output();

  struct Broken {
    std::function<void()> make;
    std::string why;
  };
  const std::string path = ini.string();
  const std::vector<Broken> cases = {
      {[] {}, path + " gibt es nicht."},
      {[&] { fs::create_directory(ini); }, path + " ist ein Ordner, keine Datei."},
      {[&] { writeRaw(ini, std::string("\x01\xfe\x00garbage\xff\r\n[\x80\r\n=1", 20)); },
       path + " enthält keinen einzigen Schlüssel der Einstellungen (kein Abschnitt wie "
              "[Alles] mit Schlüssel=Wert)."},
      {[&] { writeRaw(ini, ""); }, path + " ist leer."},
      {[&] { ASSERT_EQ(mkfifo(ini.c_str(), 0600), 0); }, path + " ist keine gewöhnliche Datei."},
  };
  for (const Broken& c : cases) {
    fs::remove_all(ini);
    c.make();
    service.signal(SIGHUP);
    const std::string said =
        "tavout.ini nicht übernommen: " + c.why + " Es gelten weiter die bisherigen Einstellungen.";
    EXPECT_TRUE(waitFor([&] { return output().find(said) != std::string::npos; }, 10s)) << output();
    EXPECT_TRUE(waitFor(
        [&] {
          return systemd.received().find("STATUS=tavout.ini nicht übernommen: " + c.why) !=
                 std::string::npos;
        },
        5s))
        << systemd.received();
    // Still on its port, still writing.
    fs::remove(aprs);
    EXPECT_TRUE(waitFor([&] { return fs::exists(aprs); }, 10s)) << c.why << output();
  }
  EXPECT_EQ(output().find("COM2"), std::string::npos) << output();
  EXPECT_EQ(output().find("/dev/ttyS1"), std::string::npos) << output();

  // A sound file is taken again: the service is ready on its port.
  fs::remove_all(ini);
  writeRaw(ini, good);
  const size_t before = systemd.received().size();
  service.signal(SIGHUP);
  EXPECT_TRUE(waitFor(
      [&] {
        return systemd.received().find("READY=1\nSTATUS=liest ", before) != std::string::npos;
      },
      5s))
      << systemd.received();
  EXPECT_EQ(service.stop(5s), 0);
}

// The first instance holds the port; a second one on the same port cannot
// open it, says so once and keeps trying until the port is free.
TEST_F(StationServiceTest, SecondInstanceIsRefusedThePortAndRetriesUntilItIsFree) {
  writeRaw(dir_ / "tavout.ini", everyProduct());
  const fs::path other = dir_ / "other";
  fs::create_directory(other);
  writeRaw(other / "tavout.ini", everyProduct());
  Child& first = startService(dir_, "first");
  ASSERT_TRUE(waitFor([&] { return fs::exists(dir_ / "Wetter.txt"); }, 60s)) << output("first");

  Child& second = startService(other, "second");
  const std::string refused = "Comport belegt: " + link_.string() + " kann nich geöffnet werden.";
  ASSERT_TRUE(waitFor([&] { return output("second").find(refused) != std::string::npos; }, 20s))
      << output("second");
  std::this_thread::sleep_for(3s);  // about eighteen tries
  EXPECT_EQ(countOf(output("second"), refused), 1) << output("second");
  EXPECT_FALSE(fs::exists(other / "Wetter.txt"));

  EXPECT_EQ(first.stop(5s), 0);
  EXPECT_TRUE(waitFor([&] { return fs::exists(other / "Wetter.txt"); }, 60s)) << output("second");
  EXPECT_NE(output("second").find("ist jetzt geöffnet"), std::string::npos) << output("second");
  // A second stop signal while the first is handled ends it at once.
  second.signal(SIGTERM);
  second.signal(SIGTERM);
  EXPECT_GE(second.wait(2s), 0);
}

TEST_F(StationServiceTest, CheckShowsTheEffectiveSettingsOrWhyTheyCannotBeRead) {
  writeRaw(dir_ / "tavout.ini", everyProduct());
  Child check({TAVIK_STATION_BINARY, "--check", "--folder=" + dir_.string()}, {},
              dir_ / "check.out", dir_);
  EXPECT_EQ(check.wait(10s), 0);
  const std::string shown = readFile(dir_ / "check.out");
  EXPECT_NE(shown.find("Comport:          " + link_.string()), std::string::npos) << shown;
  EXPECT_NE(shown.find("Read-Ordner:      " + dir_.string() + "/"), std::string::npos) << shown;
  EXPECT_NE(shown.find("LogInterval:      60000 ms (1 min)"), std::string::npos) << shown;
  EXPECT_NE(shown.find("  Profil 2: Balkon, Import"), std::string::npos) << shown;

  const fs::path broken = dir_ / "broken";
  fs::create_directories(broken / "tavout.ini");
  Child bad({TAVIK_STATION_BINARY, "--check", "--folder", broken.string()}, {}, dir_ / "bad.out",
            dir_);
  EXPECT_EQ(bad.wait(10s), 2);
  EXPECT_NE(readFile(dir_ / "bad.out").find("kann nicht gelesen werden"), std::string::npos);

  Child version({TAVIK_STATION_BINARY, "--version"}, {}, dir_ / "version.out", dir_);
  EXPECT_EQ(version.wait(10s), 0);
  EXPECT_EQ(rawFile(dir_ / "version.out"), "tavik-station " TAVIK_VERSION "\n");
  Child unknown({TAVIK_STATION_BINARY, "--chunk=5"}, {}, dir_ / "unknown.out", dir_);
  EXPECT_EQ(unknown.wait(10s), 2);
  const std::string unknownOut = rawFile(dir_ / "unknown.out");
  EXPECT_NE(unknownOut.find("tavik-station: unbekannte Option: --chunk=5\n"), std::string::npos)
      << unknownOut;
  EXPECT_NE(unknownOut.find("Aufruf: tavik-station"), std::string::npos);
  // An empty folder is refused, not taken for the root folder.
  Child empty({TAVIK_STATION_BINARY, "-c", "--folder="}, {}, dir_ / "empty.out", dir_);
  EXPECT_EQ(empty.wait(10s), 2);
  EXPECT_NE(rawFile(dir_ / "empty.out").find("tavik-station: --folder braucht einen Ordner\n"),
            std::string::npos);
}

// Under systemd: standard error is the journal and a notify socket listens.
// The port is missing at first, then appears; the console then falls silent
// for a while and comes back.
TEST_F(StationServiceTest, JournalLinesCarryPrioritiesAndTheStatusFollowsThePort) {
  const fs::path later = dir_ / "later";
  std::string ini = everyProduct();
  ini.replace(ini.find(link_.string()), link_.string().size(), later.string());
  writeRaw(dir_ / "tavout.ini", ini);
  NotifySocket notify(dir_ / "notify");
  ASSERT_TRUE(notify.bound());
  const fs::path out = dir_ / "journal.out";
  writeRaw(out, "");
  struct stat st {};
  ASSERT_EQ(::stat(out.c_str(), &st), 0);
  Child service({TAVIK_STATION_BINARY, "--folder", dir_.string()},
                {"TAVIK_TIME_SCALE=" + std::to_string(kScale),
                 "JOURNAL_STREAM=" + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino),
                 "NOTIFY_SOCKET=" + (dir_ / "notify").string()},
                out, fs::temp_directory_path());
  ASSERT_TRUE(service.started());

  EXPECT_TRUE(waitFor([&] { return notify.saw("warte auf Port " + later.string()); }, 20s))
      << ::testing::PrintToString(notify.statuses());
  fs::create_symlink(link_, later);
  EXPECT_TRUE(waitFor([&] { return notify.saw("liest " + later.string()); }, 30s))
      << ::testing::PrintToString(notify.statuses());
  sim_->signal(SIGSTOP);  // a simulated minute and more without data
  EXPECT_TRUE(waitFor(
      [&] { return rawFile(out).find("<4>Station: keine Daten seit ") != std::string::npos; }, 20s))
      << rawFile(out);
  EXPECT_TRUE(waitFor(
      [&] {
        for (const std::string& s : notify.statuses()) {
          if (s.starts_with("keine Daten seit ") && s.ends_with(" an " + later.string()))
            return true;
        }
        return false;
      },
      10s))
      << ::testing::PrintToString(notify.statuses());
  sim_->signal(SIGCONT);
  EXPECT_TRUE(waitFor(
      [&] { return rawFile(out).find("<6>Station: Daten wieder da") != std::string::npos; }, 20s))
      << rawFile(out);
  EXPECT_EQ(service.stop(5s), 0);

  const std::string journal = rawFile(out);
  EXPECT_NE(journal.find("<3>Comport belegt: " + later.string()), std::string::npos) << journal;
  EXPECT_NE(journal.find("<6>Comport: " + later.string() + " ist jetzt ge"), std::string::npos)
      << journal;
  for (const std::string& line : lines(journal)) {
    EXPECT_TRUE(std::regex_search(line, std::regex("^<[346]>"))) << line;
  }
}

}  // namespace
}  // namespace tavik
