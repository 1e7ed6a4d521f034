// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/standard_error.h"

#include <QString>
#include <QtGlobal>

#include <iostream>

namespace tavik {
namespace {

void qtMessage(QtMsgType type, const QMessageLogContext&, const QString& text) {
  Priority priority = Priority::Notice;
  if (type == QtWarningMsg) priority = Priority::Warning;
  if (type == QtCriticalMsg || type == QtFatalMsg) priority = Priority::Failure;
  std::cerr << withPriority(priority, text.toStdString()) << std::flush;
}

}  // namespace

StandardErrorLines::StandardErrorLines()
    : buffer_(*std::cerr.rdbuf(), standardErrorIsJournal(), linePriority),
      plain_(std::cerr.rdbuf(&buffer_)) {
  qInstallMessageHandler(qtMessage);
}

StandardErrorLines::~StandardErrorLines() {
  qInstallMessageHandler(nullptr);
  std::cerr.rdbuf(plain_);
}

}  // namespace tavik
