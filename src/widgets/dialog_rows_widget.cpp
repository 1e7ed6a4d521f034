#include "widgets/dialog_rows_widget.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/field_filters_widget.h"

namespace tavik {

QLineEdit* addMinutesRow(QBoxLayout& layout, const QString& fieldName, const QString& before,
                         const QString& after) {
  auto* field = new QLineEdit;
  field->setObjectName(fieldName);
  field->setFixedWidth(60);
  acceptMinutesOnly(*field);
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
