// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "widgets/tool_window.h"

namespace tavik {

class StringGrid;

// The five-minute wind list: under the heading "5x Wind", row k holds the
// highest wind speed of the k oldest of the last five minutes, shown with
// its unit, m/s.
class Twindx5 : public ToolWindow {
  Q_OBJECT

 public:
  explicit Twindx5(QWidget* parent = nullptr);

  // Row 1..5 of the list; other rows are left alone.
  void setRowText(int row, const QString& text);
  QString rowText(int row) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void fitToTexts();
  // The width the rows need with their unit.
  int gridWidth() const;

  StringGrid* StringGrid1;
};

}  // namespace tavik
