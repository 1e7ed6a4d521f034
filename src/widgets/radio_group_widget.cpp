// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/radio_group_widget.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tavik {

RadioGroup::RadioGroup(const QString& title, const QStringList& items, QWidget* parent)
    : QGroupBox(title, parent), buttons_(new QButtonGroup(this)) {
  auto* layout = new QVBoxLayout(this);
  for (int i = 0; i < items.size(); ++i) {
    auto* button = new QRadioButton(items[i]);
    button->setObjectName(QStringLiteral("Item%1").arg(i));
    buttons_->addButton(button, i);
    layout->addWidget(button);
  }
  connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::clicked);
}

int RadioGroup::itemIndex() const { return buttons_->checkedId(); }

void RadioGroup::setItemIndex(int index) {
  if (QAbstractButton* chosen = buttons_->button(index)) {
    chosen->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; let go of it for a moment.
  buttons_->setExclusive(false);
  for (QAbstractButton* b : buttons_->buttons()) b->setChecked(false);
  buttons_->setExclusive(true);
}

QAbstractButton* RadioGroup::button(int index) const { return buttons_->button(index); }

}  // namespace tavik
