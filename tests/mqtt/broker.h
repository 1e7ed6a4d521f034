// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A real Mosquitto broker for the tests, on 127.0.0.1 at a free port, with
// its own configuration, a password file and, on request, TLS with a
// certificate made for the test; and a subscriber that keeps every message.

#include <arpa/inet.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <pwd.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "free_port.h"

namespace tavik::test {

namespace fs = std::filesystem;

inline bool portOpen(int port) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(static_cast<uint16_t>(port));
  const bool open = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  close(s);
  return open;
}

inline int run(const std::string& command) { return std::system(command.c_str()); }

class Broker {
 public:
  static constexpr const char* kUser = "wetter";
  static constexpr const char* kPassword = "geheim 42";

  // In `dir`, which the caller keeps: the broker's files.
  explicit Broker(fs::path dir, bool tls = false) : dir_(std::move(dir)), tls_(tls) {
    fs::create_directories(dir_);
    if (run("mosquitto_passwd -c -b '" + (dir_ / "passwd").string() + "' " + kUser + " '" +
            kPassword + "' >/dev/null 2>&1") != 0)
      throw std::runtime_error("mosquitto_passwd failed");
    // A port another program took between the look-up and the start costs
    // another port.
    for (int attempt = 0; attempt < 5; ++attempt) {
      port_ = freeLoopbackPort();
      writeConfig();
      if (tryStart()) return;
    }
    throw std::runtime_error("mosquitto did not start");
  }
  ~Broker() { stop(); }
  Broker(const Broker&) = delete;
  Broker& operator=(const Broker&) = delete;

  // Starts it again on its port.
  void start() {
    if (!tryStart()) throw std::runtime_error("mosquitto did not start again");
  }
  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  int port() const { return port_; }
  std::string address() const { return "127.0.0.1:" + std::to_string(port_); }
  fs::path certificate() const { return dir_ / "cert.pem"; }
  // A file holding the password, as MQTTPasswortDatei names it.
  fs::path passwordFile(const std::string& password = kPassword) const {
    const fs::path path = dir_ / ("password-" + std::to_string(password.size()));
    std::ofstream(path) << password << "\n";
    return path;
  }

 private:
  void writeConfig() const {
    std::ofstream conf(dir_ / "mosquitto.conf");
    conf << "listener " << port_ << " 127.0.0.1\n"
         << "allow_anonymous false\npassword_file " << (dir_ / "passwd").string() << "\n"
         << "persistence false\n"
         // As root, the broker would read its files as the user "mosquitto".
         << "user " << getpwuid(getuid())->pw_name << "\n";
    if (tls_) {
      if (!fs::exists(certificate()) &&
          run("openssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
              "-days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1 -keyout '" +
              (dir_ / "key.pem").string() + "' -out '" + certificate().string() +
              "' >/dev/null 2>&1") != 0)
        throw std::runtime_error("openssl req failed");
      conf << "certfile " << certificate().string() << "\nkeyfile " << (dir_ / "key.pem").string()
           << "\n";
    }
  }
  // Whether the broker runs and listens on its port.
  bool tryStart() {
    pid_ = spawnProcess({"/usr/sbin/mosquitto", "-c", (dir_ / "mosquitto.conf").string()}, {},
                        dir_ / "broker.log", dir_);
    for (int i = 0; i < 500; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
        pid_ = -1;
        return false;
      }
      if (portOpen(port_)) {
        // Still running: the port is its own, not another program's.
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        if (waitpid(pid_, nullptr, WNOHANG) != pid_) return true;
        pid_ = -1;
        return false;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    stop();
    return false;
  }
  fs::path dir_;
  bool tls_;
  int port_ = 0;
  pid_t pid_ = -1;
};

// Every message the broker hands a client subscribed to "#".
struct Message {
  std::string topic;
  std::string payload;
  bool retained;
};

class Subscriber {
 public:
  explicit Subscriber(const Broker& broker, const std::string& caFile = "") {
    mosquitto_lib_init();
    mosq_ = mosquitto_new(nullptr, true, this);
    mosquitto_username_pw_set(mosq_, Broker::kUser, Broker::kPassword);
    if (!caFile.empty())
      mosquitto_tls_set(mosq_, caFile.c_str(), nullptr, nullptr, nullptr, nullptr);
    mosquitto_connect_callback_set(mosq_, [](mosquitto* m, void*, int rc) {
      if (rc == 0) mosquitto_subscribe(m, nullptr, "#", 1);
    });
    mosquitto_message_callback_set(mosq_, [](mosquitto*, void* self, const mosquitto_message* m) {
      auto* s = static_cast<Subscriber*>(self);
      std::lock_guard lock(s->mutex_);
      s->messages_.push_back(
          {m->topic, std::string(static_cast<const char*>(m->payload), m->payloadlen), m->retain});
    });
    mosquitto_reconnect_delay_set(mosq_, 1, 1, false);
    mosquitto_connect_async(mosq_, "127.0.0.1", broker.port(), 30);
    mosquitto_loop_start(mosq_);
  }
  ~Subscriber() {
    mosquitto_disconnect(mosq_);
    mosquitto_loop_stop(mosq_, true);
    mosquitto_destroy(mosq_);
  }
  Subscriber(const Subscriber&) = delete;
  Subscriber& operator=(const Subscriber&) = delete;

  std::vector<Message> messages() const {
    std::lock_guard lock(mutex_);
    return messages_;
  }
  // The last message on `topic`, or none.
  std::optional<Message> last(const std::string& topic) const {
    std::lock_guard lock(mutex_);
    for (auto m = messages_.rbegin(); m != messages_.rend(); ++m)
      if (m->topic == topic) return *m;
    return std::nullopt;
  }
  int count(const std::string& topic) const {
    std::lock_guard lock(mutex_);
    int n = 0;
    for (const auto& m : messages_) n += m.topic == topic;
    return n;
  }
  void clear() {
    std::lock_guard lock(mutex_);
    messages_.clear();
  }

 private:
  mosquitto* mosq_;
  mutable std::mutex mutex_;
  std::vector<Message> messages_;
};

}  // namespace tavik::test
