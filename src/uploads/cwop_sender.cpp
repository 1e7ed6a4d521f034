// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/cwop_sender.h"

#include "common/text_file.h"
#include "common/version.h"
#include "uploads/aprs_is.h"
#include "uploads/network_text.h"

namespace tavik {

namespace {

// A server line longer than this is no APRS-IS line.
constexpr size_t kMaxLine = 512;

}  // namespace

PasscodeText cwopPasscode(const CwopTarget& target) {
  if (target.passcodeFile.empty()) return {true, target.passcode, {}};
  const Outcome<std::string> text = readSecretLine(target.passcodeFile, "CWOP-Schlüsseldatei");
  if (!text.ok()) return {false, -1, text.error};
  const std::string& t = *text.value;
  const size_t first = t.find_first_not_of(" \t");
  const size_t last = t.find_last_not_of(" \t");
  const std::string digits = first == std::string::npos ? "" : t.substr(first, last - first + 1);
  const bool number =
      !digits.empty() && digits.size() <= 5 &&
      (digits == "-1" || digits.find_first_not_of("0123456789") == std::string::npos);
  if (!number || (digits != "-1" && std::stoi(digits) > 32767)) {
    return {false, -1,
            "Die CWOP-Schlüsseldatei " + target.passcodeFile +
                " enthält keinen Passcode (eine Zahl von 0 bis 32767 oder -1)."};
  }
  return {true, std::stoi(digits), {}};
}

CwopSender::CwopSender() {
  QObject::connect(&socket_, &QTcpSocket::connected, [this] {
    const std::string login = aprsLoginLine(target_.callsign, passcode_, programVersion) + "\r\n";
    socket_.write(login.data(), static_cast<qint64>(login.size()));
  });
  QObject::connect(&socket_, &QTcpSocket::readyRead, [this] { readLines(); });
  QObject::connect(&socket_, &QTcpSocket::errorOccurred, [this](QAbstractSocket::SocketError e) {
    if (sent_ && e == QAbstractSocket::RemoteHostClosedError) return;
    fail(socketErrorText(e, socket_.errorString().toStdString()));
  });
  QObject::connect(&socket_, &QTcpSocket::disconnected, [this] {
    if (sent_) {
      end({true, serverWords_});
    } else {
      fail("der Server hat die Verbindung vor der Anmeldung getrennt");
    }
  });
}

CwopSender::~CwopSender() { cancel(); }

void CwopSender::send(const UploadRecord& record, Done done) {
  cancel();
  done_ = std::move(done);
  const PasscodeText passcode = cwopPasscode(target_);
  if (!passcode.ok) {
    // Reported from the event loop, as every other end of an upload.
    QMetaObject::invokeMethod(
        &socket_, [this, error = passcode.error] { fail(error); }, Qt::QueuedConnection);
    return;
  }
  passcode_ = passcode.passcode;
  packet_ = cwopPacket(target_.callsign, target_.position, record, programVersion) + "\r\n";
  socket_.connectToHost(QString::fromStdString(target_.host), static_cast<quint16>(target_.port));
}

void CwopSender::cancel() {
  done_ = nullptr;
  sent_ = false;
  buffer_.clear();
  serverWords_.clear();
  socket_.abort();
}

void CwopSender::readLines() {
  buffer_ += socket_.readAll().toStdString();
  for (size_t end; (end = buffer_.find('\n')) != std::string::npos;) {
    const std::string line = buffer_.substr(0, end);
    buffer_.erase(0, end + 1);
    if (sent_) continue;
    const auto verdict = aprsLoginVerdict(line, passcode_ != -1);
    if (!verdict) continue;
    serverWords_ = printableText(verdict->words);
    if (!verdict->accepted) {
      fail("Anmeldung abgelehnt, der Server sagt: " + serverWords_);
      return;
    }
    sent_ = true;
    socket_.write(packet_.data(), static_cast<qint64>(packet_.size()));
    socket_.disconnectFromHost();
    return;
  }
  if (buffer_.size() > kMaxLine) fail("unverständliche Antwort des Servers");
}

void CwopSender::fail(const std::string& reason) { end({false, reason}); }

void CwopSender::end(const UploadReport& report) {
  if (!done_) return;
  const Done done = std::move(done_);
  done_ = nullptr;
  sent_ = false;
  buffer_.clear();
  socket_.abort();
  done(report);
}

}  // namespace tavik
