// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "common/notifier.h"

class QLineEdit;

namespace tavik {

// The name dialog of a new profile ("Neues Profil"). The field is not
// cleared between uses, so it shows the last name entered.
class TPasswordDlg : public QDialog {
  Q_OBJECT

 public:
  explicit TPasswordDlg(Notifier& notifier, QWidget* parent = nullptr);

  // The name as entered.
  std::string name() const;

  // Asked on OK: an answer other than "" refuses the name with that message,
  // and the dialog stays open for another name.
  std::function<std::string(const std::string& name)> checkName;

  void accept() override;

 private:
  Notifier& notifier_;
  QLineEdit* Password;
};

}  // namespace tavik
