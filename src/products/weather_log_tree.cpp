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
// system's reason when it cannot be read. Only a regular file is read: the
// open does not wait for a pipe's writer, and a pipe or a device is refused.
bool readBytes(const fs::path& file, std::string& bytes, std::string& error) {
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat st {};
  if (fd < 0 || ::fstat(fd, &st) != 0) {
    error = std::generic_category().message(errno);
    if (fd >= 0) ::close(fd);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = "keine gewöhnliche Datei";
    ::close(fd);
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

}  // namespace

LogFileResult addWeatherLogFile(const fs::path& file, const RegionalSettings& rs, WeatherLog& log,
                                std::string& error) {
  std::string text;
  if (!readBytes(file, text, error)) return LogFileResult::Unreadable;
  return parseWeatherLog(text, rs, file.string(), log) ? LogFileResult::Read
                                                       : LogFileResult::NotAWetterlog;
}

std::string singleFileError(const fs::path& file, LogFileResult result, const std::string& error) {
  const std::string name = file.filename().string();
  if (result == LogFileResult::Unreadable)
    return "Die Datei „" + name + "“ kann nicht gelesen werden: " + error + ".";
  return "Die Datei „" + name +
         "“ ist keine Wetterlog-Datei: ihr fehlt die Kopfzeile des Wetterlogs.";
}

std::string noWetterlogInFolder(const fs::path& folder) {
  return "Im Ordner „" + folder.string() + "“ liegt keine Wetterlog-Datei.";
}

std::variant<std::vector<fs::path>, std::string> weatherLogFiles(const fs::path& path) {
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (!fs::exists(status)) return "„" + path.string() + "“ gibt es nicht.";
  if (!fs::is_directory(status)) return std::vector<fs::path>{path};
  return textFilesUnder(path);
}

std::optional<std::string> addWeatherLogs(const fs::path& path, const RegionalSettings& rs,
                                          WeatherLog& log) {
  return addWeatherLogs(path, rs, log, nullptr);
}

std::optional<std::string> addWeatherLogs(const fs::path& path, const RegionalSettings& rs,
                                          WeatherLog& log, const LogReadProgress& progress) {
  auto listed = weatherLogFiles(path);
  if (const auto* reason = std::get_if<std::string>(&listed)) return *reason;
  const auto& files = std::get<std::vector<fs::path>>(listed);
  std::error_code ec;
  std::string error;
  if (!fs::is_directory(path, ec)) {
    const LogFileResult result = addWeatherLogFile(path, rs, log, error);
    if (result == LogFileResult::Read) return std::nullopt;
    return singleFileError(path, result, error);
  }
  // Room for every row at once (a row takes more than 100 bytes), so that a
  // year of rows is not copied over and over while it grows.
  uintmax_t bytes = 0;
  for (const fs::path& file : files) {
    const uintmax_t size = fs::file_size(file, ec);
    if (!ec) bytes += size;
  }
  log.rows.reserve(log.rows.size() + static_cast<size_t>(bytes / 100));
  bool found = false;
  for (size_t done = 0; done < files.size(); ++done) {
    if (progress && !progress(done, files.size())) return std::nullopt;
    const fs::path& file = files[done];
    switch (addWeatherLogFile(file, rs, log, error)) {
      case LogFileResult::Read:
        found = true;
        break;
      case LogFileResult::Unreadable:
        log.unread.push_back({file.string(), 0, "nicht lesbar: " + error, std::nullopt});
        break;
      case LogFileResult::NotAWetterlog:
        break;
    }
  }
  if (found) return std::nullopt;
  return noWetterlogInFolder(path);
}

}  // namespace tavik
