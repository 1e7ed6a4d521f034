// SPDX-License-Identifier: GPL-3.0-or-later
#include "group_line.h"

#include <cstdio>

#include "common/json_text.h"

namespace tavik {
namespace {

std::string value(const RecordField& f) {
  if (f.isFlag) return f.value ? "true" : "false";
  return std::to_string(f.value);
}

}  // namespace

std::string groupName(GroupKind kind) {
  char name[3];
  std::snprintf(name, sizeof name, "%02X", static_cast<unsigned>(kind));
  return name;
}

std::string formatGroupLine(GroupKind kind, const std::string& verdict,
                            const std::vector<RecordField>& fields, bool json,
                            const std::vector<const char*>* refused) {
  std::string line;
  if (json) {
    line = "{\"group\":" + jsonString(groupName(kind)) + ",\"verdict\":" + jsonString(verdict);
    if (!fields.empty()) {
      line += ",\"fields\":{";
      for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += jsonString(fields[i].path) + ':' + value(fields[i]);
      }
      line += '}';
    }
    if (refused != nullptr) {
      line += ",\"plausible\":false,\"refused\":[";
      for (size_t i = 0; i < refused->size(); ++i)
        line += (i > 0 ? "," : "") + jsonString((*refused)[i]);
      line += ']';
    }
    return line + '}';
  }
  line = groupName(kind) + ' ' + verdict;
  for (const RecordField& f : fields) line += ' ' + f.path + '=' + value(f);
  if (refused != nullptr) {
    line += " unplausibel:";
    for (const char* field : *refused) line += std::string(" ") + field;
  }
  return line;
}

}  // namespace tavik
