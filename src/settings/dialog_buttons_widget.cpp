#include "settings/dialog_buttons_widget.h"

#include <QDialog>
#include <QDialogButtonBox>
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

}  // namespace tavik
