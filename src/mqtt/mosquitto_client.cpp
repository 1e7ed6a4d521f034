// SPDX-License-Identifier: GPL-3.0-or-later
#include "mqtt/mosquitto_client.h"

#include <mosquitto.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

namespace tavik {

namespace {

constexpr int kKeepAliveSeconds = 30;
// The longest sleep without traffic: the library's keep-alive and retry
// bookkeeping wants a call about once a second.
constexpr int kIdleWakeMs = 1000;
constexpr auto kStopGrace = std::chrono::seconds(1);
constexpr const char* kSystemCertificates = "/etc/ssl/certs";

void initLibraryOnce() {
  static std::once_flag once;
  std::call_once(once, [] { mosquitto_lib_init(); });
}

// The part of OpenSSL's message a person can act on.
std::string tlsDetail(const std::string& logText) {
  if (logText.find("certificate verify failed") != std::string::npos)
    return "das Zertifikat des Brokers ist nicht vertrauenswürdig (certificate verify failed)";
  if (logText.find("wrong version number") != std::string::npos ||
      logText.find("packet length too long") != std::string::npos)
    return "der Broker spricht an diesem Port kein TLS";
  const auto colon = logText.rfind(':');
  return colon == std::string::npos ? logText : logText.substr(colon + 1);
}

}  // namespace

std::string mqttRefusalText(int code) {
  switch (code) {
    case 1:
      return "der Broker kennt diese MQTT-Version nicht";
    case 2:
      return "der Broker lehnt die Client-Kennung ab";
    case 3:
      return "der Broker ist nicht verfügbar";
    case 4:
      return "Anmeldung abgelehnt: Benutzername oder Passwort falsch";
    case 5:
      return "Anmeldung abgelehnt: nicht berechtigt (Benutzername oder Passwort falsch?)";
    default:
      return "Anmeldung abgelehnt (Code " + std::to_string(code) + ")";
  }
}

std::string mqttFailureText(int code, int error, const std::string& detail) {
  switch (code) {
    case MOSQ_ERR_CONN_LOST:
    case MOSQ_ERR_NO_CONN:
      return "Verbindung unterbrochen";
    case MOSQ_ERR_KEEPALIVE:
      return "der Broker antwortet nicht mehr";
    case MOSQ_ERR_EAI:
      return "Rechnername nicht gefunden";
    case MOSQ_ERR_TLS:
      return "TLS-Fehler" + (detail.empty() ? std::string() : ": " + tlsDetail(detail));
    case MOSQ_ERR_PROTOCOL:
      return "Protokollfehler";
    case MOSQ_ERR_ERRNO:
      break;
    default:
      return std::string("Fehler: ") + mosquitto_strerror(code);
  }
  switch (error) {
    case ECONNREFUSED:
      return "Verbindung abgelehnt (läuft der Broker?)";
    case ETIMEDOUT:
      return "Zeitüberschreitung";
    case EHOSTUNREACH:
    case ENETUNREACH:
      return "Rechner nicht erreichbar";
    case ECONNRESET:
    case EPIPE:
      return "Verbindung vom Broker getrennt";
    case 0:
      return "Verbindung unterbrochen";
    default:
      return std::string("Systemfehler: ") + std::strerror(error);
  }
}

MosquittoClient::MosquittoClient() : wakeFd_(eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {
  initLibraryOnce();
}

MosquittoClient::~MosquittoClient() {
  stop();
  if (wakeFd_ >= 0) close(wakeFd_);
}

void MosquittoClient::wake() {
  const uint64_t one = 1;
  if (wakeFd_ >= 0 && ::write(wakeFd_, &one, sizeof one) < 0) {
    // The counter is full: the thread has a wake-up pending anyway.
  }
}

template <typename F>
void MosquittoClient::post(F call) {
  const unsigned generation = generation_;
  QMetaObject::invokeMethod(
      &context_,
      [this, generation, call = std::move(call)] {
        if (generation == generation_) call();
      },
      Qt::QueuedConnection);
}

void MosquittoClient::start(const MqttConnection& connection) {
  stop();
  ++generation_;
  connection_ = connection;
  stopping_ = false;
  mosq_ = mosquitto_new(connection.clientId.c_str(), true, this);
  mosquitto_threaded_set(mosq_, true);
  if (!connection.user.empty()) {
    mosquitto_username_pw_set(mosq_, connection.user.c_str(),
                              connection.password ? connection.password->c_str() : nullptr);
  }
  if (!connection.willTopic.empty()) {
    mosquitto_will_set(mosq_, connection.willTopic.c_str(),
                       static_cast<int>(connection.willPayload.size()),
                       connection.willPayload.data(), 1, true);
  }
  if (connection.tls) {
    const bool ownCa = !connection.caFile.empty();
    const int rc =
        mosquitto_tls_set(mosq_, ownCa ? connection.caFile.c_str() : nullptr,
                          ownCa ? nullptr : kSystemCertificates, nullptr, nullptr, nullptr);
    if (rc != MOSQ_ERR_SUCCESS) {
      const std::string reason =
          "TLS-Fehler: die CA-Datei " + connection.caFile + " kann nicht gelesen werden";
      post([this, reason] {
        if (onDisconnected) onDisconnected(reason, true);
      });
      mosquitto_destroy(mosq_);
      mosq_ = nullptr;
      return;
    }
  }
  mosquitto_connect_callback_set(mosq_, &MosquittoClient::connected);
  mosquitto_disconnect_callback_set(mosq_, &MosquittoClient::disconnected);
  mosquitto_log_callback_set(mosq_, &MosquittoClient::logged);
  thread_ = std::thread([this] { run(); });
}

void MosquittoClient::publish(const std::string& topic, const std::string& payload, bool retained) {
  if (!mosq_ || !up_) return;
  mosquitto_publish(mosq_, nullptr, topic.c_str(), static_cast<int>(payload.size()), payload.data(),
                    0, retained);
  wake();
}

void MosquittoClient::stop() {
  if (!mosq_) return;
  {
    std::lock_guard lock(mutex_);
    stopDeadline_ = std::chrono::steady_clock::now() + kStopGrace;
    stopping_ = true;
  }
  mosquitto_disconnect(mosq_);
  wake_.notify_all();
  wake();
  if (thread_.joinable()) thread_.join();
  mosquitto_destroy(mosq_);
  mosq_ = nullptr;
  up_ = false;
  ++generation_;
}

void MosquittoClient::run() {
  int failures = 0;
  while (!stopping_) {
    const int rc = connectAndServe();
    if (stopping_) break;
    reportFailure(rc, lossErrno_);
    if (everUp_) failures = 0;
    pause(std::min(kLastPauseSeconds, kFirstPauseSeconds << std::min(failures, 6)));
    ++failures;
  }
}

int MosquittoClient::connectAndServe() {
  refusalCode_ = 0;
  lossErrno_ = 0;
  everUp_ = false;
  {
    std::lock_guard lock(mutex_);
    lastLibraryError_.clear();
  }
  int rc = mosquitto_connect_async(mosq_, connection_.broker.host.c_str(), connection_.broker.port,
                                   kKeepAliveSeconds);
  if (rc != MOSQ_ERR_SUCCESS) {
    lossErrno_ = errno;
    return rc;
  }
  while (rc == MOSQ_ERR_SUCCESS) {
    if (stopping_) {
      std::lock_guard lock(mutex_);
      if (std::chrono::steady_clock::now() > stopDeadline_) break;
    }
    rc = serveOnce();
  }
  return rc;
}

int MosquittoClient::serveOnce() {
  const int socket = mosquitto_socket(mosq_);
  if (socket < 0) return MOSQ_ERR_NO_CONN;
  const short socketEvents = mosquitto_want_write(mosq_) ? POLLIN | POLLOUT : POLLIN;
  std::array<pollfd, 2> fds = {pollfd{socket, socketEvents, 0}, pollfd{wakeFd_, POLLIN, 0}};
  // Without its eventfd, and while it stops, the thread looks every tenth of
  // a second.
  const int waitMs = wakeFd_ >= 0 && !stopping_ ? kIdleWakeMs : 100;
  if (poll(fds.data(), wakeFd_ >= 0 ? 2 : 1, waitMs) < 0 && errno != EINTR) {
    lossErrno_ = errno;
    return MOSQ_ERR_ERRNO;
  }
  if ((fds[1].revents & POLLIN) != 0) {
    uint64_t count = 0;
    if (::read(wakeFd_, &count, sizeof count) < 0) {
      // Nothing pending after all: another wake-up was read already.
    }
  }
  int rc = MOSQ_ERR_SUCCESS;
  if ((fds[0].revents & (POLLIN | POLLHUP | POLLERR)) != 0) {
    rc = mosquitto_loop_read(mosq_, 1);
    if (rc != MOSQ_ERR_SUCCESS || mosquitto_socket(mosq_) < 0) return rc;
  }
  if ((fds[0].revents & POLLOUT) != 0) {
    rc = mosquitto_loop_write(mosq_, 1);
    if (rc != MOSQ_ERR_SUCCESS || mosquitto_socket(mosq_) < 0) return rc;
  }
  return mosquitto_loop_misc(mosq_);
}

void MosquittoClient::reportFailure(int code, int error) {
  std::string detail;
  {
    std::lock_guard lock(mutex_);
    detail = lastLibraryError_;
  }
  const bool refusal = refusalCode_ != 0 || code == MOSQ_ERR_TLS;
  const std::string reason =
      refusalCode_ != 0 ? mqttRefusalText(refusalCode_) : mqttFailureText(code, error, detail);
  post([this, reason, refusal] {
    if (onDisconnected) onDisconnected(reason, refusal);
  });
}

void MosquittoClient::pause(int seconds) {
  std::unique_lock lock(mutex_);
  wake_.wait_for(lock, std::chrono::seconds(seconds), [this] { return stopping_.load(); });
}

void MosquittoClient::connected(mosquitto*, void* self, int code) {
  auto* client = static_cast<MosquittoClient*>(self);
  if (code != 0) {
    client->refusalCode_ = code;
    return;
  }
  client->everUp_ = true;
  client->up_ = true;
  client->post([client] {
    if (client->onConnected) client->onConnected();
  });
}

void MosquittoClient::disconnected(mosquitto*, void* self, int) {
  auto* client = static_cast<MosquittoClient*>(self);
  client->lossErrno_ = errno;
  client->up_ = false;
}

void MosquittoClient::logged(mosquitto*, void* self, int level, const char* text) {
  if ((level & (MOSQ_LOG_ERR | MOSQ_LOG_WARNING)) == 0 || text == nullptr) return;
  auto* client = static_cast<MosquittoClient*>(self);
  std::lock_guard lock(client->mutex_);
  client->lastLibraryError_ = text;
}

}  // namespace tavik
