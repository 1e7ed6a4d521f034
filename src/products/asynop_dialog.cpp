// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/asynop_dialog.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QVBoxLayout>

#include <filesystem>
#include <string>

#include "common/text_file.h"
#include "products/asynop.h"
#include "products/asynop_bulletin.h"
#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_groups_widget.h"
#include "widgets/radio_group_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {

const QString kWidestSubject = QStringLiteral("ASYNOP DL0ABCDEF 00.00.00");

QLineEdit* field(const char* name) {
  auto* edit = new QLineEdit;
  edit->setObjectName(name);
  return edit;
}

QCheckBox* checkBox(QLayout* layout, const char* name, const char* text) {
  auto* box = new QCheckBox(QString::fromUtf8(text));
  box->setObjectName(name);
  layout->addWidget(box);
  return box;
}

QLabel* note(const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text));
  label->setWordWrap(true);
  return label;
}

// The work file's lines as the multi-line field shows them; empty when it
// cannot be read (its writer has said why).
QString workFileText(const std::string& path) {
  std::string text;
  if (!readTextFile(path, text)) return {};
  QString shown = QString::fromStdString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  if (shown.endsWith('\n')) shown.chop(1);
  return shown;
}

}  // namespace

Tasynopprop::Tasynopprop(const ProductContext& context, Tordner& chooser,
                         std::function<void()> newBulletin, QWidget* parent)
    : QDialog(parent), context_(context), newBulletin_(std::move(newBulletin)) {
  setObjectName("Tasynopprop");
  setWindowTitle(QStringLiteral("ASYNOP"));
  auto* tabs = new QTabWidget;
  tabs->setObjectName("PageControl1");
  tabs->addTab(buildFileTab(chooser), QStringLiteral("Datei"));
  tabs->addTab(buildDataTab(), QStringLiteral("Daten"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tabs);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 460);

  connect(Absender, &QLineEdit::textChanged, this, &Tasynopprop::AbsenderChange);
}

// The tab "Datei": the file's name, interval, folder and archive, and the
// bulletin as it stands.
QWidget* Tasynopprop::buildFileTab(Tordner& chooser) {
  auto* fileTab = new QWidget;
  fileTab->setObjectName("TabSheet1");
  auto* fileLayout = new QVBoxLayout(fileTab);
  QGroupBox* name = titledGroup("GroupBox1", "Dateiname");
  Edit1 = field("Edit1");
  Edit1->setText(QStringLiteral("asynop.txt"));
  (new QVBoxLayout(name))->addWidget(Edit1);
  Intervall = new RadioGroup(QStringLiteral("Intervall"), {QStringLiteral("Tageszusammenfassung"),
                                                           QStringLiteral("4x pro Tag")});
  Intervall->setObjectName("Intervall");
  Intervall->setToolTip(QString::fromUtf8(
      "Um 00:00, 06:00, 12:00, 18:00 Uhr wird eine Datenzeile an die ASYNOP- Datei angehängt "
      "oder eine Datei erstellt"));
  GroupBox2 = new FolderGroup(QString::fromUtf8("Zielordner für ASYNOP-Datei"), chooser, this);
  GroupBox2->setObjectName("GroupBox2");
  QGroupBox* bulletin = titledGroup("GroupBox3", "ASYNOP-Datei");
  Memo1 = new QPlainTextEdit;
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  (new QVBoxLayout(bulletin))->addWidget(Memo1);
  QGroupBox* archive = titledGroup("GroupBox4", "Archivieren");
  auto* archiveLayout = new QVBoxLayout(archive);
  CheckBox1 = checkBox(archiveLayout, "CheckBox1", "ASYNOP Dateien archivieren");
  CheckBox2 = checkBox(archiveLayout, "CheckBox2", "Einen Ordner für jeden Monat anlegen");
  CheckBox3 = checkBox(archiveLayout, "CheckBox3", "Einen Ordner für jede Woche anlegen");
  for (QWidget* w : {static_cast<QWidget*>(name), static_cast<QWidget*>(Intervall),
                     static_cast<QWidget*>(GroupBox2), static_cast<QWidget*>(bulletin),
                     static_cast<QWidget*>(archive)}) {
    fileLayout->addWidget(w);
  }
  return fileTab;
}

