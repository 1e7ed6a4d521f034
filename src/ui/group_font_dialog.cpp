// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/group_font_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavik {

GroupFontDialog::GroupFontDialog(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("FontDialog1"));
  setWindowTitle(QStringLiteral("Zeichen"));
  auto* column = new QVBoxLayout(this);

  // Qt's font dialog as a pane: its own buttons give way to ours.
  fontPane_ = new QFontDialog(this);
  fontPane_->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
  fontPane_->setWindowFlags(Qt::Widget);
  column->addWidget(fontPane_);

  auto* colourRow = new QHBoxLayout();
  colourRow->addWidget(new QLabel(QStringLiteral("Schriftfarbe:"), this));
  sample_ = new QLabel(this);
  sample_->setObjectName(QStringLiteral("Farbmuster"));
  sample_->setFixedSize(40, 20);
  sample_->setFrameShape(QFrame::Box);
  sample_->setAutoFillBackground(true);
  colourRow->addWidget(sample_);
  colourButton_ = new QPushButton(QStringLiteral("Farbe..."), this);
  colourButton_->setObjectName(QStringLiteral("Schriftfarbe"));
  colourRow->addWidget(colourButton_);
  colourRow->addStretch(1);
  column->addLayout(colourRow);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
  column->addWidget(buttons);

  connect(colourButton_, &QPushButton::clicked, this, &GroupFontDialog::chooseColour);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  showColour();
}

void GroupFontDialog::setChoice(const QFont& font, const QColor& colour) {
  fontPane_->setCurrentFont(font);
  colour_ = colour;
  colourChanged_ = false;
  showColour();
}

QFont GroupFontDialog::chosenFont() const { return fontPane_->currentFont(); }

void GroupFontDialog::chooseColour() {
  const QColor chosen = QColorDialog::getColor(colour_, this, QStringLiteral("Schriftfarbe"));
  if (!chosen.isValid()) return;
  colour_ = chosen;
  colourChanged_ = true;
  showColour();
}

void GroupFontDialog::showColour() {
  QPalette p = sample_->palette();
  p.setColor(QPalette::Window, colour_);
  sample_->setPalette(p);
}

}  // namespace tavik
