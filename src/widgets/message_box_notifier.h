// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <map>
#include <string>
#include <utility>

#include "common/notifier.h"

class QMessageBox;

namespace tavik {

// Shows each failure in a message box without waiting for the answer (nobody
// reads it). The box is modal for the application but opens no event loop of
// its own, so a timer tick that reports a failure returns at once and the
// program goes on. While a box with the same caption and text is open, the
// same failure opens no second one: a failing timer cannot pile up boxes.
// Every message also goes to standard error, each time, for unattended runs.
class MessageBoxNotifier final : public QObject, public Notifier {
 public:
  explicit MessageBoxNotifier(QWidget* parent = nullptr);
  ~MessageBoxNotifier() override;

  void notify(const std::string& text, const std::string& caption,
              MessageButtons buttons = MessageButtons::OkCancel) override;

  // The window the boxes are centred on.
  void setParentWindow(QWidget* parent) { parent_ = parent; }

  // The boxes open now.
  int openBoxes() const { return static_cast<int>(open_.size()); }

 private:
  using Key = std::pair<std::string, std::string>;  // caption, text
  QPointer<QWidget> parent_;
  std::map<Key, QPointer<QMessageBox>> open_;
};

}  // namespace tavik
