// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Servers on 127.0.0.1 for the upload tests, on the event loop of the test:
// an APRS-IS server that follows the network's login rules and records the
// packets, and an HTTP server that records the upload requests.

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QUrlQuery>

#include <map>
#include <string>
#include <vector>

namespace tavik::test {

// How a server treats a client.
enum class ServerMood { Answers, NeverAnswers };

// The passcode the network expects for a callsign: the 15-bit hash of the
// callsign in capitals without its SSID, two characters at a time.
inline int expectedPasscode(std::string call) {
  call = call.substr(0, call.find('-'));
  int hash = 0x73e2;
  for (size_t i = 0; i < call.size(); ++i) {
    const int c = std::toupper(static_cast<unsigned char>(call[i]));
    hash ^= (i % 2 == 0) ? c << 8 : c;
  }
  return hash & 0x7fff;
}

class AprsIsServer {
 public:
  explicit AprsIsServer(ServerMood mood = ServerMood::Answers) : mood_(mood) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* client = server_.nextPendingConnection()) serve(client);
    });
  }
  int port() const { return server_.serverPort(); }
  std::string address() const { return "127.0.0.1:" + std::to_string(port()); }

  std::vector<std::string> logins;   // every login line
  std::vector<std::string> packets;  // every line after a login
  std::vector<std::string> answers;  // every logresp sent
  int connections = 0;

 private:
  void serve(QTcpSocket* client) {
    ++connections;
    client->setParent(&server_);
    if (mood_ == ServerMood::Answers) client->write("# tavik-test-server 1.0\r\n");
    QObject::connect(client, &QTcpSocket::readyRead, [this, client] {
      while (client->canReadLine()) {
        std::string line = client->readLine().toStdString();
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        if (!client->property("loggedIn").toBool()) {
          logins.push_back(line);
          client->setProperty("loggedIn", true);
          if (mood_ == ServerMood::Answers) client->write(logresp(line).c_str());
        } else {
          packets.push_back(line);
        }
      }
    });
  }

  // "user CALL pass CODE vers NAME VERSION": verified when the code is the
  // callsign's; a code of -1 logs in unverified.
  std::string logresp(const std::string& login) {
    char call[32] = {}, soft[32] = {}, version[32] = {};
    int code = 0;
    std::string answer;
    if (std::sscanf(login.c_str(), "user %31s pass %d vers %31s %31s", call, &code, soft,
                    version) != 4) {
      answer = "# logresp invalid login";
    } else {
      const bool verified = code == expectedPasscode(call);
      answer = std::string("# logresp ") + call + (verified ? " verified" : " unverified") +
               ", server T2TEST";
    }
    answers.push_back(answer);
    return answer + "\r\n";
  }

  ServerMood mood_;
  QTcpServer server_;
};

// One recorded request: its path and its query's parameters, decoded.
struct WuRequest {
  std::string path;
  std::map<std::string, std::string> parameters;
  std::vector<std::string> order;  // parameter names in their order
};

class WuServer {
 public:
  WuServer(std::string stationId, std::string key, ServerMood mood = ServerMood::Answers)
      : stationId_(std::move(stationId)), key_(std::move(key)), mood_(mood) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this] {
      while (QTcpSocket* client = server_.nextPendingConnection()) serve(client);
    });
  }
  std::string url() const {
    return "http://127.0.0.1:" + std::to_string(server_.serverPort()) +
           "/weatherstation/updateweatherstation.php";
  }
  std::vector<WuRequest> requests;
  std::vector<std::string> rawRequestLines;

 private:
  void serve(QTcpSocket* client) {
    client->setParent(&server_);
    QObject::connect(client, &QTcpSocket::readyRead, [this, client] {
      QByteArray& head = buffers_[client];
      head += client->readAll();
      if (!head.contains("\r\n\r\n")) return;
      const QByteArray requestLine = head.left(head.indexOf("\r\n"));
      rawRequestLines.push_back(requestLine.toStdString());
      const QList<QByteArray> parts = requestLine.split(' ');
      const QUrl url(QString::fromLatin1(parts.value(1)));
      WuRequest r;
      r.path = url.path().toStdString();
      for (const auto& [name, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        r.parameters[name.toStdString()] = value.toStdString();
        r.order.push_back(name.toStdString());
      }
      requests.push_back(r);
      if (mood_ == ServerMood::NeverAnswers) return;
      const bool good = r.parameters["ID"] == stationId_ && r.parameters["PASSWORD"] == key_;
      const std::string body =
          good ? "success\n" : "INVALIDPASSWORDID|Password or key and/or id are incorrect\n";
      client->write(("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                     std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body)
                        .c_str());
      client->disconnectFromHost();
    });
  }

  std::string stationId_;
  std::string key_;
  ServerMood mood_;
  QTcpServer server_;
  std::map<QTcpSocket*, QByteArray> buffers_;
};

}  // namespace tavik::test
