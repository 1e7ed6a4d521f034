// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "file_size_limit.h"
#include "temp_folder.h"

namespace tavik {
namespace {

using tavik::testing::ScopedReadOnlyFolder;
using tavik::testing::TempFolder;

std::string rawBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(Cp1252, EveryByteSurvivesTheRoundTrip) {
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  const std::string utf8 = cp1252ToUtf8(all);
  EXPECT_EQ(utf8ToCp1252(utf8), all);
}

TEST(Cp1252, MapsToUnicode) {
  EXPECT_EQ(cp1252ToUtf8("Empf\xE4nger"), "Empfänger");
  EXPECT_EQ(cp1252ToUtf8("\x80"), "€");
  EXPECT_EQ(cp1252ToUtf8("\x9F"), "Ÿ");
  EXPECT_EQ(cp1252ToUtf8("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
  EXPECT_EQ(utf8ToCp1252("Grüße °C €"), "Gr\xFC\xDF\x65 \xB0\x43 \x80");
}

TEST(Cp1252, UnmappableAndMalformedBecomeQuestionMarks) {
  EXPECT_EQ(utf8ToCp1252("Ω→😀"), "???");
  EXPECT_EQ(utf8ToCp1252("\u0080"), "?");          // a C1 control that has no byte
  EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");          // cut sequence
  EXPECT_EQ(utf8ToCp1252("\xC0\xAF"), "??");       // overlong form
  EXPECT_EQ(utf8ToCp1252("\xED\xA0\x80"), "???");  // surrogate
}

TEST(TextFileWriterTest, WritesCp1252WithCrLfAndAppends) {
  TempFolder folder;
  const auto file = folder.path() / "out.txt";
  TextFileWriter w;
  ASSERT_TRUE(w.open(file, TextFileWriter::Mode::Truncate));
  EXPECT_TRUE(w.writeLine("Temperatur 21,5 °C"));
  EXPECT_TRUE(w.write("ohne Ende"));
  ASSERT_TRUE(w.close());
  EXPECT_EQ(rawBytes(file),
            "Temperatur 21,5 \xB0"
            "C\r\nohne Ende");

  ASSERT_TRUE(w.open(file, TextFileWriter::Mode::Append));
  EXPECT_TRUE(w.writeLine(""));
  ASSERT_TRUE(w.close());
  EXPECT_EQ(rawBytes(file),
            "Temperatur 21,5 \xB0"
            "C\r\nohne Ende\r\n");

  ASSERT_TRUE(w.open(file, TextFileWriter::Mode::Truncate));
  EXPECT_TRUE(w.writeLine("neu"));
  ASSERT_TRUE(w.close());
  EXPECT_EQ(rawBytes(file), "neu\r\n");
  EXPECT_TRUE(w.error().empty());

  std::string text;
  ASSERT_TRUE(readTextFile(file, text));
  EXPECT_EQ(text, "neu\r\n");
}

TEST(TextFileWriterTest, ReportsEveryKindOfOpenFailure) {
  TempFolder folder;
  std::filesystem::create_directory(folder.path() / "folder.txt");
  std::filesystem::create_directory(folder.path() / "locked");
  struct Case {
    std::filesystem::path path;
    std::string error;
  };
  const Case cases[] = {
      {folder.path() / "missing" / "out.txt", "No such file or directory"},
      {folder.path() / "folder.txt", "ein Ordner, keine Datei"},
      {folder.path() / "locked" / "out.txt", "Permission denied"},
      {folder.path() / "link.txt", "Too many levels of symbolic links"},
  };
  std::filesystem::create_symlink(folder.path() / "target.txt", folder.path() / "link.txt");
  for (const Case& c : cases) {
    ScopedReadOnlyFolder readOnly(folder.path() / "locked");
    TextFileWriter w;
    EXPECT_FALSE(w.open(c.path, TextFileWriter::Mode::Append)) << c.path;
    EXPECT_EQ(w.error(), c.error);
    EXPECT_FALSE(w.isOpen());
    EXPECT_FALSE(w.writeLine("x"));
    EXPECT_FALSE(w.close());
  }
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "locked" / "out.txt"));
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "target.txt"));
}

