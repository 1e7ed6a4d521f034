// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/message_box_notifier.h"

#include <QMessageBox>
#include <QPushButton>

#include <iostream>

#include "common/journal_lines.h"

namespace tavik {

MessageBoxNotifier::MessageBoxNotifier(QWidget* parent) : parent_(parent) {}

MessageBoxNotifier::~MessageBoxNotifier() {
  // Each box takes itself out of open_ as it goes, so delete from a copy.
  const auto boxes = open_;
  for (const auto& [key, box] : boxes) {
    delete box.data();
  }
}

void MessageBoxNotifier::notify(const std::string& text, const std::string& caption,
                                MessageButtons buttons) {
  // Every failure reaches standard error each time it happens, also while
  // its box from an earlier time is still open.
  std::cerr << messageLine(caption, text) << std::flush;
  const Key key{caption, text};
  if (auto it = open_.find(key); it != open_.end() && it->second) {
    return;
  }
  auto* box = new QMessageBox(QMessageBox::Warning, QString::fromStdString(caption),
                              QString::fromStdString(text), QMessageBox::Ok, parent_);
  if (buttons == MessageButtons::OkCancel) {
    box->addButton(QMessageBox::Cancel)->setText(QStringLiteral("Abbrechen"));
  }
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowModality(Qt::ApplicationModal);
  open_[key] = box;
  connect(box, &QObject::destroyed, this, [this, key] { open_.erase(key); });
  box->show();
}

}  // namespace tavik
