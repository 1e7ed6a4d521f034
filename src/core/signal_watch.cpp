// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/signal_watch.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <stdexcept>

namespace tavik {

namespace {

int signalPipe[2] = {-1, -1};
std::atomic<int> stopSignals{0};

constexpr char kStop = 's';
constexpr char kReload = 'r';

// Only async-signal-safe calls in here.
void onSignal(int signal) {
  if (signal == SIGHUP) {
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &kReload, 1);
    return;
  }
  if (stopSignals.fetch_add(1) > 0) {
    static const char message[] = "Tavik: zweites Signal, sofortiges Ende\n";
    [[maybe_unused]] ssize_t n = write(STDERR_FILENO, message, sizeof message - 1);
    _exit(128 + signal);
  }
  [[maybe_unused]] ssize_t n = write(signalPipe[1], &kStop, 1);
}

void handle(int signal, void (*handler)(int)) {
  struct sigaction action {};
  action.sa_handler = handler;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(signal, &action, nullptr);
}

}  // namespace

SignalWatch::SignalWatch(std::function<void()> onStop, std::function<void()> onReload,
                         QObject* parent)
    : QObject(parent), onStop_(std::move(onStop)), onReload_(std::move(onReload)) {
  if (signalPipe[0] >= 0) throw std::logic_error("one SignalWatch per process");
  if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("pipe2 failed");
  stopSignals = 0;
  notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { readSignals(); });
  handle(SIGTERM, onSignal);
  handle(SIGINT, onSignal);
  if (onReload_) handle(SIGHUP, onSignal);
}

SignalWatch::~SignalWatch() {
  handle(SIGTERM, SIG_DFL);
  handle(SIGINT, SIG_DFL);
  if (onReload_) handle(SIGHUP, SIG_DFL);
  delete notifier_;
  close(signalPipe[0]);
  close(signalPipe[1]);
  signalPipe[0] = signalPipe[1] = -1;
}

void SignalWatch::readSignals() {
  char bytes[16];
  for (ssize_t n; (n = read(signalPipe[0], bytes, sizeof bytes)) > 0;) {
    for (ssize_t i = 0; i < n; ++i) {
      if (bytes[i] == kStop && onStop_) onStop_();
      if (bytes[i] == kReload && onReload_) onReload_();
    }
  }
}

}  // namespace tavik