// What is no regular file is refused at once, with what it is, by every way
// a file is opened: nothing waits for a pipe's other end, writes into a pipe
// nobody empties, reads /dev/zero without end or writes into a device.
TEST(OnlyRegularFiles, APipeADeviceASocketOrAFolderIsRefusedWithoutBlocking) {
  TempFolder folder;
  const auto fifo = folder.path() / "fifo.txt";
  const auto heldFifo = folder.path() / "held-fifo.txt";
  const auto socketFile = folder.path() / "socket.txt";
  const auto dir = folder.path() / "dir.txt";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(mkfifo(heldFifo.c_str(), 0600), 0);
  // A reader that never reads: a writer could open it and then block.
  const int reader = ::open(heldFifo.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::snprintf(address.sun_path, sizeof address.sun_path, "%s", socketFile.c_str());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
  std::filesystem::create_directory(dir);
  const std::string pipe = "eine Pipe (FIFO), keine gewöhnliche Datei";
  const std::string device = "ein Gerät, keine gewöhnliche Datei";
  const struct {
    std::filesystem::path path;
    std::string reason;
  } cases[] = {
      {fifo, pipe},
      {heldFifo, pipe},
      {"/dev/zero", device},
      {"/dev/full", device},
      {socketFile, "ein Socket, keine gewöhnliche Datei"},
      {dir, "ein Ordner, keine Datei"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.string());
    for (const auto mode : {TextFileWriter::Mode::Append, TextFileWriter::Mode::Truncate}) {
      TextFileWriter w;
      EXPECT_FALSE(w.open(c.path, mode));
      EXPECT_EQ(w.error(), c.reason);
    }
    FileReplacement r;
    EXPECT_FALSE(r.open(c.path));
    EXPECT_EQ(r.error(), c.reason);
    std::string error;
    EXPECT_FALSE(appendWholeLines(c.path, {"Kopf"}, {"Zeile"}, &error));
    EXPECT_EQ(error, c.reason);
    std::string bytes;
    EXPECT_FALSE(readFileBytes(c.path, bytes, &error));
    EXPECT_EQ(error, c.reason);
    EXPECT_FALSE(readSecretFile(c.path, bytes, error));
    EXPECT_EQ(error, c.reason);
  }
  char byte = 0;
  EXPECT_LE(::read(reader, &byte, 1), 0);  // nothing was written into the pipe
  ::close(reader);
  ::close(sock);
  EXPECT_TRUE(std::filesystem::is_empty(dir));
}

TEST(OnlyRegularFiles, ASecretFileIsReadWholeUpToFourKiB) {
  TempFolder folder;
  const auto file = folder.path() / "secret";
  std::string secret;
  std::string why;
  std::ofstream(file, std::ios::binary) << std::string(kMaxSecretFileBytes, 's');
  ASSERT_TRUE(readSecretFile(file, secret, why)) << why;
  EXPECT_EQ(secret, std::string(kMaxSecretFileBytes, 's'));
  std::ofstream(file, std::ios::binary | std::ios::app) << "s";
  EXPECT_FALSE(readSecretFile(file, secret, why));
  EXPECT_EQ(why, "größer als 4 KiB");
  EXPECT_FALSE(readSecretFile(folder.path() / "none", secret, why));
  EXPECT_EQ(why, "die Datei gibt es nicht");
  // Through a link the user set up, as any file the user names.
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "geheim\n";
  std::filesystem::create_symlink(file, folder.path() / "link");
  ASSERT_TRUE(readSecretFile(folder.path() / "link", secret, why)) << why;
  EXPECT_EQ(secret, "geheim\n");
}

TEST(OnlyRegularFiles, ASecretIsTheFirstLineOfItsFile) {
  TempFolder folder;
  const std::string file = (folder.path() / "key").string();
  std::ofstream(file, std::ios::binary) << "s3cret\r\nzweite Zeile\n";
  EXPECT_EQ(readSecretLine(file, "WU-Schlüsseldatei").value, "s3cret");
  std::ofstream(file, std::ios::binary | std::ios::trunc) << "";
  EXPECT_EQ(readSecretLine(file, "WU-Schlüsseldatei").value, "");
  const std::string missing = (folder.path() / "fehlt").string();
  EXPECT_EQ(readSecretLine(missing, "CWOP-Schlüsseldatei").error,
            "Die CWOP-Schlüsseldatei " + missing +
                " kann nicht gelesen werden: die Datei gibt es nicht.");
}

TEST(ReadTextFile, ConvertsAndReportsFailures) {
  TempFolder folder;
  const auto file = folder.path() / "in.txt";
  std::ofstream(file, std::ios::binary) << "Empf\xE4nger=DL0XYZ\r\n";
  std::string text;
  ASSERT_TRUE(readTextFile(file, text));
  EXPECT_EQ(text, "Empfänger=DL0XYZ\r\n");

  std::string error;
  EXPECT_FALSE(readTextFile(folder.path() / "none.txt", text, &error));
  EXPECT_EQ(error, "No such file or directory");
  EXPECT_FALSE(readTextFile(folder.path(), text, &error));
  EXPECT_EQ(error, "ein Ordner, keine Datei");
}

void writeRawFile(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream(p, std::ios::binary) << bytes;
}

TEST(FileReplacementTest, AFullDiskLeavesTheOldFileWhole) {
  TempFolder folder;
  const auto file = folder.path() / "aprs.txt";
  const std::string old = std::string(100, 'a') + "\r\n";
  writeRawFile(file, old);
  const int result = testing::runWithFileSizeLimit(4096, [&] {
    FileReplacement r;
    if (!r.open(file)) return 2;
    const bool written = r.writeRaw(std::string(10000, 'n'));
    return !written && !r.commit() && r.error() == "File too large" ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(rawBytes(file), old);
  EXPECT_FALSE(std::filesystem::exists(FileReplacement::temporaryPath(file)));
}

TEST(FileReplacementTest, ReplacesALinkInsteadOfFollowingIt) {
  TempFolder folder;
  const auto real = folder.path() / "real.txt";
  const auto link = folder.path() / "link.txt";
  writeRawFile(real, "alt\r\n");
  std::filesystem::create_symlink(real, link);
  FileReplacement r;
  ASSERT_TRUE(r.open(link));
  EXPECT_TRUE(r.writeLine("Grüße"));
  ASSERT_TRUE(r.commit());
  EXPECT_FALSE(std::filesystem::is_symlink(link));
  EXPECT_EQ(rawBytes(link),
            "Gr\xFC\xDF"
            "e\r\n");
  EXPECT_EQ(rawBytes(real), "alt\r\n");
  EXPECT_FALSE(std::filesystem::exists(FileReplacement::temporaryPath(link)));

  // A link to a folder or to a device is replaced all the same.
  std::filesystem::create_directory(folder.path() / "folder");
  std::filesystem::create_symlink(folder.path() / "folder", folder.path() / "to-folder.txt");
  std::filesystem::create_symlink("/dev/full", folder.path() / "to-device.txt");
  for (const char* name : {"to-folder.txt", "to-device.txt"}) {
    ASSERT_TRUE(r.open(folder.path() / name)) << name;
    EXPECT_TRUE(r.writeLine("neu"));
    EXPECT_TRUE(r.commit()) << name;
    EXPECT_EQ(rawBytes(folder.path() / name), "neu\r\n");
  }
  EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "folder"));

  std::filesystem::create_directory(folder.path() / "dir.txt");
  EXPECT_FALSE(r.open(folder.path() / "dir.txt"));
  EXPECT_EQ(r.error(), "ein Ordner, keine Datei");
  EXPECT_FALSE(r.commit());
  EXPECT_FALSE(r.open(""));
  EXPECT_FALSE(std::filesystem::exists(".tmp"));
}

TEST(FileReplacementTest, AnAbandonedReplacementLeavesNoTrace) {
  TempFolder folder;
  const auto file = folder.path() / "t.txt";
  writeRawFile(file, "alt");
  {
    FileReplacement r;
    ASSERT_TRUE(r.open(file, FileReplacement::Durability::Synced));
    EXPECT_TRUE(r.writeLine("neu"));
  }
  EXPECT_EQ(rawBytes(file), "alt");
  EXPECT_FALSE(std::filesystem::exists(FileReplacement::temporaryPath(file)));

  // A link left where the temporary file goes is not followed.
  writeRawFile(folder.path() / "fremd", "fremd");
  std::filesystem::create_symlink(folder.path() / "fremd", FileReplacement::temporaryPath(file));
  FileReplacement r;
  ASSERT_TRUE(r.open(file, FileReplacement::Durability::Synced));
  EXPECT_TRUE(r.writeLine("neu"));
  ASSERT_TRUE(r.commit());
  EXPECT_EQ(rawBytes(file), "neu\r\n");
  EXPECT_EQ(rawBytes(folder.path() / "fremd"), "fremd");
}

TEST(AppendWholeLinesTest, ANewFileGetsItsFirstLinesAnOldOneOnlyTheNew) {
  TempFolder folder;
  const auto file = folder.path() / "log.txt";
  ASSERT_TRUE(appendWholeLines(file, {"Kopf"}, {"Zeile 1"}));
  ASSERT_TRUE(appendWholeLines(file, {"Kopf"}, {"Zeile 2", "Zeile 3"}));
  EXPECT_EQ(rawBytes(file), "Kopf\r\nZeile 1\r\nZeile 2\r\nZeile 3\r\n");
  std::string error;
  EXPECT_FALSE(appendWholeLines(folder.path() / "fehlt" / "log.txt", {}, {"x"}, &error));
  EXPECT_EQ(error, "No such file or directory");

  // A link in the file's place is refused, not followed, whether it points
  // at a file or nowhere yet.
  const auto other = folder.path() / "other.txt";
  writeRawFile(other, "fremd\r\n");
  std::filesystem::create_symlink(other, folder.path() / "to-other.txt");
  std::filesystem::create_symlink(folder.path() / "nowhere.txt", folder.path() / "dangling.txt");
  for (const char* name : {"to-other.txt", "dangling.txt"}) {
    EXPECT_FALSE(appendWholeLines(folder.path() / name, {"Kopf"}, {"x"}, &error)) << name;
    EXPECT_EQ(error, "Too many levels of symbolic links");
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / name));
  }
  EXPECT_EQ(rawBytes(other), "fremd\r\n");
  EXPECT_FALSE(std::filesystem::exists(folder.path() / "nowhere.txt"));
}

