// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/sun_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>
#include <utility>

#include "astro/sun_times.h"

namespace tavik {

namespace {
constexpr int kInputWidth = 145;
constexpr int kColumnWidths[] = {150, 254};
}  // namespace

TfrmSonne::TfrmSonne(const Settings& settings, const Clock& clock, const RegionalSettings& regional,
                     Notifier& notifier, QWidget* parent)
    : QWidget(parent, Qt::Tool), regional_(regional), notifier_(notifier) {
  setObjectName("frmSonne");
  setWindowTitle(QStringLiteral("Sonne"));
  resize(571, 297);

  auto* inputs = new QWidget;
  inputs->setObjectName("Panel1");
  inputs->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Preferred);
  auto* column = new QVBoxLayout(inputs);
  // A caption and its field, one above the other.
  auto addField = [column](const char* labelName, const char* caption, const char* editName,
                           const char* text) {
    auto* label = new QLabel(QString::fromUtf8(caption));
    label->setObjectName(labelName);
    auto* edit = new QLineEdit(QString::fromUtf8(text));
    edit->setObjectName(editName);
    column->addWidget(label);
    column->addWidget(edit);
    return std::pair{label, edit};
  };
  Edit1 = addField("Label1", "östl. geogr. Länge", "Edit1", "13,4").second;
  Edit2 = addField("Label2", "geogr. Breite", "Edit2", "52,5").second;
  std::tie(Label3, Edit3) = addField("Label3", "Tag im Jahr (Heute: ", "Edit3", "30");
  Edit4 = addField("Label4", "UTC-Differenz", "Edit4", "1").second;
  Button1 = new QPushButton(QStringLiteral("Berechnen"));
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  column->addWidget(Button1);
  column->addStretch();
  // 145 wide, or wider when its captions need it (today's day is in place).
  FormCreate(settings, clock);
  inputs->setMinimumWidth(std::max(kInputWidth, column->minimumSize().width()));

  ValueListEditor1 = new QTableWidget(0, 2);
  ValueListEditor1->setObjectName("ValueListEditor1");
  ValueListEditor1->setHorizontalHeaderLabels(
      {QString::fromUtf8("Schlüssel"), QStringLiteral("Wert")});
  ValueListEditor1->verticalHeader()->hide();
  ValueListEditor1->setEnabled(false);
  readableWhenDisabled();
  fitColumns();

  auto* splitter = new QSplitter;
  splitter->setObjectName("Splitter1");
  splitter->addWidget(inputs);
  splitter->addWidget(ValueListEditor1);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);
  (new QVBoxLayout(this))->addWidget(splitter);

  // Enter in a field computes, as the window's default button.
  for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4}) {
    connect(edit, &QLineEdit::returnPressed, this, &TfrmSonne::Button1Click);
  }
  connect(Button1, &QPushButton::clicked, this, &TfrmSonne::Button1Click);
}

void TfrmSonne::FormCreate(const Settings& settings, const Clock& clock) {
  const LocalDateTime today = clock.now();
  const SunStartTexts start =
      sunStartTexts(settings.MyLocator, today, settings.Zeitzone, regional_);
  Label3->setText(Label3->text() + QString::fromStdString(start.day) + ")");
  Edit1->setText(QString::fromStdString(start.longitude));
  Edit2->setText(QString::fromStdString(start.latitude));
  Edit3->setText(QString::fromStdString(start.day));
  Edit4->setText(QString::fromStdString(start.utcDifference));
}

void TfrmSonne::readableWhenDisabled() {
  QPalette palette = ValueListEditor1->palette();
  for (const QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText,
                                         QPalette::Base, QPalette::Window, QPalette::Button}) {
    palette.setColor(QPalette::Disabled, role, palette.color(QPalette::Active, role));
  }
  ValueListEditor1->setPalette(palette);
}

void TfrmSonne::Button1Click() {
  auto text = [](const QLineEdit* edit) { return edit->text().toStdString(); };
  const Outcome<SunInputs> inputs =
      parseSunInputs(text(Edit3), text(Edit2), text(Edit1), text(Edit4), regional_);
  const Outcome<SunTimes> times =
      inputs.ok() ? SunTimesCalc(*inputs.value) : Outcome<SunTimes>::failure(inputs.error);
  if (!times.ok()) {
    notifier_.notify(times.error, "Tavik", MessageButtons::Ok);
    return;
  }
  for (const SunResultRow& row : sunResultRows(*times.value, regional_)) {
    ValueListEditor1->insertRow(0);
    ValueListEditor1->setItem(0, 0, new QTableWidgetItem(QString::fromStdString(row.name)));
    ValueListEditor1->setItem(0, 1, new QTableWidgetItem(QString::fromStdString(row.value)));
  }
  fitColumns();
}

void TfrmSonne::fitColumns() {
  // The designed widths, or wider when a heading or a row needs it.
  for (const int column : {0, 1}) {
    ValueListEditor1->resizeColumnToContents(column);
    const int contents = std::max(ValueListEditor1->columnWidth(column),
                                  ValueListEditor1->horizontalHeader()->sectionSizeHint(column));
    ValueListEditor1->setColumnWidth(column, std::max(kColumnWidths[column], contents));
  }
}

}  // namespace tavik
