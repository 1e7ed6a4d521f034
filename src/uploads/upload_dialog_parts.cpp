// SPDX-License-Identifier: GPL-3.0-or-later
#include "uploads/upload_dialog_parts.h"

namespace tavik {

namespace {
constexpr int kFollowMs = 250;
}  // namespace

SendNowRow::SendNowRow(UploadOutlet& outlet, QWidget& dialog) : outlet_(outlet) {
  button_ = new QPushButton(QStringLiteral("Jetzt senden"));
  button_->setObjectName("SendNowButton");
  answer_ = new QLabel;
  answer_->setObjectName("LastAnswer");
  answer_->setWordWrap(true);
  answer_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  addWidget(button_);
  addWidget(answer_, 1);
  QObject::connect(button_, &QPushButton::clicked, &dialog, [this] {
    outlet_.sendNow();
    refresh();
  });
  follow_.setInterval(kFollowMs);
  QObject::connect(&follow_, &QTimer::timeout, &dialog, [this] { refresh(); });
  follow_.start();
}

void SendNowRow::refresh() {
  const std::string& last = outlet_.lastAnswer();
  answer_->setText(QString::fromStdString(last.empty() ? outlet_.status() : last));
  button_->setEnabled(!outlet_.schedule().inFlight());
}

}  // namespace tavik
