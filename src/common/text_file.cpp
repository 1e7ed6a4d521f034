// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <system_error>
#include <utility>

namespace tavik {

namespace {

// Unicode code points of the Windows-1252 bytes 0x80..0x9F. The five bytes
// the code page leaves undefined keep their own value (U+0081 and so on).
constexpr char32_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void appendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The Windows-1252 byte of a code point, or '?' when it has none.
char cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  for (unsigned i = 0; i < 32; ++i) {
    if (kHighControls[i] == cp) return static_cast<char>(0x80 + i);
  }
  return '?';
}

// Decodes one UTF-8 sequence at `pos` and moves past it. A malformed
// sequence (bad lead byte, missing continuation, overlong form, surrogate,
// beyond U+10FFFF) yields U+FFFD and consumes one byte.
char32_t decodeUtf8(std::string_view s, size_t& pos) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(s[i]); };
  const uint8_t lead = byte(pos);
  int length = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2;
    cp = lead & 0x1F;
    minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3;
    cp = lead & 0x0F;
    minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4;
    cp = lead & 0x07;
    minimum = 0x10000;
  } else {
    ++pos;
    return 0xFFFD;
  }
  if (pos + static_cast<size_t>(length) > s.size()) {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i < length; ++i) {
    const uint8_t next = byte(pos + static_cast<size_t>(i));
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (next & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += static_cast<size_t>(length);
  return cp;
}

std::string systemErrorText(int error) { return std::generic_category().message(error); }

// What stands at a path that is no regular file, as the reason it is refused.
std::string notRegularText(mode_t mode) {
  if (S_ISDIR(mode)) return "ein Ordner, keine Datei";
  if (S_ISFIFO(mode)) return "eine Pipe (FIFO), keine gewöhnliche Datei";
  if (S_ISSOCK(mode)) return "ein Socket, keine gewöhnliche Datei";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "ein Gerät, keine gewöhnliche Datei";
  return "keine gewöhnliche Datei";
}

// Opens `path` with `flags` without ever blocking or reading without end: a
// pipe without reader, a pipe whose reader never reads, a device such as
// /dev/zero, a socket or a folder is refused, whatever took the path's place
// between a look and the open. The descriptor of a regular file (without
// O_NONBLOCK), or -1 with the reason in `error` and the number in `number`
// (EINVAL for a path that holds no regular file).
int openRegular(const std::filesystem::path& path, int flags, std::string& error, int& number) {
  int fd;
  do {
    fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
  } while (fd < 0 && errno == EINTR);
  struct stat st {};
  if (fd < 0) {
    number = errno;
    // A pipe without reader (ENXIO) and a folder opened for writing (EISDIR)
    // fail before they can be looked at; their kind is the better reason.
    if ((number == ENXIO || number == EISDIR || number == EWOULDBLOCK) &&
        ::lstat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISLNK(st.st_mode)) {
      number = EINVAL;
      error = notRegularText(st.st_mode);
    } else {
      error = systemErrorText(number);
    }
    return -1;
  }
  if (::fstat(fd, &st) != 0) {
    number = errno;
    error = systemErrorText(number);
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(st.st_mode)) {
    number = EINVAL;
    error = notRegularText(st.st_mode);
    ::close(fd);
    return -1;
  }
  if (::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) {
    number = errno;
    error = systemErrorText(number);
    ::close(fd);
    return -1;
  }
  return fd;
}

// The errno of opening an existing file for writing, 0 when it may be written
// (or does not exist). Nothing is changed: the file is not truncated, and a
// symbolic link is not followed.
int writeAccessError(const std::filesystem::path& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno == ENOENT ? 0 : errno;
  ::close(fd);
  return 0;
}

// Flushes a folder's entries (a rename in it) to the disk.
bool syncFolder(const std::filesystem::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  return synced;
}

bool writeWhole(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const char c : bytes) {
    const auto b = static_cast<uint8_t>(c);
    if (b < 0x80) {
      out += c;
    } else if (b < 0xA0) {
      appendUtf8(out, kHighControls[b - 0x80]);
    } else {
      appendUtf8(out, b);
    }
  }
  return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) out += cp1252Byte(decodeUtf8(utf8, pos));
  return out;
}

TextFileWriter::~TextFileWriter() {
  if (fd_ >= 0) ::close(fd_);
}

bool TextFileWriter::open(const std::filesystem::path& path, Mode mode) {
  if (fd_ >= 0 && !close()) return false;
  failed_ = false;
  errorNumber_ = 0;
  error_.clear();
  // A symbolic link at the path is never followed: opening it fails. Only a
  // regular file is written. It is truncated only once it is known to be
  // one (O_TRUNC would act on whatever is opened).
  int flags = O_WRONLY | O_CREAT | O_NOFOLLOW;
  if (mode == Mode::Append) flags |= O_APPEND;
  if (mode == Mode::CreateNew) flags |= O_EXCL;
  std::string why;
  int number = 0;
  fd_ = openRegular(path, flags, why, number);
  if (fd_ < 0) return fail(number, why);
  if (mode == Mode::Truncate && ::ftruncate(fd_, 0) != 0) return fail(errno);
  return true;
}

