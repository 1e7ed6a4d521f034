// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/general_settings_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "widgets/dialog_buttons_widget.h"
#include "widgets/radio_group_widget.h"

namespace tavik {

TAlgprop::TAlgprop(QWidget* parent) : QDialog(parent) {
  setObjectName("TAlgprop");
  setWindowTitle(QStringLiteral("Allgemein"));

  auto* automatic = new QGroupBox(QStringLiteral("Automatisch erstellen"));
  automatic->setObjectName("GroupBox1");
  auto* automaticLayout = new QVBoxLayout(automatic);
  automaticLayout->addWidget(
      new QLabel(QStringLiteral("Folgende Dateien bei Aktivierung automatisch erstellen:")));
  CheckBox1 = addCheckBox(*automaticLayout, "CheckBox1", "Import (WinGT)");
  CheckBox2 = addCheckBox(*automaticLayout, "CheckBox2", "Read (WinGT)");
  CheckBox3 = addCheckBox(*automaticLayout, "CheckBox3", "LogUpdate");
  CheckBox4 = addCheckBox(*automaticLayout, "CheckBox4", "APRS");

  RadioGroup1 = new RadioGroup(QStringLiteral("Regenmesser"),
                               {QStringLiteral("Normal "), QStringLiteral("Umbau (235mm)")});
  RadioGroup1->setObjectName("RadioGroup1");

  auto* endMark = new QGroupBox(QStringLiteral("TOP, GP und andere"));
  endMark->setObjectName("GroupBox2");
  auto* endMarkLayout = new QVBoxLayout(endMark);
  CheckBox5 = addCheckBox(*endMarkLayout, "CheckBox5", "EOF Kennung anhängen");
  endMarkLayout->addWidget(new QLabel(QStringLiteral("CTRL + Z")));

  auto* zone = new QGroupBox(QStringLiteral("Zeitzone"));
  zone->setObjectName("GroupBox3");
  auto* zoneLayout = new QVBoxLayout(zone);
  // Pick-only: a typed text would name no entry and no offset.
  UTCdelta = new QComboBox;
  UTCdelta->setObjectName("UTCdelta");
  UTCdelta->setEditable(false);
  for (const char* entry : kTimeZoneEntries) UTCdelta->addItem(QString::fromLatin1(entry));
  zoneLayout->addWidget(UTCdelta);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(automatic);
  layout->addWidget(RadioGroup1);
  layout->addWidget(endMark);
  layout->addWidget(zone);
  layout->addWidget(okCancelButtons(*this));
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAlgprop::FormShow(const Settings& settings) {
  RadioGroup1->setItemIndex(settings.NormalRegen ? 0 : 1);
  CheckBox1->setChecked(settings.autoImport);
  CheckBox2->setChecked(settings.autoRead);
  CheckBox3->setChecked(settings.autoLog);
  CheckBox4->setChecked(settings.autoAPRS);
  CheckBox5->setChecked(settings.EOFKennung);
  // A stored position the list does not have shows no entry.
  UTCdelta->setCurrentIndex(settings.ZeitzoneIndex < UTCdelta->count() ? settings.ZeitzoneIndex
                                                                       : -1);
}

GeneralFields TAlgprop::fields() const {
  return {.rainGauge = RadioGroup1->itemIndex(),
          .autoImport = CheckBox1->isChecked(),
          .autoRead = CheckBox2->isChecked(),
          .autoLog = CheckBox3->isChecked(),
          .autoAPRS = CheckBox4->isChecked(),
          .EOFKennung = CheckBox5->isChecked(),
          .timeZone = UTCdelta->currentIndex()};
}

bool editGeneralSettings(TAlgprop& dialog, Settings& settings) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  takeOverGeneral(dialog.fields(), settings);
  return true;
}

}  // namespace tavik
