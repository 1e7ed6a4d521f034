// SPDX-License-Identifier: GPL-3.0-or-later
#include "astro/locator_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "astro/locator_takeover.h"
#include "astro/locator_texts.h"
#include "widgets/named.h"
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {

constexpr const char* kCaption = "Tavik";

QPushButton* button(const char* name, const char* text) {
  auto* b = named(new QPushButton(QString::fromUtf8(text)), name);
  // Only makeDefault moves the default button, not the focus on a button.
  b->setAutoDefault(false);
  return b;
}

QString qs(const std::string& text) { return QString::fromStdString(text); }

// The longest coordinate text a field shows: 15 significant digits, the
// degrees of a longitude and the hemisphere letter.
const QString kWidestCoordinate = QStringLiteral("179,958333333333 W");

}  // namespace

TLocator::TLocator(const RegionalSettings& regional, Notifier& notifier, QWidget* parent)
    : QDialog(parent), regional_(regional), notifier_(notifier) {
  setObjectName("TLocator");
  setWindowTitle(QStringLiteral("Locator"));
  QGroupBox* locators = buildLocatorGroup();
  QGroupBox* coordinates = buildCoordinateGroup();

  Button1 = button("Button1", "OK");
  Button2 = button("Button2", "Abbrechen");
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(locators);
  layout->addWidget(coordinates);
  layout->addStretch();
  layout->addLayout(buttons);
  // Not resizable: as large as its contents need in the present font.
  layout->setSizeConstraint(QLayout::SetFixedSize);
  makeDefault(Button1);
  connectControls();
}

QGroupBox* TLocator::buildLocatorGroup() {
  auto* GroupBox1 = named(new QGroupBox(QStringLiteral("Locator")), "GroupBox1");
  Edit3 = named(new QLineEdit, "Edit3");
  Button3 = button("Button3", "zu Koordinaten");
  auto* Label1 = named(new QLabel(QStringLiteral("Ziellocator")), "Label1");
  Edit1 = named(new QLineEdit(QStringLiteral("JO30XP")), "Edit1");
  Button5 = button("Button5", "Entfernung");
  auto* locators = new QGridLayout(GroupBox1);
  locators->addWidget(Edit3, 0, 1);
  locators->addWidget(Button3, 0, 2);
  locators->addWidget(Label1, 1, 0);
  locators->addWidget(Edit1, 1, 1);
  locators->addWidget(Button5, 1, 2);
  return GroupBox1;
}

QGroupBox* TLocator::buildCoordinateGroup() {
  auto* GroupBox3 = named(new QGroupBox(QStringLiteral("Koordinaten")), "GroupBox3");
  RadioButton1 = named(new QRadioButton(QStringLiteral("Dezimal")), "RadioButton1");
  Edit6 = named(new QLineEdit, "Edit6");
  Edit7 = named(new QLineEdit, "Edit7");
  RadioButton2 = named(new QRadioButton(QStringLiteral("Grad.min.sec")), "RadioButton2");
  RadioButton2->setChecked(true);
  Edit4 = named(new QLineEdit, "Edit4");
  Edit5 = named(new QLineEdit, "Edit5");
  for (QLineEdit* edit : {Edit6, Edit7, Edit4, Edit5}) {
    edit->setMinimumWidth(widthForText(*edit, kWidestCoordinate));
  }
  Button4 = button("Button4", "zu Locator");
  auto* coordinates = new QGridLayout(GroupBox3);
  coordinates->addWidget(RadioButton1, 0, 0, 1, 2);
  coordinates->addWidget(Edit6, 1, 0);
  coordinates->addWidget(Edit7, 1, 1);
  coordinates->addWidget(RadioButton2, 2, 0, 1, 2);
  coordinates->addWidget(Edit4, 3, 0);
  coordinates->addWidget(Edit5, 3, 1);
  coordinates->addWidget(Button4, 4, 1);
  return GroupBox3;
}

