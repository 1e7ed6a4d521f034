// SPDX-License-Identifier: GPL-3.0-or-later
#include "station/port_error.h"

#include <cerrno>

namespace tavik {

PortFailure classifyPortErrno(int code) {
  switch (code) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return PortFailure::Missing;
    case EBUSY:
    case EWOULDBLOCK:
      return PortFailure::Busy;
    case EACCES:
    case EPERM:
      return PortFailure::NoPermission;
    default:
      return PortFailure::Other;
  }
}

std::string portFailureText(PortFailure failure, const std::string& path,
                            const std::string& detail) {
  switch (failure) {
    case PortFailure::Missing:
      return "Das Gerät " + path + " gibt es nicht.";
    case PortFailure::Busy:
      return "Ein anderes Programm " + (detail.empty() ? "" : "(" + detail + ") ") +
             "benutzt das Gerät " + path + ".";
    case PortFailure::NoPermission:
      return "Keine Berechtigung für " + path + " – der Benutzer muss in der Gruppe dialout sein.";
    case PortFailure::Other:
      break;
  }
  return "Das Gerät " + path + " ist nicht nutzbar: " + detail + ".";
}

}  // namespace tavik
