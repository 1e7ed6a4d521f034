// SPDX-License-Identifier: GPL-3.0-or-later
#include "products/profiles_dialog.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "settings/comma_text.h"
#include "settings/profile_name_dialog.h"
#include "widgets/dialog_buttons_widget.h"
#include "widgets/field_filters_widget.h"
#include "widgets/radio_group_widget.h"

namespace tavik {

namespace {

constexpr int kEmpfaengerLength = 19;
constexpr int kAbsenderLength = 9;

// The second interval item leaves a gap in its text for the time field.
const QString kDailyBefore = QString::fromUtf8("1x täglich um ");
const QString kDailyGap = QStringLiteral("               ");

QPushButton* addPushButton(QLayout* layout, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(name);
  button->setAutoDefault(false);
  layout->addWidget(button);
  return button;
}

QLineEdit* addField(QFormLayout* form, const char* name, const char* label, int maxLength = 0) {
  auto* field = new QLineEdit;
  field->setObjectName(name);
  if (maxLength > 0) field->setMaxLength(maxLength);
  form->addRow(QString::fromUtf8(label), field);
  return field;
}

QPlainTextEdit* addMemo(QFormLayout* form, const char* name, const char* label) {
  auto* memo = new QPlainTextEdit;
  memo->setObjectName(name);
  memo->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo->setFixedHeight(memo->fontMetrics().lineSpacing() * 4 + 12);
  form->addRow(new QLabel(QString::fromUtf8(label)));
  form->addRow(memo);
  return memo;
}

// A memo holds its lines each followed by a line break, so that a last empty
// line survives; reading drops the empty remainder after the last break.
void setMemoLines(QPlainTextEdit* memo, const std::vector<std::string>& lines) {
  QString text;
  for (const std::string& line : lines) text += QString::fromStdString(line) + u'\n';
  memo->setPlainText(text);
}

std::vector<std::string> memoLines(const QPlainTextEdit* memo) {
  QStringList lines = memo->toPlainText().split(u'\n');
  if (lines.back().isEmpty()) lines.removeLast();
  std::vector<std::string> result;
  for (const QString& line : lines) result.push_back(line.toStdString());
  return result;
}

// Puts the time field into the gap of the second interval item's text.
void placeInGap(QAbstractButton* item, QLineEdit* field) {
  const int indicator = item->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth) +
                        item->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing);
  const QFontMetrics metrics = item->fontMetrics();
  field->setParent(item);
  field->setFixedWidth(metrics.horizontalAdvance(kDailyGap) - 4);
  item->setMinimumHeight(field->sizeHint().height());
  field->move(indicator + metrics.horizontalAdvance(kDailyBefore),
              (item->minimumHeight() - field->sizeHint().height()) / 2);
}

}  // namespace

