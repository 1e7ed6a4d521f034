#include "products/wingt_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "settings/dialog_buttons_widget.h"
#include "settings/field_filters_widget.h"
#include "settings/folder_chooser_dialog.h"

namespace tavik {

namespace {

struct ReportGroup {
  QLineEdit* minutes;
  QLabel* folder;
  QPushButton* browse;
};

// "Alle [minutes] Minuten eine WinGT-...datei erzeugen.", the folder and its
// "Durchsuchen..." button.
ReportGroup addReportGroup(QVBoxLayout* layout, const char* title, const char* kind,
                           const char* folderCaption, int edit, int label, int button) {
  auto* group = new QGroupBox(QString::fromLatin1(title));
  auto* grid = new QGridLayout(group);
  ReportGroup g{new QLineEdit, new QLabel, new QPushButton(QStringLiteral("Durchsuchen..."))};
  g.minutes->setObjectName(QStringLiteral("Edit%1").arg(edit));
  g.minutes->setFixedWidth(60);
  acceptMinutesOnly(*g.minutes);
  g.folder->setObjectName(QStringLiteral("Label%1").arg(label));
  g.folder->setFrameShape(QFrame::StyledPanel);
  g.folder->setTextFormat(Qt::PlainText);
  g.browse->setObjectName(QStringLiteral("Button%1").arg(button));
  g.browse->setAutoDefault(false);
  auto* every = new QHBoxLayout;
  every->addWidget(new QLabel(QStringLiteral("Alle")));
  every->addWidget(g.minutes);
  every->addWidget(new QLabel(QStringLiteral("Minuten eine WinGT-%1datei erzeugen.").arg(kind)));
  every->addStretch();
  grid->addLayout(every, 0, 0, 1, 2);
  grid->addWidget(new QLabel(QString::fromLatin1(folderCaption)), 1, 0, 1, 2);
  grid->addWidget(g.folder, 2, 0);
  grid->addWidget(g.browse, 2, 1);
  grid->setColumnStretch(0, 1);
  layout->addWidget(group);
  return g;
}

}  // namespace

Twingtprop::Twingtprop(Tordner& chooser, QWidget* parent) : QDialog(parent), chooser_(chooser) {
  setObjectName("Twingtprop");
  setWindowTitle(QStringLiteral("WinGT Einstellungen"));

  auto* layout = new QVBoxLayout(this);
  const ReportGroup import =
      addReportGroup(layout, "Importdatei", "Import", "WinGT Importverzeichnis:", 1, 4, 1);
  const ReportGroup read =
      addReportGroup(layout, "Readdatei", "Read", "WinGT Readverzeichnis:", 2, 6, 2);
  layout->addWidget(
      new QLabel(QStringLiteral("Wird als Interval 0 angegeben, so wird keine Datei erzeugt")));
  layout->addWidget(okCancelButtons(*this));
  setMinimumWidth(420);

  Edit1 = import.minutes;
  Label4 = import.folder;
  Edit2 = read.minutes;
  Label6 = read.folder;
  connect(import.browse, &QPushButton::clicked, this, &Twingtprop::Button1Click);
  connect(read.browse, &QPushButton::clicked, this, &Twingtprop::Button2Click);
}

void Twingtprop::FormShow(const Settings& settings) {
  Edit1->setText(minutesText(settings.ImportInterval));
  Edit2->setText(minutesText(settings.ReadInterval));
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
