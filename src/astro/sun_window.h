// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

#include "common/clock.h"
#include "common/notifier.h"
#include "common/regional.h"
#include "settings/settings.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tavik {

// The sun calculator ("Sonne"): a place, a day of the year and a UTC
// difference typed in on the left; every "Berechnen" puts one block of nine
// result rows on top of the list on the right. It starts at the station's
// own locator, today and the station's UTC difference. Created once;
// closing hides it.
class TfrmSonne : public QWidget {
  Q_OBJECT

 public:
  TfrmSonne(const Settings& settings, const Clock& clock, const RegionalSettings& regional,
            Notifier& notifier, QWidget* parent = nullptr);

  // Reads the four fields and adds the block; a field that is not a number,
  // or a day without sunrise, is reported and adds nothing.
  void Button1Click();

 private:
  // Completes the day field's caption with today's day of the year and
  // fills the fields with the station's place, today and its UTC difference.
  void FormCreate(const Settings& settings, const Clock& clock);
  // The list is read-only (disabled) but must read as well as the fields.
  void readableWhenDisabled();
  // The list's columns as wide as their texts, at least as designed.
  void fitColumns();

  const RegionalSettings& regional_;
  Notifier& notifier_;
  QLabel* Label3;
  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QLineEdit* Edit3;
  QLineEdit* Edit4;
  QPushButton* Button1;
  QTableWidget* ValueListEditor1;
};

}  // namespace tavik
