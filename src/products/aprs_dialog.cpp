// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/aprs_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>
#include <string>
#include <utility>

#include "common/text_file.h"
#include "products/aprs_file.h"

#include "widgets/dialog_buttons_widget.h"
#include "widgets/dialog_groups_widget.h"
#include "widgets/radio_group_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {
constexpr int kIntervalFieldWidth = 60;

// The lines of the APRS file just written, or why there are none.
std::string frameShown(const std::string& path, bool written) {
  if (!written) {
    return "Keine APRS-Datei geschrieben:\n"
           "noch nicht von jeder Datengruppe Werte\n"
           "oder seit über einer Minute keine mehr.";
  }
  std::string text;
  if (!readTextFile(path, text)) return "Die APRS-Datei " + path + " kann nicht gelesen werden.";
  std::string lines;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find("\r\n", start), text.size());
    if (start > 0) lines += "\n";
    lines += text.substr(start, end - start);
    start = end + 2;
  }
  return lines;
}

}  // namespace

Taprsprop::Taprsprop(const ProductContext& context, Tordner& chooser,
                     std::function<bool()> writeFile, QWidget* parent)
    : QDialog(parent), context_(context), writeFile_(std::move(writeFile)) {
  setObjectName("Taprsprop");
  setWindowTitle(QStringLiteral("APRS "));

  RadioGroup2 = new RadioGroup(QStringLiteral("Verwendete Zeiteinstellung"),
                               {QStringLiteral("Wetterstation"), QStringLiteral("Rechner")});
  RadioGroup2->setObjectName("RadioGroup2");

  LineEndGroup =
      new RadioGroup(QStringLiteral("Zeilenende"),
                     {QStringLiteral("CR LF (Windows)"), QStringLiteral("LF (Linux, Xastir)")});
  LineEndGroup->setObjectName("LineEndGroup");

  GroupBox1 = new FolderGroup(QString::fromUtf8("Zielordner für APRS-Datei"), chooser, this);
  GroupBox1->setObjectName("GroupBox1");

  QGroupBox* frame = titledGroup("GroupBox2", "Aktueller APRS-Frame");
  Memo1 = new QPlainTextEdit;
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
  Memo1->setFixedHeight(Memo1->fontMetrics().lineSpacing() * 4);
  (new QVBoxLayout(frame))->addWidget(Memo1);

  QGroupBox* name = titledGroup("GroupBox3", "Dateiname");
  Edit1 = new QLineEdit(QStringLiteral("aprs.txt"));
  Edit1->setObjectName("Edit1");
  (new QVBoxLayout(name))->addWidget(Edit1);

  QGroupBox* interval = titledGroup("GroupBox4", "APRS-Intervall");
  auto* every = new QHBoxLayout(interval);
  Edit2 = new QLineEdit;
  Edit2->setObjectName("Edit2");
  Edit2->setFixedWidth(
      std::max(kIntervalFieldWidth, widthForText(*Edit2, QStringLiteral("00000"))));
  every->addWidget(new QLabel(QStringLiteral("APRS-Datei alle")));
  every->addWidget(Edit2);
  every->addWidget(new QLabel(QStringLiteral("Minuten erstellen.")));
  every->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(RadioGroup2);
  layout->addWidget(LineEndGroup);
  layout->addWidget(GroupBox1);
  layout->addWidget(frame);
  layout->addWidget(name);
  layout->addWidget(interval);
  layout->addWidget(okCancelButtons(*this));
  startAtSize(*this, 420);
}

void Taprsprop::FormShow() {
  const bool written = writeFile_();
  const Settings& s = context_.settings;
  RadioGroup2->setItemIndex(s.APRSRechnerZeit ? 1 : 0);
  LineEndGroup->setItemIndex(aprsLineFeedOnly(s) ? 1 : 0);
  const FolderAndName path = splitProductPath(s.APRSDatei);
  GroupBox1->setFolder(QString::fromStdString(path.folder));
  Edit1->setText(QString::fromStdString(path.name));
  Edit2->setText(QString::number(s.APRSIntervall));
  Memo1->setPlainText(QString::fromStdString(frameShown(s.APRSDatei, written)));
}

AprsFields Taprsprop::fields() const {
  return {.timeSource = RadioGroup2->itemIndex(),
          .folder = GroupBox1->folder().toStdString(),
          .fileName = Edit1->text().toStdString(),
          .interval = Edit2->text().toStdString(),
          .lineEnd = LineEndGroup->itemIndex()};
}

bool editAprsSettings(Taprsprop& dialog, Settings& settings, Notifier& notifier) {
  dialog.FormShow();
  if (dialog.exec() != QDialog::Accepted) return false;
  takeOverAprs(dialog.fields(), settings, notifier);
  return true;
}

}  // namespace tavik
