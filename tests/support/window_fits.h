// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether a window shows every text whole, at its first size and at the
// smallest size it allows, with the normal font and with a 14-point font.
// Besides the labels, buttons and group titles of cutTexts it looks at the
// text of line edits, the cells of tables and the window title.
#include <QApplication>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTableWidget>
#include <QTest>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "text_fits.h"

namespace tavik::test {

// Room a window manager's title bar takes beside the title: a window icon and
// a close button of about a line's height each, plus the frame ends.
inline int titleBarDecoration(const QFontMetrics& metrics) {
  return 2 * (metrics.height() + 10) + 16;
}

inline void checkTitle(const QWidget* window, std::vector<std::string>& cut) {
  QFont font = QApplication::font();
  font.setBold(true);
  const QFontMetrics metrics(font);
  const QString title = window->windowTitle();
  const int need = metrics.horizontalAdvance(title) + titleBarDecoration(metrics);
  if (need > window->width()) {
    cut.push_back(describe(window, QStringLiteral("title ") + title, need, window->width()));
  }
}

inline void checkLineEdit(const QLineEdit* edit, std::vector<std::string>& cut) {
  const QString text = edit->text();
  if (text.isEmpty() || edit->echoMode() != QLineEdit::Normal) return;
  QStyleOptionFrame option;
  option.initFrom(edit);
  option.lineWidth =
      edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
  const QRect contents = edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
  const QMargins margins = edit->textMargins();
  // A line edit keeps 2 px free on either side of its text.
  const int room = contents.width() - margins.left() - margins.right() - 4;
  const int need = edit->fontMetrics().horizontalAdvance(text);
  if (need > room) cut.push_back(describe(edit, text, need, room));
}

inline void checkTableCells(const QTableWidget* table, std::vector<std::string>& cut) {
  const int padding = 2 * (table->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
  for (int row = 0; row < table->rowCount(); ++row) {
    for (int column = 0; column < table->columnCount(); ++column) {
      const QTableWidgetItem* item = table->item(row, column);
      if (!item || item->text().isEmpty()) continue;
      const QFontMetrics metrics(item->font());
      const int need = metrics.horizontalAdvance(item->text()) + padding;
      if (need > table->columnWidth(column)) {
        cut.push_back(describe(table, item->text(), need, table->columnWidth(column)));
      }
      if (metrics.height() > table->rowHeight(row)) {
        cut.push_back(
            describe(table, item->text() + " (height)", metrics.height(), table->rowHeight(row)));
      }
    }
  }
}

// Every cut text of a shown window: cutTexts and the checks above.
inline std::vector<std::string> everyCut(const QWidget* window) {
  std::vector<std::string> cut = cutTexts(window);
  if (window->isWindow()) checkTitle(window, cut);
  for (const QLineEdit* edit : window->findChildren<const QLineEdit*>()) {
    if (edit->isVisibleTo(window)) checkLineEdit(edit, cut);
  }
  for (const QTableWidget* table : window->findChildren<const QTableWidget*>()) {
    if (table->isVisibleTo(window)) checkTableCells(table, cut);
  }
  return cut;
}

// The application font at a point size for the life of the object, as a
// user's larger desktop font would set it before the windows are made.
class ScopedAppFont {
 public:
  explicit ScopedAppFont(int pointSize) : saved_(QApplication::font()) {
    QFont font = saved_;
    font.setPointSize(pointSize);
    QApplication::setFont(font);
  }
  ~ScopedAppFont() { QApplication::setFont(saved_); }
  ScopedAppFont(const ScopedAppFont&) = delete;
  ScopedAppFont& operator=(const ScopedAppFont&) = delete;

 private:
  QFont saved_;
};

using WindowFactory = std::function<std::unique_ptr<QWidget>()>;

// Makes the window with the normal font and with a 14-point font, shows it
// and lists every cut text at its first size and at its smallest size, each
// line prefixed with where it was found. Empty when everything fits.
inline std::vector<std::string> cutsAtEverySize(const WindowFactory& make) {
  std::vector<std::string> all;
  auto collect = [&all](const char* where, const QWidget& window) {
    for (const std::string& line : everyCut(&window)) all.push_back(std::string(where) + line);
  };
  for (const int points : {0, 14}) {
    std::unique_ptr<ScopedAppFont> font;
    if (points > 0) font = std::make_unique<ScopedAppFont>(points);
    const std::unique_ptr<QWidget> window = make();
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get())) all.push_back("window not exposed");
    QApplication::processEvents();
    collect(points ? "[14 pt, first size] " : "[first size] ", *window);
    window->resize(1, 1);
    QApplication::processEvents();
    collect(points ? "[14 pt, smallest size] " : "[smallest size] ", *window);
    window->hide();
  }
  return all;
}

// One line per cut text, for a test's failure message.
inline std::string joined(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

}  // namespace tavik::test
