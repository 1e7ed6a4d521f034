// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/wingt_dialog.h"

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
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {

struct ReportGroup {
  QLineEdit* minutes;
  FolderRow folder;
};

// "Alle [minutes] Minuten eine WinGT-...datei erzeugen.", the folder and its
// "Durchsuchen..." button.
ReportGroup addReportGroup(QVBoxLayout* layout, const char* title, const char* kind,
                           const char* folderCaption, const char* edit, const char* label,
                           const char* button) {
  auto* group = new QGroupBox(QString::fromLatin1(title));
  auto* column = new QVBoxLayout(group);
  ReportGroup g;
  g.minutes = addMinutesRow(*column, edit, QStringLiteral("Alle"),
                            QStringLiteral("Minuten eine WinGT-%1datei erzeugen.").arg(kind),
                            kMaxPeriodMinutes);
  column->addWidget(new QLabel(QString::fromLatin1(folderCaption)));
  g.folder = addFolderRow(*column, label, button);
  layout->addWidget(group);
  return g;
}

}  // namespace

Twingtprop::Twingtprop(Tordner& chooser, QWidget* parent) : QDialog(parent), chooser_(chooser) {
  setObjectName("Twingtprop");
  setWindowTitle(QStringLiteral("WinGT Einstellungen"));

  auto* layout = new QVBoxLayout(this);
  const ReportGroup import = addReportGroup(
      layout, "Importdatei", "Import", "WinGT Importverzeichnis:", "Edit1", "Label4", "Button1");
  const ReportGroup read = addReportGroup(layout, "Readdatei", "Read",
                                          "WinGT Readverzeichnis:", "Edit2", "Label6", "Button2");
  layout->addWidget(
      new QLabel(QStringLiteral("Wird als Interval 0 angegeben, so wird keine Datei erzeugt")));
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 420);

  Edit1 = import.minutes;
  Label4 = import.folder.folder;
  Edit2 = read.minutes;
  Label6 = read.folder.folder;
  connect(import.folder.browse, &QPushButton::clicked, this, &Twingtprop::Button1Click);
  connect(read.folder.browse, &QPushButton::clicked, this, &Twingtprop::Button2Click);
}

void Twingtprop::FormShow(const Settings& settings) {
  Edit1->setText(QString::fromStdString(periodMinutesText(settings.ImportInterval)));
  Edit2->setText(QString::fromStdString(periodMinutesText(settings.ReadInterval)));
  Label4->setText(QString::fromStdString(settings.WinGTImport));
  Label6->setText(QString::fromStdString(settings.WinGTRead));
}

WinGTFields Twingtprop::fields() const {
  return {Edit1->text().toStdString(), Edit2->text().toStdString(), Label4->text().toStdString(),
          Label6->text().toStdString()};
}

TimerRunning Twingtprop::commit(Settings& settings, Notifier& notifier) {
  WinGTFields f = fields();
  const TimerRunning running = takeOverWinGT(f, settings, notifier);
  Edit1->setText(QString::fromStdString(f.importMinutes));
  Edit2->setText(QString::fromStdString(f.readMinutes));
  return running;
}

void Twingtprop::Button1Click() { browseFolder(chooser_, *Label4); }

void Twingtprop::Button2Click() { browseFolder(chooser_, *Label6); }

std::optional<TimerRunning> editWinGTSettings(Twingtprop& dialog, Settings& settings,
                                              Notifier& notifier) {
  dialog.FormShow(settings);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.commit(settings, notifier);
}

}  // namespace tavik
