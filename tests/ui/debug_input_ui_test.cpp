// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QTextDocument>

#include <memory>

#include "../station/pty.h"
#include "station/serial_port.h"
#include "ui/debug_input_window.h"
#include "ui/hex_dump.h"
#include "ui/hex_pane_widget.h"
#include "ui/terminal_pane_widget.h"

namespace tavik {
namespace {

void feed(TerminalPane& pane, const std::string& bytes) {
  pane.receiveChunk(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

TEST(DebugInputWindow, CaptionNamesThePortEachTimeItIsShown) {
  SerialPort port;
  port.setPortName("/dev/ttyUSB3");
  TDebugComInput window(port);
  EXPECT_EQ(window.windowTitle(), "Comport Input");
  window.show();
  EXPECT_EQ(window.windowTitle(), "Comport Input: /dev/ttyUSB3");
  window.hide();
  port.setPortName("COM2");
  window.show();
  EXPECT_EQ(window.windowTitle(), "Comport Input: COM2");
}

TEST(DebugInputWindow, ShowsTheBytesThePortReceives) {
  test::Pty pty;
  SerialPort port;
  port.setPortName(pty.slavePath());
  TDebugComInput window(port);
  port.Open();
  pty.write({'A', 'B', 0x0A, 0x01, 0xB0, 'C'});
  TerminalPane* pane = window.findChild<TerminalPane*>("ComTerminal1");
  ASSERT_NE(pane, nullptr);
  for (int i = 0; i < 20 && pane->characterCount() < 4; ++i) port.pollOnce(50);
  // A line feed breaks the line; a control byte shows as a dot, 0xB0 as °.
  EXPECT_EQ(pane->text(), QString::fromUtf8("AB\n·°C"));
  // The hex view shows the same bytes, and the count names its unit.
  EXPECT_EQ(window.hexView()->toPlainText().toStdString(),
            "00000000  41 42 0A 01 B0 43                                 |AB...C          |");
  EXPECT_EQ(window.findChild<QLabel*>("ByteCount")->text(), "6 Bytes empfangen");
}

TEST(HexDump, LinesOfSixteenBytesInAlignedColumns) {
  std::vector<uint8_t> bytes(40);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(0x8F + i * 7);
  HexDump dump;
  // Chunks that end inside a line: the line is completed by the next one.
  std::vector<std::string> lines = dump.add(std::span(bytes).first(10));
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(dump.partialLine().size(), 78u);
  lines = dump.add(std::span(bytes).subspan(10));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0],
            "00000000  8F 96 9D A4 AB B2 B9 C0  C7 CE D5 DC E3 EA F1 F8  |................|");
  EXPECT_EQ(lines[1],
            "00000010  FF 06 0D 14 1B 22 29 30  37 3E 45 4C 53 5A 61 68  |.....\")07>ELSZah|");
  EXPECT_EQ(dump.partialLine(),
            "00000020  6F 76 7D 84 8B 92 99 A0                           |ov}.....        |");
  EXPECT_EQ(dump.total(), 40u);
  EXPECT_EQ(hexDumpLine(0xFFFFFFFFFULL, {}).substr(0, 10), "FFFFFFFFF ");
}

TEST(DebugInputWindow, TheHexViewKeepsTheNewestLinesInAFixedPitchFont) {
  HexPane pane;
  EXPECT_TRUE(QFontInfo(pane.font()).fixedPitch());
  const std::vector<uint8_t> chunk(16 * 100, 0x20);
  for (int i = 0; i < 60; ++i) pane.receiveChunk(chunk);
  EXPECT_LE(pane.document()->blockCount(), HexPane::maxLines);
  EXPECT_EQ(pane.total(), 60u * 1600);
  EXPECT_TRUE(pane.toPlainText().endsWith(
      "000176F0  20 20 20 20 20 20 20 20  20 20 20 20 20 20 20 20  |                |\n"));
}

TEST(DebugInputWindow, PaneIsWhiteOnBlack) {
  SerialPort port;
  TDebugComInput window(port);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  TerminalPane* pane = window.terminal();
  feed(*pane, std::string(40, '#'));
  const QImage shot = pane->viewport()->grab().toImage();
  EXPECT_EQ(QColor(shot.pixel(shot.width() - 2, shot.height() - 2)), QColor(Qt::black));
  int brightest = 0;
  for (int x = 0; x < 60; ++x) {
    for (int y = 0; y < 20; ++y)
      brightest = std::max(brightest, QColor(shot.pixel(x, y)).lightness());
  }
  EXPECT_GT(brightest, 200);
}

TEST(TerminalPane, ScrollBackStaysBoundedAndKeepsTheNewest) {
  TerminalPane pane;
  // Hours of data without a line feed.
  const std::string chunk(4096, 'x');
  for (int i = 0; i < 100; ++i) feed(pane, chunk);
  feed(pane, "END");
  EXPECT_LE(pane.characterCount(), TerminalPane::maxCharacters);
  EXPECT_GT(pane.characterCount(), TerminalPane::maxCharacters / 2);
  EXPECT_TRUE(pane.text().endsWith("xEND"));
  EXPECT_EQ(pane.text().size(), pane.characterCount());

  // And as many short lines.
  for (int i = 0; i < 20000; ++i) feed(pane, "ab\n");
  EXPECT_LE(pane.lineCount(), TerminalPane::maxLines);
  EXPECT_TRUE(pane.text().endsWith("ab\nab\n"));
}

TEST(TerminalPane, FollowsTheNewestBytesUnlessScrolledBack) {
  TerminalPane pane;
  pane.resize(300, 200);
  pane.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&pane));
  QScrollBar* bar = pane.verticalScrollBar();
  for (int i = 0; i < 100; ++i) feed(pane, "line\n");
  ASSERT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  bar->setValue(0);
  feed(pane, "more\n");
  EXPECT_EQ(bar->value(), 0);
}

TEST(TerminalPane, OutlivesItsPort) {
  auto port = std::make_unique<SerialPort>();
  TerminalPane pane;
  pane.setPort(port.get());
  port.reset();
  EXPECT_EQ(pane.port(), nullptr);
}

}  // namespace
}  // namespace tavik
