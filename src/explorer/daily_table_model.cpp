// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/daily_table_model.h"

#include <array>

namespace tavik {

namespace {
constexpr int kColumns = 8;
}  // namespace

void DailyTableModel::setRows(std::vector<DailyTableRow> rows, const QString& unit) {
  beginResetModel();
  rows_ = std::move(rows);
  unit_ = unit;
  endResetModel();
}

int DailyTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int DailyTableModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumns;
}

QVariant DailyTableModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::TextAlignmentRole) {
    return QVariant::fromValue(index.column() == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                                   : Qt::AlignRight | Qt::AlignVCenter);
  }
  if (role != Qt::DisplayRole) return {};
  const DailyTableRow& row = rows_[static_cast<size_t>(index.row())];
  const std::array<const std::string*, kColumns> cells = {
      &row.day,         &row.minimum, &row.minimumTime, &row.maximum,
      &row.maximumTime, &row.mean,    &row.windMax,     &row.rainMax};
  return QString::fromStdString(*cells[static_cast<size_t>(index.column())]);
}

QVariant DailyTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  const std::array<QString, kColumns> headings = {QStringLiteral("Tag"),
                                                  "Minimum (" + unit_ + ")",
                                                  QStringLiteral("um"),
                                                  "Maximum (" + unit_ + ")",
                                                  QStringLiteral("um"),
                                                  "Mittel (" + unit_ + ")",
                                                  QStringLiteral("Wind max (m/s)"),
                                                  QStringLiteral("Regen max (mm/h)")};
  return section >= 0 && section < kColumns ? headings[static_cast<size_t>(section)] : QVariant();
}

}  // namespace tavik
