#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace tavik {

// Conversion at the file boundary: in memory all text is UTF-8; files are
// Windows-1252. The five bytes Windows-1252 leaves undefined map to U+0081,
// U+008D, U+008F, U+0090 and U+009D, so that every byte survives a load and a
// save. A character with no Windows-1252 byte is written as '?'.
std::string cp1252ToUtf8(std::string_view bytes);
std::string utf8ToCp1252(std::string_view utf8);

// A Windows-1252 text file written line by line with CR LF line ends. Every
// failure is reported to the caller; nothing is lost silently.
class TextFileWriter {
 public:
  enum class Mode { Truncate, Append };

  TextFileWriter() = default;
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;
  ~TextFileWriter();

  // Creates (or truncates) or opens for appending. False on failure.
  bool open(const std::filesystem::path& path, Mode mode);
  // Writes the text converted to Windows-1252, followed by CR LF.
  bool writeLine(std::string_view utf8);
  // Writes the text converted to Windows-1252, without a line end.
  bool write(std::string_view utf8);
  // Flushes and closes; false when anything written was not stored.
  bool close();

  bool isOpen() const { return fd_ >= 0; }
  // The system's description of the last failure, empty while none occurred.
  const std::string& error() const { return error_; }

 private:
  bool writeBytes(std::string_view bytes);
  int fd_ = -1;
  bool failed_ = false;
  std::string error_;
};

// Reads a whole Windows-1252 file and returns it as UTF-8. False (and an error
// text) when it cannot be read.
bool readTextFile(const std::filesystem::path& path, std::string& utf8,
                  std::string* error = nullptr);

}  // namespace tavik
