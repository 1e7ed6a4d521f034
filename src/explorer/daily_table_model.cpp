// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/daily_table_model.h"

#include <array>

#include "explorer/daily_table.h"

namespace tavik {

DailyTableModel::DailyTableModel(const RegionalSettings& regional, QObject* parent)
    : QAbstractTableModel(parent), regional_(regional) {}

void DailyTableModel::setDays(DaySpan days, LogColumn column, const QString& unit) {
  beginResetModel();
  days_ = std::move(days);
  column_ = column;
  unit_ = unit;
  endResetModel();
}

int DailyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(days_.size());
}

int DailyTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kDayCellCount;
}

QVariant DailyTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  return QString::fromStdString(dayCellText(days_[static_cast<size_t>(index.row())],
                                            static_cast<DayCell>(index.column()), column_,
                                            regional_));
}

QVariant DailyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const std::array<QString, kDayCellCount> headings = {QStringLiteral("Tag"),
                                                       "Minimum (" + unit_ + ")",
                                                       QStringLiteral("um"),
                                                       "Maximum (" + unit_ + ")",
                                                       QStringLiteral("um"),
                                                       "Mittel (" + unit_ + ")",
                                                       QStringLiteral("Wind max (m/s)"),
                                                       QStringLiteral("Regen max (mm/h)")};
  return section >= 0 && section < kDayCellCount ? headings[static_cast<size_t>(section)]
                                                 : QVariant();
}

}  // namespace tavik
