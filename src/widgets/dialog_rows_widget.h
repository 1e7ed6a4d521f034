// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>

class QBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tavik {

// Rows that several settings dialogs share, added to a layout.

// "<before> [minutes] <after>": a minutes field that takes digits only, up to
// `maxMinutes`.
QLineEdit* addMinutesRow(QBoxLayout& layout, const QString& fieldName, const QString& before,
                         const QString& after, int32_t maxMinutes);

// A folder shown as plain text beside its "Durchsuchen..." button.
struct FolderRow {
  QLabel* folder;
  QPushButton* browse;
};
FolderRow addFolderRow(QBoxLayout& layout, const QString& labelName, const QString& buttonName);

}  // namespace tavik
