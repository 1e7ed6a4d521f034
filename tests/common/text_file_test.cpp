// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/text_file.h"

#include <gtest/gtest.h>

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
      {folder.path() / "folder.txt", "Is a directory"},
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

TEST(TextFileWriterTest, AFullDeviceFailsTheWriteAndTheClose) {
  TextFileWriter w;
  ASSERT_TRUE(w.open("/dev/full", TextFileWriter::Mode::Append));
  EXPECT_FALSE(w.writeLine("Wetter"));
  EXPECT_EQ(w.error(), "No space left on device");
  EXPECT_FALSE(w.close());
  EXPECT_EQ(w.error(), "No space left on device");
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
  EXPECT_EQ(error, "Is a directory");
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

TEST(FileReplacementTest, ReplacesALinkInsteadOfFollowingItAndWritesADeviceInPlace) {
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

  ASSERT_TRUE(r.open("/dev/full"));  // no file to rename over: written in place
  EXPECT_FALSE(r.writeLine("x"));
  EXPECT_FALSE(r.commit());
  EXPECT_EQ(r.error(), "No space left on device");

  std::filesystem::create_directory(folder.path() / "dir.txt");
  EXPECT_FALSE(r.open(folder.path() / "dir.txt"));
  EXPECT_EQ(r.error(), "Is a directory");
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
  EXPECT_FALSE(appendWholeLines("/dev/full", {}, {"x"}, &error));
  EXPECT_EQ(error, "No space left on device");

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
