// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/print_file.h"

#include <QProcess>
#include <QStringList>

namespace tavik {

namespace {

constexpr int kCommandTimeoutMs = 15000;

// The first line of a command's complaint, without its own "lp: " prefix.
std::string firstLine(std::string text) {
  const size_t end = text.find('\n');
  if (end != std::string::npos) text.resize(end);
  if (text.rfind("lp: ", 0) == 0) text.erase(0, 4);
  while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
  return text;
}

}  // namespace

CommandResult runCommand(const std::string& program, const std::vector<std::string>& args) {
  QStringList arguments;
  for (const std::string& a : args) arguments << QString::fromStdString(a);
  QProcess process;
  process.setProcessChannelMode(QProcess::SeparateChannels);
  process.setStandardOutputFile(QProcess::nullDevice());
  process.start(QString::fromStdString(program), arguments);
  CommandResult result;
  if (!process.waitForStarted()) return result;
  process.closeWriteChannel();
  if (!process.waitForFinished(kCommandTimeoutMs)) {
    process.kill();
    process.waitForFinished();
    result.outcome = CommandResult::Outcome::TimedOut;
    return result;
  }
  result.outcome = CommandResult::Outcome::Finished;
  result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
  result.errorOutput = process.readAllStandardError().toStdString();
  return result;
}

std::string printFile(const std::string& path, const CommandRunner& run) {
  const CommandResult r = run("lp", {path});
  const std::string head = "Die Datei " + path + " kann nicht gedruckt werden: ";
  switch (r.outcome) {
    case CommandResult::Outcome::NotStarted:
      return head +
             "Es ist kein Drucksystem eingerichtet (der Befehl \"lp\" fehlt, er kommt mit dem "
             "Paket cups-client).";
    case CommandResult::Outcome::TimedOut:
      return head + "Das Drucksystem (\"lp\") antwortet nicht.";
    case CommandResult::Outcome::Finished:
      break;
  }
  if (r.exitCode == 0) return {};
  const std::string said = firstLine(r.errorOutput);
  if (said.empty()) {
    return head + "Das Drucksystem (\"lp\") meldet den Fehler " + std::to_string(r.exitCode) + ".";
  }
  return head + "Das Drucksystem meldet: " + said;
}

void printFileOrSayWhy(const std::string& path, Notifier& notifier, const CommandRunner& run) {
  const std::string why = printFile(path, run);
  if (!why.empty()) notifier.notify(why, "Drucken", MessageButtons::Ok);
}

}  // namespace tavik
