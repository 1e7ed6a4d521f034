// SPDX-License-Identifier: GPL-3.0-or-later
// "&Drucken" and "ReadMe..." say why when they cannot do their job: no print
// system, a print system that refuses, a missing help page; with no browser
// the help page opens in a window of its own.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QApplication>
#include <QTextBrowser>

#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "ui/help_page.h"
#include "ui/print_file.h"

namespace tavik {
namespace {

// The help window when it is open.
QTextBrowser* helpWindow() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "HelpWindow" && w->isVisible()) return qobject_cast<QTextBrowser*>(w);
  }
  return nullptr;
}

using Outcome = CommandResult::Outcome;

// PATH set to one folder for the life of the object.
class ScopedPath {
 public:
  explicit ScopedPath(const std::string& folder) : saved_(std::getenv("PATH")) {
    setenv("PATH", folder.c_str(), 1);
  }
  ~ScopedPath() { setenv("PATH", saved_.c_str(), 1); }

 private:
  std::string saved_;
};

void writeScript(const std::string& path, const std::string& body) {
  std::ofstream(path) << "#!/bin/sh\n" << body << "\n";
  ::chmod(path.c_str(), 0755);
}

TEST(PrintFile, HandsTheFileToLpAndIsQuietWhenItIsQueued) {
  std::vector<std::string> calls;
  const auto runner = [&calls](const std::string& program, const std::vector<std::string>& args) {
    calls.push_back(program);
    calls.insert(calls.end(), args.begin(), args.end());
    return CommandResult{Outcome::Finished, 0, "Anfrage-ID ist Drucker-7 (1 Datei(en))\n"};
  };
  RecordingNotifier notifier;
  printFileOrSayWhy("/home/wetter/read.txt", notifier, runner);
  EXPECT_EQ(calls, (std::vector<std::string>{"lp", "/home/wetter/read.txt"}));
  EXPECT_TRUE(notifier.messages.empty());
}

TEST(PrintFile, TellsEachReasonApart) {
  auto reason = [](CommandResult result) {
    return printFile("/p/read.txt",
                     [&](const std::string&, const std::vector<std::string>&) { return result; });
  };
  const std::string head = "Die Datei /p/read.txt kann nicht gedruckt werden: ";
  EXPECT_EQ(reason({Outcome::NotStarted, 0, ""}),
            head +
                "Es ist kein Drucksystem eingerichtet (der Befehl \"lp\" fehlt, er kommt mit "
                "dem Paket cups-client).");
  EXPECT_EQ(reason({Outcome::Finished, 1, "lp: Error - no default destination available.\n"}),
            head + "Das Drucksystem meldet: Error - no default destination available.");
  EXPECT_EQ(reason({Outcome::Finished, 2, ""}),
            head + "Das Drucksystem (\"lp\") meldet den Fehler 2.");
  EXPECT_EQ(reason({Outcome::TimedOut, 0, ""}), head + "Das Drucksystem (\"lp\") antwortet nicht.");
}

TEST(PrintFile, RealRunWithoutAndWithAFailingPrintSystem) {
  testing::TempFolder bin;
  RecordingNotifier notifier;
  {
    const ScopedPath path(bin.path().string());  // no lp in it
    printFileOrSayWhy("/p/read.txt", notifier);
  }
  writeScript((bin.path() / "lp").string(),
              "echo \"lp: Error - scheduler not responding!\" >&2\nexit 1");
  {
    const ScopedPath path(bin.path().string());
    printFileOrSayWhy("/p/read.txt", notifier);
  }
  writeScript((bin.path() / "lp").string(), "[ \"$1\" = /p/read.txt ] || exit 9");
  {
    const ScopedPath path(bin.path().string());
    printFileOrSayWhy("/p/read.txt", notifier);
  }
  ASSERT_EQ(notifier.messages.size(), 2u);
  EXPECT_NE(notifier.messages[0].text.find("kein Drucksystem"), std::string::npos);
  EXPECT_EQ(notifier.messages[0].caption, "Drucken");
  EXPECT_EQ(notifier.messages[1].text,
            "Die Datei /p/read.txt kann nicht gedruckt werden: Das Drucksystem meldet: Error - "
            "scheduler not responding!");
}

TEST(RunCommand, ReportsExitCodeAndComplaint) {
  const CommandResult r = runCommand("sh", {"-c", "echo out; echo kaputt >&2; exit 3"});
  EXPECT_EQ(r.outcome, Outcome::Finished);
  EXPECT_EQ(r.exitCode, 3);
  EXPECT_EQ(r.errorOutput, "kaputt\n");
  EXPECT_EQ(runCommand("/nonexistent/lp", {}).outcome, Outcome::NotStarted);
}

TEST(HelpPage, OpensAnExistingPageInABrowserOrItsOwnWindow) {
  testing::TempFolder folder;
  const std::string page = (folder.path() / "readme.htm").string();
  std::vector<std::string> opened;
  bool browserThere = true;
  const PageOpener opener = [&](const std::string& path) {
    opened.push_back(path);
    return browserThere;
  };
  RecordingNotifier notifier;
  openHelpPageOrSayWhy(page, notifier, opener);  // not there yet
  std::ofstream(page) << "<html><head><title>Hilfe zum Test</title></head>"
                         "<body><h1>Stationsordner</h1></body></html>";
  openHelpPageOrSayWhy(page, notifier, opener);
  EXPECT_EQ(helpWindow(), nullptr);
  browserThere = false;
  openHelpPageOrSayWhy(page, notifier, opener);
  EXPECT_EQ(opened, (std::vector<std::string>{page, page}));
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "Die Hilfeseite " + page + " ist nicht vorhanden.");
  EXPECT_EQ(notifier.messages[0].caption, "ReadMe");

  QTextBrowser* window = helpWindow();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Hilfe zum Test");
  EXPECT_TRUE(window->toPlainText().contains("Stationsordner"));
  // A second call shows the same window.
  openHelpPageOrSayWhy(page, notifier, opener);
  EXPECT_EQ(helpWindow(), window);
  window->close();
}

// Without any browser set up the desktop is not asked at all, so the page
// lands in the window rather than nowhere.
TEST(HelpPage, NoBrowserSetUpMeansNoDesktopOpening) {
  testing::TempFolder bin;  // no xdg-mime, x-www-browser or www-browser in it
  const char* browser = std::getenv("BROWSER");
  const std::string savedBrowser = browser ? browser : "";
  unsetenv("BROWSER");
  {
    const ScopedPath path(bin.path().string());
    EXPECT_FALSE(openWithDesktop((bin.path() / "readme.htm").string()));
  }
  if (browser) setenv("BROWSER", savedBrowser.c_str(), 1);
}

}  // namespace
}  // namespace tavik
