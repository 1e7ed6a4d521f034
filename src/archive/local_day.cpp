// SPDX-License-Identifier: GPL-3.0-or-later
#include <cstdio>
#include <ctime>

#include "archive/archive_history.h"

namespace tavik {

ArchiveDate localDateOf(int64_t utc) {
  const time_t t = static_cast<time_t>(utc);
  tm local{};
  localtime_r(&t, &local);
  return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int64_t startOfLocalDay(const ArchiveDate& date) {
  tm local{};
  local.tm_year = date.year - 1900;
  local.tm_mon = date.month - 1;
  local.tm_mday = date.day;
  local.tm_isdst = -1;
  return static_cast<int64_t>(mktime(&local));
}

int64_t utcOfLocal(const LocalDateTime& t) {
  tm local{};
  local.tm_year = t.year - 1900;
  local.tm_mon = t.month - 1;
  local.tm_mday = t.day;
  local.tm_hour = t.hour;
  local.tm_min = t.minute;
  local.tm_sec = t.second;
  local.tm_isdst = -1;
  return static_cast<int64_t>(mktime(&local));
}

std::string dayText(const ArchiveDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year % 10000, date.month % 100,
                date.day % 100);
  return text;
}

}  // namespace tavik