bool TextFileWriter::fail(int error, std::string text) {
  failed_ = true;
  errorNumber_ = error;
  error_ = text.empty() ? systemErrorText(error) : std::move(text);
  return false;
}

bool TextFileWriter::writeLine(std::string_view utf8) {
  return writeRaw(utf8ToCp1252(utf8) + "\r\n");
}

bool TextFileWriter::write(std::string_view utf8) { return writeRaw(utf8ToCp1252(utf8)); }

bool TextFileWriter::writeRaw(std::string_view bytes) {
  if (fd_ < 0) return fail(EBADF);
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd_, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return fail(n < 0 ? errno : EIO);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

bool TextFileWriter::setPermissions(unsigned mode) {
  if (fd_ < 0) return fail(EBADF);
  if (::fchmod(fd_, static_cast<mode_t>(mode)) != 0) return fail(errno);
  return true;
}

bool TextFileWriter::sync() {
  if (fd_ < 0) return fail(EBADF);
  if (::fsync(fd_) != 0) return fail(errno);
  return true;
}

bool TextFileWriter::close() {
  if (fd_ < 0) return !failed_;
  // close() is not retried after EINTR: the descriptor is released either way.
  if (::close(fd_) != 0 && !failed_) {
    failed_ = true;
    error_ = systemErrorText(errno);
  }
  fd_ = -1;
  return !failed_;
}

bool readFileBytes(const std::filesystem::path& path, std::string& out, std::string* error,
                   bool followLinks) {
  std::string why;
  int number = 0;
  const int fd = openRegular(path, O_RDONLY | (followLinks ? 0 : O_NOFOLLOW), why, number);
  if (fd < 0) {
    if (error) *error = why;
    errno = number;
    return false;
  }
  std::string bytes;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (error) *error = systemErrorText(errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    bytes.append(buffer, static_cast<size_t>(n));
  }
  // Everything has been read; a failing close of a descriptor opened only
  // for reading cannot lose anything.
  ::close(fd);
  out = std::move(bytes);
  return true;
}

std::string notRegularFileNote(const std::filesystem::path& path) {
  struct stat st {};
  if (path.empty() || ::lstat(path.c_str(), &st) != 0) return {};
  if (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode)) return {};
  return path.string() + " ist " + notRegularText(st.st_mode) + ".";
}

std::string withNote(const std::string& text, const std::string& note) {
  return note.empty() ? text : text + "\n" + note;
}

bool readSecretFile(const std::filesystem::path& path, std::string& secret, std::string& why) {
  int number = 0;
  const int fd = openRegular(path, O_RDONLY, why, number);
  if (fd < 0) {
    if (number == ENOENT) why = "die Datei gibt es nicht";
    if (number == EACCES) why = "keine Berechtigung zum Lesen";
    return false;
  }
  // One byte more than allowed tells a file that is too large, also one
  // that grows while it is read.
  std::string bytes(kMaxSecretFileBytes + 1, '\0');
  size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      why = systemErrorText(errno);
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    filled += static_cast<size_t>(n);
  }
  ::close(fd);
  if (filled > kMaxSecretFileBytes) {
    why = "größer als " + std::to_string(kMaxSecretFileBytes / 1024) + " KiB";
    return false;
  }
  bytes.resize(filled);
  secret = std::move(bytes);
  return true;
}

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

