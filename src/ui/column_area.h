// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include <array>

class QGroupBox;

namespace tavik {

// The middle of the main window ("PanelMiddle"): the three columns PanelLinks,
// PanelMitte and PanelRechts (with PanelRechts2 inside) and the ten display
// groups in them, placed on every size change by the column layout. Its
// smallest size is the one at which every group still shows all of its texts.
class ColumnArea : public QWidget {
  Q_OBJECT

 public:
  explicit ColumnArea(QWidget* parent = nullptr);

  // The parents of GroupBox2..GroupBox11, in group order.
  std::array<QWidget*, 10> groupOwners() const;
  void setGroups(const std::array<QGroupBox*, 10>& groups) { groups_ = groups; }
  // Places the columns and groups for the present size.
  void arrange();

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override { return minimumSizeHint(); }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  QGroupBox* group(int n) const { return groups_[static_cast<size_t>(n - 2)]; }

  QWidget* PanelLinks = nullptr;
  QWidget* PanelMitte = nullptr;
  QWidget* PanelRechts = nullptr;
  QWidget* PanelRechts2 = nullptr;
  std::array<QGroupBox*, 10> groups_{};
};

}  // namespace tavik
