// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/network_text.h"

#include <QUrl>

namespace tavik {

namespace {

constexpr size_t kMaxShown = 200;

void replaceAll(std::string& text, const std::string& what) {
  if (what.empty()) return;
  for (size_t at; (at = text.find(what)) != std::string::npos;)
    text.replace(at, what.size(), "***");
}

}  // namespace

std::string printableText(std::string_view text) {
  text = text.substr(0, text.find_first_of("\r\n"));
  std::string out;
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x20 && c != 0x7f) out += c;
    if (out.size() >= kMaxShown) break;
  }
  return out;
}

std::string withoutSecret(std::string text, const std::string& secret) {
  if (secret.empty()) return text;
  replaceAll(text, secret);
  replaceAll(text, QUrl::toPercentEncoding(QString::fromStdString(secret)).toStdString());
  return text;
}

std::string socketErrorText(QAbstractSocket::SocketError error, const std::string& qtText) {
  switch (error) {
    case QAbstractSocket::ConnectionRefusedError:
      return "Verbindung abgelehnt";
    case QAbstractSocket::HostNotFoundError:
      return "Rechner nicht gefunden";
    case QAbstractSocket::RemoteHostClosedError:
      return "der Server hat die Verbindung getrennt";
    case QAbstractSocket::NetworkError:
      return "Netzwerkfehler (" + qtText + ")";
    default:
      return qtText;
  }
}

std::string replyErrorText(QNetworkReply::NetworkError error, const std::string& qtText) {
  switch (error) {
    case QNetworkReply::ConnectionRefusedError:
      return "Verbindung abgelehnt";
    case QNetworkReply::HostNotFoundError:
      return "Rechner nicht gefunden";
    case QNetworkReply::RemoteHostClosedError:
      return "der Server hat die Verbindung getrennt";
    case QNetworkReply::TimeoutError:
      return "Zeitüberschreitung";
    case QNetworkReply::SslHandshakeFailedError:
      return "TLS-Verbindung gescheitert";
    default:
      return qtText;
  }
}

}  // namespace tavik