TEST(AppendWholeLinesTest, AShortWriteIsCutBackAndTheNextLinesStartClean) {
  TempFolder folder;
  const auto file = folder.path() / "log.txt";
  const std::string before = "Kopf\r\n" + std::string(90, 'r') + "\r\n";
  writeRawFile(file, before);
  const int result = testing::runWithFileSizeLimit(before.size() + 20, [&] {
    std::string error;
    const bool stored = appendWholeLines(file, {"Kopf"}, {std::string(60, 'z')}, &error);
    return !stored && error == "File too large" ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(rawBytes(file), before);
  ASSERT_TRUE(appendWholeLines(file, {"Kopf"}, {"danach"}));
  EXPECT_EQ(rawBytes(file), before + "danach\r\n");

  // A file that the failed call created is removed, so that the next call
  // starts it with its first lines again.
  const auto fresh = folder.path() / "neu.txt";
  EXPECT_EQ(testing::runWithFileSizeLimit(
                10, [&] { return appendWholeLines(fresh, {"Kopfzeile"}, {"Zeile"}) ? 1 : 0; }),
            0);
  EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST(CreateFoldersBelowTest, MakesEachFolderAndRefusesALinkOrAFileAmongThem) {
  TempFolder folder;
  const auto base = folder.path() / "neu" / "basis";
  ASSERT_TRUE(createFoldersBelow(base, "a/b/c"));
  EXPECT_TRUE(std::filesystem::is_directory(base / "a/b/c"));
  EXPECT_TRUE(createFoldersBelow(base, "a/b"));  // already there

  std::filesystem::create_directory(folder.path() / "woanders");
  std::filesystem::create_symlink(folder.path() / "woanders", base / "link");
  writeRawFile(base / "datei", "x");
  std::string error;
  EXPECT_FALSE(createFoldersBelow(base, "link/x", &error));
  EXPECT_EQ(error, "Too many levels of symbolic links");
  EXPECT_TRUE(std::filesystem::is_empty(folder.path() / "woanders"));
  EXPECT_FALSE(createFoldersBelow(base, "datei/x", &error));
  EXPECT_EQ(error, "Not a directory");
}

TEST(Utf8Detection, OnlyValidUtf8BeyondAsciiCounts) {
  EXPECT_TRUE(isNonAsciiUtf8("Empf\xC3\xA4nger"));
  EXPECT_TRUE(isNonAsciiUtf8("\xEF\xBF\xBD"));  // U+FFFD itself is valid
  EXPECT_FALSE(isNonAsciiUtf8("Empfaenger"));
  EXPECT_FALSE(isNonAsciiUtf8("Empf\xE4nger"));
  EXPECT_FALSE(isNonAsciiUtf8("\xC3\xA4\xC3"));  // cut off
  EXPECT_FALSE(isNonAsciiUtf8("\xC0\xAF"));      // overlong
}

}  // namespace
}  // namespace tavik