Outcome<std::string> readSecretLine(const std::string& path, const std::string& what) {
  std::string text;
  std::string why;
  if (!readSecretFile(path, text, why)) {
    return Outcome<std::string>::failure("Die " + what + " " + path +
                                         " kann nicht gelesen werden: " + why + ".");
  }
  std::string line = text.substr(0, text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return Outcome<std::string>::success(line);
}

bool readTextFile(const std::filesystem::path& path, std::string& utf8, std::string* error) {
  std::string bytes;
  if (!readFileBytes(path, bytes, error)) return false;
  utf8 = cp1252ToUtf8(bytes);
  return true;
}

bool isNonAsciiUtf8(std::string_view bytes) {
  bool nonAscii = false;
  for (size_t pos = 0; pos < bytes.size();) {
    const size_t start = pos;
    const char32_t cp = decodeUtf8(bytes, pos);
    // U+FFFD from a malformed sequence consumes one byte; the real
    // character takes three.
    if (cp == 0xFFFD && pos - start == 1) return false;
    if (cp >= 0x80) nonAscii = true;
  }
  return nonAscii;
}

std::filesystem::path FileReplacement::temporaryPath(const std::filesystem::path& path) {
  return path.string() + ".tmp";
}

FileReplacement::~FileReplacement() { discard(); }

void FileReplacement::discard() {
  opened_ = false;
  writer_.close();
  if (!temp_.empty()) ::unlink(temp_.c_str());
  temp_.clear();
}

bool FileReplacement::open(const std::filesystem::path& path, Durability durability) {
  discard();
  error_.clear();
  durability_ = durability;
  target_ = path;
  if (path.empty()) {
    error_ = systemErrorText(ENOENT);
    return false;
  }
  // The path is taken as given: a symbolic link standing there is replaced by
  // the new file, never followed, so that a link another user planted in a
  // shared folder cannot make the program write elsewhere.
  struct stat st {};
  const bool exists = ::lstat(path.c_str(), &st) == 0;
  const bool regular = exists && S_ISREG(st.st_mode);
  // A pipe, a device or a socket would block the writer or swallow the file.
  if (exists && !regular && !S_ISLNK(st.st_mode)) {
    error_ = notRegularText(st.st_mode);
    return false;
  }
  if (regular) {
    if (const int denied = writeAccessError(path); denied != 0) {
      error_ = systemErrorText(denied);
      return false;
    }
  }
  const std::filesystem::path temp = temporaryPath(path);
  ::unlink(temp.c_str());  // left by an interrupted run; a link is removed, not followed
  if (!writer_.open(temp, TextFileWriter::Mode::CreateNew)) {
    const int reason = writer_.errorNumber();
    // A folder that takes no new file may still let the file be rewritten.
    if (reason == EACCES || reason == EPERM || reason == EROFS) return openInPlace();
    return false;
  }
  temp_ = temp;
  // The file keeps its permissions; one of another user's lends none (it
  // could open the program's file to everybody), nor do the set-id bits.
  if (regular && st.st_uid == ::geteuid()) writer_.setPermissions(st.st_mode & 0777);
  opened_ = true;
  return true;
}

bool FileReplacement::openInPlace() {
  temp_.clear();
  opened_ = writer_.open(target_, TextFileWriter::Mode::Truncate);
  return opened_;
}

bool FileReplacement::commit() {
  if (!opened_) {
    if (error().empty()) error_ = systemErrorText(EBADF);
    return false;
  }
  opened_ = false;
  const bool synced = durability_ == Durability::Plain || !writer_.isOpen() || writer_.sync();
  if (!(writer_.close() && synced)) {
    discard();
    return false;
  }
  if (temp_.empty()) return true;
  if (::rename(temp_.c_str(), target_.c_str()) != 0) {
    error_ = systemErrorText(errno);
    discard();
    return false;
  }
  temp_.clear();
  if (durability_ == Durability::Synced && !syncFolder(target_.parent_path())) {
    error_ = systemErrorText(errno);
    return false;
  }
  return true;
}

bool appendWholeLines(const std::filesystem::path& path,
                      const std::vector<std::string>& newFileLines,
                      const std::vector<std::string>& lines, std::string* error) {
  const auto failed = [&](int reason) {
    if (error) *error = systemErrorText(reason);
    return false;
  };
  // A symbolic link at the path is not followed: the open fails (ELOOP).
  // Only a regular file is appended to.
  std::string why;
  int number = 0;
  bool created = true;
  int fd = openRegular(path, O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_NOFOLLOW, why, number);
  if (fd < 0 && number == EEXIST) {
    created = false;
    fd = openRegular(path, O_WRONLY | O_APPEND | O_NOFOLLOW, why, number);
  }
  if (fd < 0) {
    if (error) *error = why;
    return false;
  }
  struct stat before {};
  if (::fstat(fd, &before) != 0) {
    const int reason = errno;
    ::close(fd);
    return failed(reason);
  }
  std::string bytes;
  if (created) {
    for (const std::string& line : newFileLines) bytes += utf8ToCp1252(line) + "\r\n";
  }
  for (const std::string& line : lines) bytes += utf8ToCp1252(line) + "\r\n";
  bool stored = writeWhole(fd, bytes);
  int reason = errno;
  // A regular file is cut back to where it ended, so that no part of the
  // lines stays and the next lines start on a line of their own.
  if (!stored && S_ISREG(before.st_mode)) {
    if (::ftruncate(fd, before.st_size) != 0) reason = errno;
  }
  if (::close(fd) != 0 && stored) {
    stored = false;
    reason = errno;
    // Best effort: the close's failure is the one reported.
    if (S_ISREG(before.st_mode)) {
      const int again = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
      if (again >= 0) {
        [[maybe_unused]] const int cut = ::ftruncate(again, before.st_size);
        ::close(again);
      }
    }
  }
  if (!stored && created) ::unlink(path.c_str());
  return stored || failed(reason);
}

bool createFoldersBelow(const std::filesystem::path& base, const std::filesystem::path& below,
                        std::string* error) {
  const auto failed = [&](int reason) {
    if (error) *error = systemErrorText(reason);
    return false;
  };
  std::error_code ec;
  std::filesystem::create_directories(base, ec);
  std::filesystem::path folder = base;
  for (const auto& part : below.relative_path()) {
    if (part.empty()) continue;
    folder /= part;
    if (::mkdir(folder.c_str(), 0777) == 0) continue;
    if (errno != EEXIST) return failed(errno);
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0) return failed(errno);
    if (S_ISLNK(st.st_mode)) return failed(ELOOP);
    if (!S_ISDIR(st.st_mode)) return failed(ENOTDIR);
  }
  return true;
}

}  // namespace tavik
