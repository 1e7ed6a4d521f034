// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>

#include "products/product_context.h"
#include "products/product_takeover.h"

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;

namespace tavik {

class FolderGroup;
class RadioGroup;
class Tordner;

// The ASYNOP settings dialog ("ASYNOP") with its tabs "Datei" and "Daten",
// created once and reused. It shows the bulletin's work file, starting one
// (through `newBulletin`, the program's asynopNewFile) when there is none.
class Tasynopprop : public QDialog {
  Q_OBJECT

 public:
  Tasynopprop(const ProductContext& context, Tordner& chooser, std::function<void()> newBulletin,
              QWidget* parent = nullptr);

  // Fills the controls from the settings and shows the work file.
  void FormShow();
  // The controls as the take-over reads them.
  AsynopFields fields() const;

 private:
  // The subject follows the sender: "ASYNOP <sender> dd.mm.yy" of today.
  void AbsenderChange();
  QWidget* buildFileTab(Tordner& chooser);
  QWidget* buildDataTab();

  const ProductContext context_;
  std::function<void()> newBulletin_;
  QLineEdit* Edit1;
  RadioGroup* Intervall;
  FolderGroup* GroupBox2;
  QPlainTextEdit* Memo1;
  QCheckBox* CheckBox1;
  QCheckBox* CheckBox2;
  QCheckBox* CheckBox3;
  QLineEdit* Absender;
  QLineEdit* Empf;
  QLineEdit* Betreff;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit6;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
};

// The menu item "ASYNOP...": shows the dialog modally and, on OK, takes its
// fields into the settings. False when it was cancelled.
bool editAsynopSettings(Tasynopprop& dialog, Settings& settings, Notifier& notifier);

}  // namespace tavik