Tmailprop::Tmailprop(ProfileTable& profiles, TPasswordDlg& nameDialog, Notifier& notifier,
                     QWidget* parent)
    : QDialog(parent), profiles_(profiles), nameDialog_(nameDialog), notifier_(notifier) {
  setObjectName("Tmailprop");
  setWindowTitle(QStringLiteral("Profile"));
  confirm = [this](const QString& question) {
    return QMessageBox::question(this, windowTitle(), question,
                                 QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
  };
  nameDialog_.checkName = [this](const std::string& name) { return refusalOfName(name); };

  auto* choose = new QGroupBox(QString::fromUtf8("Profil wählen"));
  choose->setObjectName("GroupBox1");
  auto* chooseLayout = new QHBoxLayout(choose);
  ComboBox1 = new QComboBox;
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(false);
  ComboBox1->setMinimumWidth(160);
  chooseLayout->addWidget(ComboBox1, 1);
  QPushButton* Button3 = addPushButton(chooseLayout, "Button3", "&Neu...");
  QPushButton* Button4 = addPushButton(chooseLayout, "Button4", "&Löschen");

  auto* fields = new QGroupBox(QStringLiteral("Einstellungen"));
  fields->setObjectName("GroupBox2");
  auto* form = new QFormLayout(fields);
  Edit2 = addField(form, "Edit2", "Absender", kAbsenderLength);
  Edit1 = addField(form, "Edit1", "Empfänger", kEmpfaengerLength);
  Edit3 = addField(form, "Edit3", "Betreff");
  memo1 = addMemo(form, "memo1", "Kurzer Text VOR den Wetterdaten");
  memo2 = addMemo(form, "memo2", "Kurzer Text NACH den Wetterdaten");
  RadioGroup1 = new RadioGroup(QStringLiteral("Intervall"), {QStringLiteral("Wie WinGT-Import"),
                                                             kDailyBefore + kDailyGap + "Uhr"});
  RadioGroup1->setObjectName("RadioGroup1");
  Edit4 = new QLineEdit;
  Edit4->setObjectName("Edit4");
  acceptTimeOfDayOnly(*Edit4);
  placeInGap(RadioGroup1->button(1), Edit4);
  form->addRow(RadioGroup1);

  QDialogButtonBox* buttons = okCancelButtons(*this, "Button1", "Button2");
  QPushButton* Button5 =
      buttons->addButton(QStringLiteral("&Speichern"), QDialogButtonBox::ActionRole);
  Button5->setObjectName("Button5");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(choose);
  layout->addWidget(fields);
  layout->addWidget(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(ComboBox1, &QComboBox::activated, this, [this] { UpdateText(); });
  connect(RadioGroup1, &RadioGroup::clicked, this, &Tmailprop::RadioGroup1Click);
  connect(Button3, &QPushButton::clicked, this, &Tmailprop::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &Tmailprop::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &Tmailprop::Button5Click);
}

void Tmailprop::FormShow() {
  ComboBox1->clear();
  for (int n = 1; n <= profiles_.maxprofil && n <= kMaxProfiles; ++n) {
    ComboBox1->addItem(QString::fromStdString(profiles_[n].name));
  }
  ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
  UpdateText();
}

void Tmailprop::UpdateText() {
  if (profiles_.maxprofil == 0) return;
  const int n = std::max(ComboBox1->currentIndex(), 0) + 1;
  const ProfileEntry& p = profiles_[n];
  Edit1->setText(QString::fromStdString(p.Empfaenger));
  Edit2->setText(QString::fromStdString(p.Absender));
  Edit3->setText(QString::fromStdString(p.Betreff));
  setMemoLines(memo1, readCommaText(p.VOR));
  setMemoLines(memo2, readCommaText(p.NACH));
  RadioGroup1->setItemIndex(p.WieWinGT ? 0 : 1);
  RadioGroup1Click(RadioGroup1->itemIndex());
  Edit4->setText(QString::fromStdString(p.Uhrzeit));
}

void Tmailprop::RadioGroup1Click(int index) { Edit4->setEnabled(index == 1); }

std::string Tmailprop::refusalOfName(const std::string& name) const {
  if (!isPlainProfileName(name)) {
    if (name.empty()) return "Bitte einen Namen für das neue Profil eingeben.";
    return "Der Name \"" + name +
           "\" taugt nicht als Dateiname und Abschnitt in tavout.ini. Erlaubt sind keine "
           "Zeichen \\ / ] und keine Leerzeichen am Anfang oder Ende.";
  }
  // Profiles share nothing but their section in tavout.ini, whose names do
  // not tell upper from lower case; a second profile of one name would
  // overwrite the first there.
  const QString wanted = QString::fromStdString(name);
  for (int n = 1; n <= profiles_.maxprofil && n <= kMaxProfiles; ++n) {
    if (QString::fromStdString(profiles_[n].name).compare(wanted, Qt::CaseInsensitive) == 0) {
      return "Ein Profil mit dem Namen \"" + profiles_[n].name + "\" gibt es schon.";
    }
  }
  return {};
}

void Tmailprop::Button3Click() {
  if (profiles_.maxprofil >= kMaxProfiles) {
    notifier_.notify("Es gibt schon " + std::to_string(kMaxProfiles) +
                         " Profile, mehr sind nicht möglich. Bitte zuerst ein Profil löschen.",
                     "Profile", MessageButtons::Ok);
    return;
  }
  if (nameDialog_.exec() != QDialog::Accepted) return;
  const std::string name = nameDialog_.name();
  if (!addProfile(profiles_, name)) return;
  // The fields stay as they are, so "&Speichern" stores them into the new
  // profile.
  ComboBox1->addItem(QString::fromStdString(name));
  ComboBox1->setCurrentIndex(ComboBox1->count() - 1);
}

void Tmailprop::Button4Click() {
  if (ComboBox1->count() == 0) return;
  if (!confirm(QString::fromUtf8("Ausgewähltes Profil löschen?"))) return;
  const int position = std::max(ComboBox1->currentIndex(), 0);
  if (!deleteProfile(profiles_, position + 1)) return;
  ComboBox1->removeItem(position);
  ComboBox1->setCurrentIndex(ComboBox1->count() > 0 ? 0 : -1);
  UpdateText();
}

void Tmailprop::Button5Click() {
  const int position = ComboBox1->currentIndex();
  if (position < 0 || position >= profiles_.maxprofil) return;
  ProfileEntry& p = profiles_[position + 1];
  p.name = ComboBox1->currentText().toStdString();
  p.Empfaenger = Edit1->text().toStdString();
  p.Absender = Edit2->text().toStdString();
  p.Betreff = Edit3->text().toStdString();
  p.VOR = writeCommaText(memoLines(memo1));
  p.NACH = writeCommaText(memoLines(memo2));
  p.WieWinGT = RadioGroup1->itemIndex() == 0;
  p.Uhrzeit = Edit4->text().toStdString();
}

void Tmailprop::accept() {
  Button5Click();
  QDialog::accept();
}

void editProfiles(Tmailprop& dialog) {
  dialog.FormShow();
  dialog.exec();
}

}  // namespace tavik
