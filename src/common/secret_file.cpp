// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/secret_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace tavik {

namespace {

std::string errorText(int error) {
  if (error == ENOENT) return "die Datei gibt es nicht";
  if (error == EACCES) return "keine Berechtigung zum Lesen";
  return std::strerror(error);
}

// Closes the descriptor on every way out.
struct FileDescriptor {
  int fd;
  ~FileDescriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

std::string secretFilePath(const std::string& setting, const std::string& settingsDir,
                           const char* credentialsDir) {
  namespace fs = std::filesystem;
  if (setting.empty() || fs::path(setting).is_absolute()) return setting;
  if (credentialsDir && *credentialsDir) {
    const fs::path credential = fs::path(credentialsDir) / setting;
    std::error_code ec;
    if (fs::exists(credential, ec)) return credential.string();
  }
  return settingsDir + setting;
}

Outcome<std::string> readSecretFile(const std::string& path, const std::string& what) {
  const auto refused = [&](const std::string& why) {
    return Outcome<std::string>::failure("Die " + what + " " + path +
                                         " kann nicht gelesen werden: " + why + ".");
  };
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const FileDescriptor file{::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (file.fd < 0) return refused(errorText(errno));
  struct stat st {};
  if (::fstat(file.fd, &st) != 0) return refused(errorText(errno));
  if (!S_ISREG(st.st_mode)) return refused("sie ist keine gewöhnliche Datei");
  if (st.st_size > kSecretFileMaxBytes) {
    return refused("sie ist größer als " + std::to_string(kSecretFileMaxBytes) + " Bytes");
  }
  std::string content(static_cast<size_t>(st.st_size), '\0');
  size_t got = 0;
  while (got < content.size()) {
    const ssize_t n = ::read(file.fd, content.data() + got, content.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refused(errorText(errno));
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  content.resize(got);
  const size_t end = content.find_first_of("\r\n");
  if (end != std::string::npos) content.resize(end);
  return Outcome<std::string>::success(content);
}

}  // namespace tavik