void TLocator::connectControls() {
  for (QLineEdit* edit : {Edit3, Edit1}) edit->installEventFilter(this);
  connect(Edit1, &QLineEdit::textChanged, this, [this] { makeDefault(Button5); });
  connect(Button3, &QPushButton::clicked, this, &TLocator::Button3Click);
  connect(Button5, &QPushButton::clicked, this, &TLocator::Button5Click);
  connect(Button4, &QPushButton::clicked, this, &TLocator::Button4Click);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

void TLocator::FormShow(const std::string& myLocator) {
  Edit3->setText(qs(myLocator));
  Button3Click();
  Edit3->setFocus();
  // The focus event comes only once the dialog is up; the rule holds now.
  makeDefault(Button3);
}

bool TLocator::Button3Click() {
  makeDefault(Button1);
  const Outcome<CoordinateTexts> texts =
      locatorCoordinateTexts(Edit3->text().toStdString(), regional_);
  if (!texts.ok()) {
    showMessage(texts.error);
    return false;
  }
  Edit6->setText(qs(texts.value->latitudeDecimal));
  Edit7->setText(qs(texts.value->longitudeDecimal));
  Edit4->setText(qs(texts.value->latitudeDms));
  Edit5->setText(qs(texts.value->longitudeDms));
  return true;
}

void TLocator::Button5Click() {
  const Outcome<std::string> message =
      locatorDistanceMessage(Edit3->text().toStdString(), Edit1->text().toStdString(), regional_);
  if (!message.ok()) return showMessage(message.error);
  showDistance(*message.value);
}

// A result, not a failure: an information box of the dialog's own, not the
// failure report that also goes to standard error.
void TLocator::showDistance(const std::string& text) {
  if (DistanceBox == nullptr) {
    DistanceBox = named(
        new QMessageBox(QMessageBox::Information, qs(kCaption), QString(), QMessageBox::Ok, this),
        "DistanceBox");
  }
  DistanceBox->setText(qs(text));
  DistanceBox->open();
}

void TLocator::Button4Click() {
  const Outcome<std::string> locator = locatorFromCoordinateTexts(
      Edit6->text().toStdString(), Edit7->text().toStdString(), CoordinateForm::Decimal, regional_);
  if (!locator.ok()) {
    showMessage(locator.error);
    return;
  }
  Edit3->setText(qs(*locator.value));
  Button3Click();
}

std::string TLocator::ownLocator() const { return Edit3->text().toStdString(); }

bool TLocator::eventFilter(QObject* watched, QEvent* event) {
  const bool own = watched == Edit3;
  switch (event->type()) {
    case QEvent::FocusIn:
      makeDefault(own ? Button3 : Button5);
      break;
    case QEvent::FocusOut:
      makeDefault(Button1);
      break;
    case QEvent::KeyPress: {
      // Locators are typed in capitals: a..z reach the field as A..Z.
      const QString typed = static_cast<QKeyEvent*>(event)->text();
      if (typed.size() == 1 && typed[0] >= 'a' && typed[0] <= 'z') {
        static_cast<QLineEdit*>(watched)->insert(typed.toUpper());
        return true;
      }
      break;
    }
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

void TLocator::makeDefault(QPushButton* button) {
  for (QPushButton* b : {Button3, Button5, Button1}) b->setDefault(b == button);
}

void TLocator::showMessage(const std::string& text) {
  notifier_.notify(text, kCaption, MessageButtons::Ok);
}

bool Locator1Click(TLocator& dialog, Settings& settings) {
  dialog.FormShow(settings.MyLocator);
  if (dialog.exec() != QDialog::Accepted) return false;
  // The station's own locator as it was shown: the ASYNOP position, which
  // may have been set by hand, stays as it is.
  if (QString::fromStdString(dialog.ownLocator())
          .compare(QString::fromStdString(settings.MyLocator), Qt::CaseInsensitive) == 0) {
    return false;
  }
  if (!dialog.Button3Click()) return false;
  return takeOverLocator(dialog.ownLocator(), settings);
}

}  // namespace tavik
