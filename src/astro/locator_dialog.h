// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <string>

#include "common/notifier.h"
#include "common/regional.h"
#include "settings/settings.h"

class QGroupBox;
class QLineEdit;
class QMessageBox;
class QPushButton;
class QRadioButton;

namespace tavik {

// The locator dialog ("Locator"): converts the own locator into the
// coordinates of its sub-square's centre and back, and tells the distance to
// a target locator. Created once and reused; the target locator and the last
// coordinates stay between openings.
class TLocator : public QDialog {
  Q_OBJECT

 public:
  TLocator(const RegionalSettings& regional, Notifier& notifier, QWidget* parent = nullptr);

  // Shows the own locator and its coordinates; the focus goes to it.
  void FormShow(const std::string& myLocator);
  // "zu Koordinaten": fills the four coordinate fields from the own locator.
  // False (after the message) when the locator does not convert.
  bool Button3Click();
  // "Entfernung": the distance from the own to the target locator, shown
  // as information (an input it cannot read is reported as a failure).
  void Button5Click();
  // "zu Locator": the locator of the decimal coordinates becomes the own
  // locator, and its centre is shown.
  void Button4Click();

  std::string ownLocator() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // The group "Locator" (own and target locator) and the group "Koordinaten".
  QGroupBox* buildLocatorGroup();
  QGroupBox* buildCoordinateGroup();
  void connectControls();
  // The button the Enter key triggers.
  void makeDefault(QPushButton* button);
  void showMessage(const std::string& text);
  void showDistance(const std::string& text);

  const RegionalSettings& regional_;
  Notifier& notifier_;
  QLineEdit* Edit3;
  QPushButton* Button3;
  QLineEdit* Edit1;
  QMessageBox* DistanceBox = nullptr;  // made at the first distance
  QPushButton* Button5;
  QRadioButton* RadioButton1;
  QLineEdit* Edit6;
  QLineEdit* Edit7;
  QRadioButton* RadioButton2;
  QLineEdit* Edit4;
  QLineEdit* Edit5;
  QPushButton* Button4;
  QPushButton* Button1;
  QPushButton* Button2;
};

// The menu item "Locator...": shows the dialog modally; on OK converts the
// own locator once more and, when it converts, stores it as MyLocator with
// the ASYNOP position derived from it. True when settings changed.
bool Locator1Click(TLocator& dialog, Settings& settings);

}  // namespace tavik
