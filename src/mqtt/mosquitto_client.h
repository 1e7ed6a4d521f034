// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include "mqtt/mqtt_client.h"

struct mosquitto;

namespace tavik {

// MqttClient on libmosquitto. A thread of its own runs the library's network
// loop, name look-ups and the pauses between attempts, so the event loop never
// waits for the broker; what the thread learns is handed to the event loop's
// thread with queued calls. The thread sleeps until the socket has traffic, a
// message waits to be sent or a stop is asked for (an eventfd), and otherwise
// wakes once a second for the library's keep-alive bookkeeping.
class MosquittoClient final : public MqttClient {
 public:
  // The longest pause between two attempts, and the first.
  static constexpr int kFirstPauseSeconds = 1;
  static constexpr int kLastPauseSeconds = 60;

  MosquittoClient();
  ~MosquittoClient() override;
  MosquittoClient(const MosquittoClient&) = delete;
  MosquittoClient& operator=(const MosquittoClient&) = delete;

  void start(const MqttConnection& connection) override;
  void publish(const std::string& topic, const std::string& payload, bool retained) override;
  void stop() override;

 private:
  static void connected(mosquitto*, void* self, int code);
  static void disconnected(mosquitto*, void* self, int code);
  static void logged(mosquitto*, void* self, int level, const char* text);

  void run();
  // One connection from the first attempt to its end; the library's result.
  int connectAndServe();
  // Waits for the socket or a wake-up, then reads, writes and keeps alive.
  int serveOnce();
  void wake();
  void reportFailure(int code, int error);
  void pause(int seconds);
  template <typename F>
  void post(F call);

  QObject context_;
  mosquitto* mosq_ = nullptr;
  MqttConnection connection_;
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  int wakeFd_ = -1;  // an eventfd: a message to send or a stop
  std::atomic<bool> stopping_ = false;
  std::atomic<bool> up_ = false;
  // Counts the starts and stops, so that a call posted by an earlier
  // connection is dropped; the event loop's thread only.
  unsigned generation_ = 0;
  std::chrono::steady_clock::time_point stopDeadline_;
  // Written and read by the loop thread only.
  int refusalCode_ = 0;
  int lossErrno_ = 0;
  bool everUp_ = false;
  std::string lastLibraryError_;  // guarded by mutex_
};

// The German reason for a refused CONNACK, a library result or a system error.
std::string mqttRefusalText(int connackCode);
std::string mqttFailureText(int libraryCode, int systemError, const std::string& tlsDetail);

}  // namespace tavik
