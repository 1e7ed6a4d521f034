// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/process_name.h"

#include <fstream>

namespace tavik {

std::string processName(pid_t pid, const std::string& proc) {
  if (pid <= 0) return {};
  std::ifstream in(proc + "/" + std::to_string(pid) + "/comm");
  std::string name;
  std::getline(in, name);
  // Only printable text goes into a message.
  for (char& c : name) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
  }
  return name;
}

std::string holderText(pid_t pid, const std::string& proc) {
  if (pid <= 0) return {};
  const std::string name = processName(pid, proc);
  const std::string id = "PID " + std::to_string(pid);
  return name.empty() ? id : name + ", " + id;
}

}  // namespace tavik
