// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "common/outcome.h"

namespace tavik {

// The largest secret file the program reads; a larger one is not a password
// file and is refused unread.
inline constexpr long kSecretFileMaxBytes = 4096;

// A secret's file as the program opens it: an absolute path as it stands; a
// relative one in the systemd credentials folder when the service runs with
// one and the file is there, else in the station folder (`settingsDir`, with
// its trailing "/"). An empty setting stays empty.
std::string secretFilePath(const std::string& setting, const std::string& settingsDir,
                           const char* credentialsDir);

// The first line of the secret file at `path` (without its line end), or the
// German reason it cannot be had: "Die <what> <path> kann nicht gelesen
// werden: ...". Only a regular file of at most kSecretFileMaxBytes is read;
// a pipe or a device is refused without being opened for a blocking read.
Outcome<std::string> readSecretFile(const std::string& path, const std::string& what);

}  // namespace tavik
