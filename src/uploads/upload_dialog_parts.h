// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "uploads/upload_outlet.h"

namespace tavik {

// The row "Jetzt senden" of an upload dialog with the outlet's last answer,
// which it follows while the dialog is open.
class SendNowRow : public QHBoxLayout {
 public:
  SendNowRow(UploadOutlet& outlet, QWidget& dialog);
  QPushButton* button() const { return button_; }
  QLabel* answer() const { return answer_; }
  void refresh();

 private:
  UploadOutlet& outlet_;
  QPushButton* button_;
  QLabel* answer_;
  QTimer follow_;
};

}  // namespace tavik
