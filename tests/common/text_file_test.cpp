#include "common/text_file.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

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
  };
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

}  // namespace
}  // namespace tavik
