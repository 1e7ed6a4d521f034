// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

namespace tavik {

// A small window that floats over the main window. It is created once, lives
// until the program ends and is only shown and hidden; it tells the main window
// when the user closes it so that the menu's check mark can follow.
class ToolWindow : public QWidget {
  Q_OBJECT

 public:
  enum class Placement { Free, CentredOnParentFirstTime };

  explicit ToolWindow(Placement placement, QWidget* parent = nullptr);

  // The width a window needs for its title bar to show `title` whole: the
  // title in the bold application font beside a window icon and three
  // buttons.
  static int widthForTitle(const QString& title);

 signals:
  void closedByUser();
  void hidden();

 protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  bool centreOnNextShow_;
};

}  // namespace tavik
