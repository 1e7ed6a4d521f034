// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QDialog>
#include <QFont>

class QFontDialog;
class QLabel;
class QPushButton;

namespace tavik {

// "Zeichen": the font of a display group and the colour of its text in one
// dialog. The font pane is Qt's own; "Farbe..." opens the colour chooser.
class GroupFontDialog : public QDialog {
  Q_OBJECT

 public:
  explicit GroupFontDialog(QWidget* parent = nullptr);

  // Shows the group's present font and text colour.
  void setChoice(const QFont& font, const QColor& colour);
  QFont chosenFont() const;
  QColor chosenColour() const { return colour_; }
  // Whether a colour was chosen since setChoice; when not, the group keeps
  // the colour it has (the desktop's, unless one was set before).
  bool colourChanged() const { return colourChanged_; }

  QPushButton* colourButton() const { return colourButton_; }

 private:
  void chooseColour();
  void showColour();

  QFontDialog* fontPane_ = nullptr;
  QPushButton* colourButton_ = nullptr;
  QLabel* sample_ = nullptr;
  QColor colour_ = Qt::black;
  bool colourChanged_ = false;
};

}  // namespace tavik