// The tab "Daten": the message lines and the place.
QWidget* Tasynopprop::buildDataTab() {
  auto* dataTab = new QWidget;
  dataTab->setObjectName("TabSheet2");
  auto* dataLayout = new QVBoxLayout(dataTab);
  QGroupBox* message = titledGroup("GroupBox5", "Datei");
  auto* messageForm = new QFormLayout(message);
  Absender = field("Absender");
  Empf = field("Empf");
  Betreff = field("Betreff");
  Betreff->setEnabled(false);
  Edit2 = field("Edit2");
  Edit3 = field("Edit3");
  messageForm->addRow(QStringLiteral("Absender"), Absender);
  messageForm->addRow(QString::fromUtf8("Empfänger"), Empf);
  messageForm->addRow(QStringLiteral("Betreff"), Betreff);
  messageForm->addRow(
      note("Änderungen werden erst beim Erstellen der nächsten ASYNOP-Datei sichtbar"));
  messageForm->addRow(QString::fromUtf8("Zeile über Wetterdaten"), Edit2);
  messageForm->addRow(QStringLiteral("Zeile unter den Wetterdaten"), Edit3);
  QGroupBox* place = titledGroup("GroupBox6", "Ortsangabe");
  auto* placeForm = new QFormLayout(place);
  Edit6 = field("Edit6");
  Edit4 = field("Edit4");
  Edit5 = field("Edit5");
  placeForm->addRow(QStringLiteral("Erdquadrant (DL=1)"), Edit6);
  placeForm->addRow(QStringLiteral("Latitude"), Edit4);
  placeForm->addRow(QStringLiteral("Longitude"), Edit5);
  placeForm->addRow(note("wird aus Locator ermittelt oder 3 bzw. 4 stellige Angaben in 1/10 Grad"));
  // The message fields show a subject with a long call sign whole.
  for (QLineEdit* edit : {Absender, Empf, Betreff, Edit2, Edit3}) {
    edit->setMinimumWidth(widthForText(*edit, kWidestSubject));
  }
  dataLayout->addWidget(message);
  dataLayout->addWidget(place);
  dataLayout->addStretch();
  return dataTab;
}

void Tasynopprop::AbsenderChange() {
  Betreff->setText(QString::fromStdString(
      asynopSubject(Absender->text().toStdString(), context_.clock.now(), context_.regional)));
}

void Tasynopprop::FormShow() {
  const Settings& s = context_.settings;
  Absender->setText(QString::fromStdString(s.ASYNOPAbsender));
  AbsenderChange();  // also when the sender is the one shown last time
  Empf->setText(QString::fromStdString(s.ASYNOPEmpf));
  Intervall->setItemIndex(s.ASYNOPIntervall ? 1 : 0);
  const FolderAndName path = splitProductPath(s.ASYNOPDatei);
  GroupBox2->setFolder(QString::fromStdString(path.folder));
  Edit1->setText(QString::fromStdString(path.name));
  Edit2->setText(QString::fromStdString(s.ASYNOPVor));
  Edit3->setText(QString::fromStdString(s.ASYNOPNach));
  Edit4->setText(QString::fromStdString(s.ASYNOPLat));
  Edit5->setText(QString::fromStdString(s.ASYNOPLong));
  Edit6->setText(QString::number(s.ASYNOPErdquadrant));
  CheckBox2->setChecked(s.ASYNOPMonatsordner);
  CheckBox3->setChecked(s.ASYNOPWochenordner);
  const std::string workFile = asynopWorkFile(context_.productDir);
  std::error_code ec;
  if (!std::filesystem::exists(workFile, ec)) newBulletin_();
  Memo1->setPlainText(workFileText(workFile));
  CheckBox1->setChecked(s.ASYNOPArchiv);
}

AsynopFields Tasynopprop::fields() const {
  auto text = [](const QLineEdit* edit) { return edit->text().toStdString(); };
  return {.folder = GroupBox2->folder().toStdString(),
          .fileName = text(Edit1),
          .sender = text(Absender),
          .recipient = text(Empf),
          .interval = Intervall->itemIndex(),
          .lineBelow = text(Edit3),
          .lineAbove = text(Edit2),
          .archive = CheckBox1->isChecked(),
          .latitude = text(Edit4),
          .longitude = text(Edit5),
          .quadrant = text(Edit6),
          .weekFolder = CheckBox3->isChecked(),
          .monthFolder = CheckBox2->isChecked()};
}

bool editAsynopSettings(Tasynopprop& dialog, Settings& settings, Notifier& notifier) {
  dialog.FormShow();
  if (dialog.exec() != QDialog::Accepted) return false;
  takeOverAsynop(dialog.fields(), settings, notifier);
  return true;
}

}  // namespace tavik
