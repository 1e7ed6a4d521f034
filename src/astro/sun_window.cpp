#include "astro/sun_window.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include "astro/sun_times.h"

namespace tavik {

namespace {

template <typename T>
T* named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

TfrmSonne::TfrmSonne(const Clock& clock, const RegionalSettings& regional, Notifier& notifier,
                     QWidget* parent)
    : QWidget(parent, Qt::Tool), regional_(regional), notifier_(notifier) {
  setObjectName("frmSonne");
  setWindowTitle(QStringLiteral("Sonne"));
  resize(571, 297);

  auto* inputs = named(new QWidget, "Panel1");
  inputs->setFixedWidth(145);
  auto* column = new QVBoxLayout(inputs);
  auto addField = [column](QLabel* label, QLineEdit* edit) {
    column->addWidget(label);
    column->addWidget(edit);
  };
  Label3 = named(new QLabel(QStringLiteral("Tag im Jahr (Heute: ")), "Label3");
  Edit1 = named(new QLineEdit(QStringLiteral("13,4")), "Edit1");
  Edit2 = named(new QLineEdit(QStringLiteral("52,5")), "Edit2");
  Edit3 = named(new QLineEdit(QStringLiteral("30")), "Edit3");
  Edit4 = named(new QLineEdit(QStringLiteral("1")), "Edit4");
  addField(named(new QLabel(QString::fromUtf8("östl. geogr. Länge")), "Label1"), Edit1);
  addField(named(new QLabel(QStringLiteral("geogr. Breite")), "Label2"), Edit2);
  addField(Label3, Edit3);
  addField(named(new QLabel(QStringLiteral("UTC-Differenz")), "Label4"), Edit4);
  Button1 = named(new QPushButton(QStringLiteral("Berechnen")), "Button1");
  Button1->setDefault(true);
  column->addWidget(Button1);
  column->addStretch();

  ValueListEditor1 = named(new QTableWidget(0, 2), "ValueListEditor1");
  ValueListEditor1->setHorizontalHeaderLabels(
      {QString::fromUtf8("Schlüssel"), QStringLiteral("Wert")});
  ValueListEditor1->verticalHeader()->hide();
  ValueListEditor1->setColumnWidth(0, 150);
  ValueListEditor1->setColumnWidth(1, 254);
  ValueListEditor1->setEnabled(false);

  auto* splitter = named(new QSplitter, "Splitter1");
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
  FormCreate(clock);
}

void TfrmSonne::FormCreate(const Clock& clock) {
  const LocalDateTime today = clock.now();
  Label3->setText(Label3->text() + QString::number(dayOfYear(today.year, today.month, today.day)) +
                  ")");
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
}

}  // namespace tavik
