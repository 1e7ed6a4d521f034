// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

#include "products/product_context.h"
#include "products/product_takeover.h"

class QLineEdit;
class QPlainTextEdit;

namespace tavik {

class FolderGroup;
class RadioGroup;
class Tordner;

// The APRS settings dialog ("APRS "), created once and reused. Opening it
// writes the APRS file through `writeFile`, which returns false when the
// record may not be published yet (nothing written), and shows the lines of
// the file just written.
class Taprsprop : public QDialog {
  Q_OBJECT

 public:
  Taprsprop(const ProductContext& context, Tordner& chooser, std::function<bool()> writeFile,
            QWidget* parent = nullptr);

  // Writes the APRS file, then fills the controls from the settings and the
  // file's lines (or why there are none).
  void FormShow();
  // The controls as the take-over reads them.
  AprsFields fields() const;

 private:
  const ProductContext context_;
  std::function<bool()> writeFile_;
  RadioGroup* RadioGroup2;
  RadioGroup* LineEndGroup;  // "Zeilenende"
  FolderGroup* GroupBox1;
  QPlainTextEdit* Memo1;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
};

// The menu item "APRS...": shows the dialog modally and, on OK, takes its
// fields into the settings. False when it was cancelled.
bool editAprsSettings(Taprsprop& dialog, Settings& settings, Notifier& notifier);

}  // namespace tavik
