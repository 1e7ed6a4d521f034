// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

#include "ui/column_layout.h"

class QGroupBox;

namespace tavik {

// The middle of the main window ("PanelMiddle"): the three columns PanelLinks,
// PanelMitte and PanelRechts (with PanelRechts2 inside) and the ten display
// groups in them, placed on every size change by the column layout. Its
// smallest size is the one at which every group still shows all of its texts.
// When three columns of groups would make the window wider than its screen
// (a large group font), the groups flow into two columns or one instead.
class ColumnArea : public QWidget {
  Q_OBJECT

 public:
  explicit ColumnArea(QWidget* parent = nullptr);

  // The parents of GroupBox2..GroupBox11, in group order.
  std::array<QWidget*, 10> groupOwners() const;
  void setGroups(const std::array<QGroupBox*, 10>& groups);
  // Places the columns and groups for the present size.
  void arrange();
  // The room the screen leaves for the area, and the width the window has
  // anyway for its other parts; the smallest size follows from them.
  void setRoom(QSize room, int narrowest);
  // 3, or 2 or 1 when the groups flow into fewer columns at the present size.
  int columnCount() const;

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override { return minimumSizeHint(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QGroupBox* group(int n) const { return groups_[static_cast<size_t>(n - 2)]; }
  std::array<AreaSize, 10> groupMinimums() const;
  void arrangeInColumns();
  void arrangeFlowing(int columns);
  void holdGroupsIn(bool panels);

  QWidget* PanelLinks = nullptr;
  QWidget* PanelMitte = nullptr;
  QWidget* PanelRechts = nullptr;
  QWidget* PanelRechts2 = nullptr;
  std::array<QGroupBox*, 10> groups_{};
  QSize room_;  // none until the window knows its screen
  int narrowest_ = 0;
};

}  // namespace tavik
