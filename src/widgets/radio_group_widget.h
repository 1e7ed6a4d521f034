// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QGroupBox>
#include <QStringList>

class QAbstractButton;
class QButtonGroup;

namespace tavik {

// A titled group of radio buttons, one per item, of which at most one is
// chosen; the choice is the item's position.
class RadioGroup : public QGroupBox {
  Q_OBJECT

 public:
  RadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

  // The chosen position, -1 when none is chosen.
  int itemIndex() const;
  // Chooses a position; any position outside the items chooses none.
  void setItemIndex(int index);
  // The button of an item, nullptr for a position outside the items.
  QAbstractButton* button(int index) const;

 signals:
  // The user clicked an item.
  void clicked(int index);

 private:
  QButtonGroup* buttons_;
};

}  // namespace tavik
