// SPDX-License-Identifier: GPL-3.0-or-later
#include "service/systemd_notify.h"

#include <systemd/sd-daemon.h>

#include <ctime>

namespace tavik {

namespace {

// A monotonic time stamp in microseconds, as RELOADING=1 wants it.
unsigned long long monotonicMicroseconds() {
  timespec t{};
  clock_gettime(CLOCK_MONOTONIC, &t);
  return static_cast<unsigned long long>(t.tv_sec) * 1000000ULL +
         static_cast<unsigned long long>(t.tv_nsec) / 1000ULL;
}

}  // namespace

SystemdNotify::SystemdNotify(QObject* parent) : QObject(parent) {
  uint64_t usec = 0;
  if (sd_watchdog_enabled(0, &usec) > 0 && usec > 0) {
    connect(&watchdog_, &QTimer::timeout, this, [] { sd_notify(0, "WATCHDOG=1"); });
    watchdog_.start(static_cast<int>(usec / 2000));
  }
}

void SystemdNotify::ready(const std::string& text) {
  sd_notify(0, ("READY=1\nSTATUS=" + text).c_str());
}

void SystemdNotify::reloading() {
  sd_notifyf(0, "RELOADING=1\nMONOTONIC_USEC=%llu", monotonicMicroseconds());
}

void SystemdNotify::stopping() { sd_notify(0, "STOPPING=1"); }

void SystemdNotify::status(const std::string& text) { sd_notify(0, ("STATUS=" + text).c_str()); }

}  // namespace tavik
