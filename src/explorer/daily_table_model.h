// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractTableModel>

#include "common/regional.h"
#include "explorer/archive_view.h"

namespace tavik {

// The explorer's daily table as a model for a table view: handing it the
// days of twenty years costs one reset, and only the cells the view asks
// for are formatted.
class DailyTableModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  DailyTableModel(const RegionalSettings& regional, QObject* parent = nullptr);

  // The days shown, the column summarised and its unit.
  void setDays(DaySpan days, LogColumn column, const QString& unit);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const RegionalSettings& regional_;
  DaySpan days_;
  LogColumn column_ = LogColumn::TempO;
  QString unit_;
};

}  // namespace tavik
