// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/about_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QFont>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "common/version.h"
#include "ui/pictures.h"
#include "widgets/message_box_notifier.h"

namespace tavik {
namespace {

// The version line keeps this distance from the right edge of the box.
constexpr int kVersionRightMargin = 8;

QLabel* plainLabel(const char* name, const QString& text) {
  auto* l = new QLabel(text);
  l->setObjectName(QString::fromLatin1(name));
  l->setTextFormat(Qt::PlainText);
  return l;
}

// A label shown as a link; a click runs `onClick`.
QLabel* linkLabel(const char* name, const QString& text, std::function<void()> onClick) {
  auto* l = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()));
  l->setObjectName(QString::fromLatin1(name));
  l->setTextFormat(Qt::RichText);
  l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  QObject::connect(l, &QLabel::linkActivated, l, [onClick = std::move(onClick)] { onClick(); });
  return l;
}

QLabel* webLabel(const char* name, const QString& address) {
  return linkLabel(name, address, [address] { QDesktopServices::openUrl(QUrl(address)); });
}

// An e-mail address; a click opens the mail program with a new message to it.
QLabel* mailLabel(const char* name, const QString& address) {
  return linkLabel(name, address, [address] {
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + address));
  });
}

// The program's icon beside its name.
QHBoxLayout* titleRow() {
  auto* icon = new QLabel;
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(applicationPicture(48));
  QLabel* name = plainLabel("ProductName", QStringLiteral("Tavik"));
  QFont big = name->font();
  big.setPointSize(big.pointSize() + 8);
  big.setBold(true);
  name->setFont(big);
  auto* names = new QVBoxLayout;
  names->addWidget(name);
  names->addWidget(plainLabel("Output", QStringLiteral("Output")));
  auto* head = new QHBoxLayout;
  head->addWidget(icon, 0, Qt::AlignTop);
  head->addSpacing(12);
  head->addLayout(names, 1);

  return head;
}

// The copyright, the licence, the home page and the licence's text.
QGroupBox* contactBox() {
  auto* contact = new QGroupBox(QStringLiteral("Contact"));
  contact->setObjectName(QStringLiteral("Contact"));
  auto* links = new QVBoxLayout(contact);
  links->addWidget(plainLabel("Copyright", QStringLiteral("© 2026 Tavik-Entwickler")));
  links->addWidget(plainLabel("Licence", QStringLiteral("Freie Software unter der Lizenz ") +
                                             QString::fromLatin1(kLicence)));
  links->addWidget(mailLabel("Mail1", QString::fromLatin1(kContactMail)));
  links->addWidget(mailLabel("Mail2", QString::fromLatin1(kReportMail)));
  links->addWidget(webLabel("Web1", QString::fromLatin1(kHomePage)));
  links->addWidget(webLabel("Web2", QString::fromLatin1(kLicenceText)));
  return contact;
}

}  // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  auto* boxes = new MessageBoxNotifier(this);
  boxes->setParent(this);
  notifier_ = boxes;
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);

  QHBoxLayout* head = titleRow();

  QLabel* version = plainLabel(
      "Version",
      QStringLiteral("Version ") +
          QString::fromUtf8(programVersion.data(), static_cast<qsizetype>(programVersion.size())));
  auto* versionRow = new QHBoxLayout;
  versionRow->addStretch();
  versionRow->addWidget(version);

  QGroupBox* contact = contactBox();

  QLabel* readMe = linkLabel("ReadMe", QStringLiteral("ReadMe"), [this] { ReadMeClick(); });
  auto* ok = new QPushButton(QStringLiteral("OK"));
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(readMe);
  bottom->addStretch();
  bottom->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  const QMargins m = layout->contentsMargins();
  layout->setContentsMargins(m.left(), m.top(), kVersionRightMargin, m.bottom());
  layout->addLayout(head);
  layout->addLayout(versionRow);
  layout->addWidget(contact);
  layout->addStretch();
  layout->addLayout(bottom);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::ReadMeClick() { openHelpPageOrSayWhy(helpPagePath(), *notifier_, openPage); }

}  // namespace tavik
