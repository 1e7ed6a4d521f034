// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialog_rows_widget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "widgets/field_filters_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {
// 60 wide, or as wide as the longest number of minutes needs.
constexpr int kMinutesFieldWidth = 60;
const QString kWidestMinutes = QStringLiteral("0000,0000");
}  // namespace

QLineEdit* addMinutesRow(QBoxLayout& layout, const QString& fieldName, const QString& before,
                         const QString& after, int32_t maxMinutes) {
  auto* field = new QLineEdit;
  field->setObjectName(fieldName);
  field->setFixedWidth(std::max(kMinutesFieldWidth, widthForText(*field, kWidestMinutes)));
  acceptMinutesOnly(*field, maxMinutes);
  auto* row = new QHBoxLayout;
  row->addWidget(new QLabel(before));
  row->addWidget(field);
  row->addWidget(new QLabel(after));
  row->addStretch();
  layout.addLayout(row);
  return field;
}

FolderRow addFolderRow(QBoxLayout& layout, const QString& labelName, const QString& buttonName) {
  FolderRow r{new QLabel, new QPushButton(QStringLiteral("Durchsuchen..."))};
  r.folder->setObjectName(labelName);
  r.folder->setFrameShape(QFrame::StyledPanel);
  r.folder->setTextFormat(Qt::PlainText);
  r.browse->setObjectName(buttonName);
  r.browse->setAutoDefault(false);
  auto* row = new QHBoxLayout;
  row->addWidget(r.folder, 1);
  row->addWidget(r.browse);
  layout.addLayout(row);
  return r;
}

}  // namespace tavik
