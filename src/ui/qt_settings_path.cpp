// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/qt_settings_path.h"

#include <QSettings>

namespace tavik {

namespace {
// A device, not a folder: no settings file can be made below it.
const QString kNowhere = QStringLiteral("/dev/null");
}  // namespace

void keepQtDialogHistoryInMemory() {
  for (const QSettings::Format format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, kNowhere);
  }
}

}  // namespace tavik
