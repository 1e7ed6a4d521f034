// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include <vector>

#include "explorer/daily_table.h"

namespace tavik {

// The explorer's daily table as a model for a table view: handing it a
// year of rows costs one reset, and the view asks only for the rows in sight.
class DailyTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using QAbstractTableModel::QAbstractTableModel;

  // The rows and the unit of the column summarised.
  void setRows(std::vector<DailyTableRow> rows, const QString& unit);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  std::vector<DailyTableRow> rows_;
  QString unit_;
};

}  // namespace tavik
