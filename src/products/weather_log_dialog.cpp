// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/weather_log_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/takeover.h"
#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_rows_widget.h"
#include "widgets/folder_chooser_dialog.h"
#include "widgets/radio_group_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

Tlogprop::Tlogprop(Tordner& chooser, QWidget* parent) : QDialog(parent), chooser_(chooser) {
  setObjectName("Tlogprop");
  setWindowTitle(QStringLiteral("Wetterlog Einstellungen"));

  auto* folder = new QGroupBox(QString::fromUtf8("Ordner für Wetterlog"));
  folder->setObjectName("GroupBox1");
  auto* folderLayout = new QVBoxLayout(folder);
  const FolderRow folderRow = addFolderRow(*folderLayout, "Label3", "Button3");
  Label3 = folderRow.folder;
  auto* combine = new QGroupBox;
  combine->setObjectName("GroupBox2");
  auto* combineLayout = new QVBoxLayout(combine);
  CheckBox3 = addCheckBox(*combineLayout, "CheckBox3", "Logdateien zusammenfasssen");
  CheckBox1 = addCheckBox(*combineLayout, "CheckBox1", "ein Ordner pro Woche");
  CheckBox2 = addCheckBox(*combineLayout, "CheckBox2", "ein Ordner pro Monat");
  folderLayout->addWidget(combine);

  RadioGroup1 = new RadioGroup(QStringLiteral("Neue Datei erstellen"),
                               {QString::fromUtf8("täglich"), QString::fromUtf8("wöchentlich"),
                                QStringLiteral("monatlich")});
  RadioGroup1->setObjectName("RadioGroup1");

  auto* general = new QGroupBox(QStringLiteral("Allgemein"));
  general->setObjectName("GroupBox3");
  auto* generalLayout = new QVBoxLayout(general);
  Edit1 = addMinutesRow(*generalLayout, "Edit1", QStringLiteral("Snapshot alle"),
                        QStringLiteral("Minuten."), kMaxPeriodMinutes);
  CheckBox4 = addCheckBox(*generalLayout, "CheckBox4", "Spitzenwerte festhalten");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(folder);
  layout->addWidget(RadioGroup1);
  layout->addWidget(general);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 380);

  connect(CheckBox3, &QCheckBox::clicked, this, &Tlogprop::CheckBox3Click);
  connect(folderRow.browse, &QPushButton::clicked, this, &Tlogprop::Button3Click);
}

void Tlogprop::FormShow(const Settings& settings) {
  Label3->setText(QString::fromStdString(settings.LogOrdner));
  RadioGroup1->setItemIndex(settings.LogUpdate);
  CheckBox1->setChecked(settings.LogWochenordner);
  CheckBox2->setChecked(settings.LogMonatsordner);
  CheckBox3->setChecked(settings.LogUnterordner);
  CheckBox4->setChecked(settings.CatchPeak);
  CheckBox3Click();
  Edit1->setText(QString::fromStdString(periodMinutesText(settings.LogInterval)));
}

void Tlogprop::CheckBox3Click() {
  CheckBox1->setEnabled(CheckBox3->isChecked());
  CheckBox2->setEnabled(CheckBox3->isChecked());
}

void Tlogprop::Button3Click() { browseFolder(chooser_, *Label3); }

WeatherLogFields Tlogprop::fields() const {
  return {.minutes = Edit1->text().toStdString(),
          .logUpdate = RadioGroup1->itemIndex(),
          .folder = Label3->text().toStdString(),
          .weekFolder = CheckBox1->isChecked(),
          .monthFolder = CheckBox2->isChecked(),
          .combine = CheckBox3->isChecked(),
          .catchPeak = CheckBox4->isChecked()};
}

TimerRunning Tlogprop::commit(Settings& settings, Notifier& notifier) {
  WeatherLogFields f = fields();
  const TimerRunning running = takeOverWeatherLog(f, settings, notifier);
  Edit1->setText(QString::fromStdString(f.minutes));
  return running;
}

std::optional<TimerRunning> editWeatherLogSettings(Tlogprop& dialog, Settings& settings,
                                                   Notifier& notifier) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.commit(settings, notifier);
}

}  // namespace tavik
