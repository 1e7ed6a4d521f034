// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_tree.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <system_error>
#include <vector>

namespace tavik {

namespace {

namespace fs = std::filesystem;

bool isTextFile(const fs::directory_entry& entry) {
  std::error_code ec;
  if (!entry.is_regular_file(ec)) return false;
  std::string extension = entry.path().extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return extension == ".txt";
}

// The .txt files under a folder, in name order so that every reading of the
// same tree reports in the same order.
std::vector<fs::path> textFilesUnder(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, ec);
  for (; !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (isTextFile(*it)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// The file's bytes, read in as few calls as its size allows. False with the
// system's reason when it cannot be read.
bool readBytes(const fs::path& file, std::string& bytes, std::string& error) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    error = std::generic_category().message(errno);
    if (fd >= 0) ::close(fd);
    return false;
  }
  bytes.resize(static_cast<size_t>(st.st_size) + 1);  // one more byte tells the end
  size_t filled = 0;
  for (;;) {
    if (filled == bytes.size()) bytes.resize(bytes.size() * 2);
    const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n < 0) error = std::generic_category().message(errno);
      ::close(fd);
      bytes.resize(filled);
      return n == 0;
    }
    filled += static_cast<size_t>(n);
  }
}

enum class FileResult { Read, NotAWetterlog, Unreadable };

FileResult addFile(const fs::path& file, const RegionalSettings& rs, WeatherLog& log,
                   std::string& error) {
  std::string text;
  if (!readBytes(file, text, error)) return FileResult::Unreadable;
  return parseWeatherLog(text, rs, file.string(), log) ? FileResult::Read
                                                       : FileResult::NotAWetterlog;
}

}  // namespace

std::optional<std::string> addWeatherLogs(const fs::path& path, const RegionalSettings& rs,
                                          WeatherLog& log) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return "„" + path.string() + "“ gibt es nicht.";
  std::string error;
  if (!fs::is_directory(status)) {
    const std::string name = path.filename().string();
    switch (addFile(path, rs, log, error)) {
      case FileResult::Read:
        return std::nullopt;
      case FileResult::Unreadable:
        return "Die Datei „" + name + "“ kann nicht gelesen werden: " + error + ".";
      case FileResult::NotAWetterlog:
        return "Die Datei „" + name +
               "“ ist keine Wetterlog-Datei: ihr fehlt die Kopfzeile des Wetterlogs.";
    }
  }
  const std::vector<fs::path> files = textFilesUnder(path);
  // Room for every row at once (a row takes more than 100 bytes), so that a
  // year of rows is not copied over and over while it grows.
  uintmax_t bytes = 0;
  for (const fs::path& file : files) {
    const uintmax_t size = fs::file_size(file, ec);
    if (!ec) bytes += size;
  }
  log.rows.reserve(log.rows.size() + static_cast<size_t>(bytes / 100));
  bool found = false;
  for (const fs::path& file : files) {
    switch (addFile(file, rs, log, error)) {
      case FileResult::Read:
        found = true;
        break;
      case FileResult::Unreadable:
        log.unread.push_back({file.string(), 0, "nicht lesbar: " + error, std::nullopt});
        break;
      case FileResult::NotAWetterlog:
        break;
    }
  }
  if (found) return std::nullopt;
  return "Im Ordner „" + path.string() + "“ liegt keine Wetterlog-Datei.";
}

}  // namespace tavik
