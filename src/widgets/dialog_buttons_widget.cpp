// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/dialog_buttons_widget.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>

namespace tavik {

QDialogButtonBox* okCancelButtons(QDialog& dialog, const char* okName, const char* cancelName) {
  auto* box = new QDialogButtonBox(&dialog);
  QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(okName);
  ok->setDefault(true);
  box->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
      ->setObjectName(cancelName);
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  return box;
}

QCheckBox* addCheckBox(QLayout& layout, const char* name, const char* text) {
  auto* box = new QCheckBox(QString::fromUtf8(text));
  box->setObjectName(name);
  layout.addWidget(box);
  return box;
}

}  // namespace tavik
