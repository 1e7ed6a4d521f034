#include "products/weather_log_tree.h"

#include <algorithm>
#include <cctype>
#include <system_error>
#include <vector>

#include "common/text_file.h"

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

enum class FileResult { Read, NotAWetterlog, Unreadable };

FileResult addFile(const fs::path& file, const RegionalSettings& rs, WeatherLog& log,
                   std::string& error) {
  std::string text;
  if (!readTextFile(file, text, &error)) return FileResult::Unreadable;
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
  bool found = false;
  for (const fs::path& file : textFilesUnder(path)) {
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
