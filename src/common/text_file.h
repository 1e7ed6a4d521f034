// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/outcome.h"

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
  // No mode follows a symbolic link at the path: opening one fails.
  // CreateNew makes a file that must not exist yet.
  enum class Mode { Truncate, Append, CreateNew };

  TextFileWriter() = default;
  TextFileWriter(const TextFileWriter&) = delete;
  TextFileWriter& operator=(const TextFileWriter&) = delete;
  ~TextFileWriter();

  // Creates (or truncates) or opens for appending, never blocking: what is
  // no regular file is refused, with error() telling what it is. False on
  // failure.
  bool open(const std::filesystem::path& path, Mode mode);
  // Writes the text converted to Windows-1252, followed by CR LF.
  bool writeLine(std::string_view utf8);
  // Writes the text converted to Windows-1252, without a line end.
  bool write(std::string_view utf8);
  // Writes the bytes as they are.
  bool writeRaw(std::string_view bytes);
  // Gives the open file the permission bits `mode` (through the descriptor,
  // so whatever took the path's place meanwhile is not touched).
  bool setPermissions(unsigned mode);
  // Flushes what was written to the disk.
  bool sync();
  // Flushes and closes; false when anything written was not stored.
  bool close();

  bool isOpen() const { return fd_ >= 0; }
  // The system's description of the last failure, empty while none occurred.
  const std::string& error() const { return error_; }
  // The system's number of the last failure, 0 while none occurred.
  int errorNumber() const { return errorNumber_; }

 private:
  bool fail(int error, std::string text = {});
  int fd_ = -1;
  int errorNumber_ = 0;
  bool failed_ = false;
  std::string error_;
};

// A file replaced whole: the new content goes to a temporary file beside it
// (its name and ".tmp"), which is renamed over the file once it is complete,
// so that a reader, a kill or a full disk never meets a half-written file.
// The path is used as given: a symbolic link standing there is replaced by
// the file, and the temporary file is made new (O_EXCL, O_NOFOLLOW) in the
// path's own folder, so no link is ever followed. A file in a folder that
// takes no new file is written in place; a link there is refused. Whatever
// is no regular file (a pipe, a device, a socket, a folder) is refused, so
// that nothing can block the writer.
class FileReplacement {
 public:
  // Synced: file and folder are flushed to the disk before and after the
  // rename, so that a power cut leaves the old or the new file.
  enum class Durability { Plain, Synced };

  FileReplacement() = default;
  FileReplacement(const FileReplacement&) = delete;
  FileReplacement& operator=(const FileReplacement&) = delete;
  // An unfinished temporary file is removed.
  ~FileReplacement();

  // False when the file cannot be created: its folder is missing, a folder
  // stands in its place, or the user may not write the existing file (which
  // is then not replaced either).
  bool open(const std::filesystem::path& path, Durability durability = Durability::Plain);
  bool writeLine(std::string_view utf8) { return writer_.writeLine(utf8); }
  bool writeRaw(std::string_view bytes) { return writer_.writeRaw(bytes); }
  // Puts the new content in place; false, with the old file left as it was,
  // when anything failed.
  bool commit();
  const std::string& error() const { return error_.empty() ? writer_.error() : error_; }

  static std::filesystem::path temporaryPath(const std::filesystem::path& path);

 private:
  bool openInPlace();
  void discard();

  TextFileWriter writer_;
  std::filesystem::path target_;
  std::filesystem::path temp_;  // empty when written in place
  Durability durability_ = Durability::Plain;
  bool opened_ = false;
  std::string error_;
};

// Appends lines to a file as one whole; a symbolic link at the path is not
// followed but refused (ELOOP), and so is anything but a regular file. A file that does not exist
// yet is created with `newFileLines` before them. After a failed or short write (a full disk) the
// file is cut back to its length before, and a file this call created is removed, so that no
// partial line stays. False, with the system's error text, on failure.
bool appendWholeLines(const std::filesystem::path& path,
                      const std::vector<std::string>& newFileLines,
                      const std::vector<std::string>& lines, std::string* error = nullptr);

// Makes the folders of `below` inside `base`, one after the other where they
// are missing (`base` itself as it is given). A symbolic link in the place of
// a folder of `below` is refused, never followed, so that a link another user
// planted in a shared folder cannot lead the files elsewhere. False, with the
// system's error text, on failure.
bool createFoldersBelow(const std::filesystem::path& base, const std::filesystem::path& below,
                        std::string* error = nullptr);

// Reads a whole Windows-1252 file and returns it as UTF-8. False (and an error
// text) when it cannot be read.
bool readTextFile(const std::filesystem::path& path, std::string& utf8,
                  std::string* error = nullptr);

// Reads a whole file as it is. False (and an error text) when it cannot be
// read; what is no regular file (a pipe, /dev/zero, a socket, a folder) is
// refused without blocking. Without `followLinks` a symbolic link at the path
// is refused, for a file the program wrote itself and passes on.
bool readFileBytes(const std::filesystem::path& path, std::string& bytes,
                   std::string* error = nullptr, bool followLinks = true);

// "PATH ist eine Pipe (FIFO), keine gewöhnliche Datei." when what stands at
// `path` (not followed) is neither a regular file nor a link, "" otherwise:
// the reason a product's file was refused, for its message.
std::string notRegularFileNote(const std::filesystem::path& path);

// `text`, and `note` on a line of its own when there is one.
std::string withNote(const std::string& text, const std::string& note);

// The largest file a secret (a password) is read from; a larger one holds no
// password and is refused unread.
inline constexpr size_t kMaxSecretFileBytes = 4096;

// Reads the whole of a file that holds a secret: a regular file (followed
// through links, as the user named it) of at most kMaxSecretFileBytes, opened
// without blocking. False with the German reason when it cannot be used:
// "die Datei gibt es nicht", "keine Berechtigung zum Lesen", "größer als
// 4 KiB", what stands there instead of a file, or the system's text.
bool readSecretFile(const std::filesystem::path& path, std::string& secret, std::string& why);

// A secret's file as the program opens it: an absolute path as it stands; a
// relative one in the systemd credentials folder when the service runs with
// one and the file is there, else in the station folder (`settingsDir`, with
// its trailing "/"). An empty setting stays empty.
std::string secretFilePath(const std::string& setting, const std::string& settingsDir,
                           const char* credentialsDir);

// The first line of the secret file at `path` (without its line end), or
// "Die <what> <path> kann nicht gelesen werden: <reason>." (`what` as
// "MQTT-Passwortdatei").
Outcome<std::string> readSecretLine(const std::string& path, const std::string& what);

// Whether the bytes are valid UTF-8 holding at least one character beyond
// ASCII: such a text was not written in Windows-1252 (where a lone high
// byte, as in "ä", is no valid UTF-8).
bool isNonAsciiUtf8(std::string_view bytes);

}  // namespace tavik
