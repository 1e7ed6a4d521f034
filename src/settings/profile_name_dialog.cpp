// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/profile_name_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "widgets/dialog_buttons_widget.h"

namespace tavik {

TPasswordDlg::TPasswordDlg(Notifier& notifier, QWidget* parent)
    : QDialog(parent), notifier_(notifier) {
  setObjectName("TPasswordDlg");
  setWindowTitle(QStringLiteral("Neues Profil"));

  auto* prompt = new QLabel(QStringLiteral("Name eingeben:"));
  prompt->setObjectName("Label1");
  Password = new QLineEdit;
  Password->setObjectName("Password");
  prompt->setBuddy(Password);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(prompt);
  layout->addWidget(Password);
  layout->addWidget(okCancelButtons(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

std::string TPasswordDlg::name() const { return Password->text().toStdString(); }

void TPasswordDlg::accept() {
  if (checkName) {
    if (const std::string refusal = checkName(name()); !refusal.empty()) {
      notifier_.notify(refusal, "Neues Profil", MessageButtons::Ok);
      Password->setFocus();
      return;
    }
  }
  QDialog::accept();
}

}  // namespace tavik
