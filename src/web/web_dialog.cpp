// SPDX-License-Identifier: GPL-3.0-or-later
#include "web/web_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_groups_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {
constexpr int kIntervalFieldWidth = 60;
}  // namespace

Twebprop::Twebprop(Tordner& chooser, QWidget* parent) : QDialog(parent) {
  setObjectName("Twebprop");
  setWindowTitle(QStringLiteral("Webseite"));

  GroupBox1 = new FolderGroup(QString::fromUtf8("Zielordner für die Webseite"), chooser, this);
  GroupBox1->setObjectName("GroupBox1");

  QGroupBox* interval = titledGroup("GroupBox2", "Intervall");
  auto* every = new QHBoxLayout(interval);
  Edit1 = new QLineEdit;
  Edit1->setObjectName("Edit1");
  Edit1->setFixedWidth(
      std::max(kIntervalFieldWidth, widthForText(*Edit1, QStringLiteral("00000"))));
  every->addWidget(new QLabel(QStringLiteral("Webseite alle")));
  every->addWidget(Edit1);
  every->addWidget(new QLabel(QStringLiteral("Minuten erstellen.")));
  every->addStretch();

  QGroupBox* title = titledGroup("GroupBox3", "Titel der Seite");
  Edit2 = new QLineEdit;
  Edit2->setObjectName("Edit2");
  (new QVBoxLayout(title))->addWidget(Edit2);

  QGroupBox* height = titledGroup("GroupBox4", "Standort");
  auto* metres = new QHBoxLayout(height);
  Edit3 = new QLineEdit;
  Edit3->setObjectName("Edit3");
  Edit3->setFixedWidth(
      std::max(kIntervalFieldWidth, widthForText(*Edit3, QStringLiteral("-00000"))));
  metres->addWidget(new QLabel(QString::fromUtf8("Höhe der Station über dem Meer:")));
  metres->addWidget(Edit3);
  metres->addWidget(new QLabel(QStringLiteral("m (leer: unbekannt)")));
  metres->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(GroupBox1);
  layout->addWidget(interval);
  layout->addWidget(title);
  layout->addWidget(height);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 420);
}

void Twebprop::FormShow(const Settings& settings) {
  GroupBox1->setFolder(QString::fromStdString(settings.WebOrdner));
  Edit1->setText(QString::number(settings.WebIntervall));
  Edit2->setText(QString::fromStdString(settings.WebTitel));
  Edit3->setText(QString::fromStdString(settings.Hoehe));
}

WebFields Twebprop::fields() const {
  return {.folder = GroupBox1->folder().toStdString(),
          .interval = Edit1->text().toStdString(),
          .title = Edit2->text().toStdString(),
          .height = Edit3->text().toStdString()};
}

bool editWebSettings(Twebprop& dialog, Settings& settings, Notifier& notifier) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return false;
  takeOverWeb(dialog.fields(), settings, notifier);
  return true;
}

}  // namespace tavik
