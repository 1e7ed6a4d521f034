// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialog_groups_widget.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "widgets/folder_chooser_dialog.h"

namespace tavik {

QGroupBox* titledGroup(const char* name, const char* title) {
  auto* box = new QGroupBox(QString::fromUtf8(title));
  box->setObjectName(name);
  return box;
}

QLineEdit* formField(QFormLayout& form, const char* name, const char* caption) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  form.addRow(QString::fromUtf8(caption), field);
  return field;
}

FolderGroup::FolderGroup(const QString& title, Tordner& chooser, QWidget* parent)
    : QGroupBox(title, parent), Label3(new QLabel(this)), Button3(new QPushButton(this)) {
  Label3->setObjectName(QStringLiteral("Label3"));
  Label3->setFrameShape(QFrame::StyledPanel);
  Label3->setFrameShadow(QFrame::Sunken);
  Button3->setObjectName(QStringLiteral("Button3"));
  Button3->setText(QStringLiteral("Durchsuchen..."));
  Button3->setAutoDefault(false);
  auto* row = new QHBoxLayout(this);
  row->addWidget(Label3, 1);
  row->addWidget(Button3);
  connect(Button3, &QPushButton::clicked, this,
          [this, &chooser] { browseFolder(chooser, *Label3); });
}

QString FolderGroup::folder() const { return Label3->text(); }

void FolderGroup::setFolder(const QString& folder) { Label3->setText(folder); }

}  // namespace tavik
