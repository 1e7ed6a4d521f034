#include "ui/about_window.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "products/program_version.h"
#include "ui/pictures.h"

namespace tavik {
namespace {

constexpr int kVersionRightMargin = 8;

// A label shown as a link; a click hands `target` to the desktop.
QLabel* linkLabel(const QString& name, const QString& text, const QUrl& target, QWidget* parent) {
  auto* l = new QLabel(QStringLiteral("<a href=\"#\">%1</a>").arg(text.toHtmlEscaped()), parent);
  l->setObjectName(name);
  l->setTextFormat(Qt::RichText);
  l->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
  QObject::connect(l, &QLabel::linkActivated, l, [target] { QDesktopServices::openUrl(target); });
  return l;
}

QLabel* webLabel(const QString& name, const QString& address, QWidget* parent) {
  return linkLabel(name, address, QUrl(address), parent);
}

QLabel* mailLabel(const QString& name, const QString& address, QWidget* parent) {
  return linkLabel(name, address, QUrl(QStringLiteral("mailto:") + address), parent);
}

}  // namespace

QUrl readMeUrl(const QString& programDir) {
  const QDir folder(programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir);
  const QString portable = folder.absoluteFilePath(QStringLiteral("readme.htm"));
  const QString installed =
      folder.absoluteFilePath(QStringLiteral("../share/doc/tavik/readme.htm"));
  const bool useInstalled = !QFileInfo::exists(portable) && QFileInfo::exists(installed);
  return QUrl::fromLocalFile(QDir::cleanPath(useInstalled ? installed : portable));
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutBox"));
  setWindowTitle(QStringLiteral("About"));
  setModal(true);
  setFixedSize(320, 300);

  auto* icon = new QLabel(this);
  icon->setObjectName(QStringLiteral("ProgramIcon"));
  icon->setPixmap(applicationPicture(48));
  icon->setGeometry(16, 16, 48, 48);

  auto* name = new QLabel(QStringLiteral("Tavik"), this);
  name->setObjectName(QStringLiteral("ProductName"));
  QFont big = name->font();
  big.setPointSize(big.pointSize() + 8);
  big.setBold(true);
  name->setFont(big);
  name->setGeometry(80, 14, 200, 32);

  auto* output = new QLabel(QStringLiteral("Output"), this);
  output->setObjectName(QStringLiteral("Output"));
  output->setGeometry(82, 46, 200, 18);

  Version = new QLabel(
      QStringLiteral("Version ") + QString::fromUtf8(programVersion.data(), programVersion.size()),
      this);
  Version->setObjectName(QStringLiteral("Version"));
  Version->adjustSize();

  auto* contact = new QGroupBox(QStringLiteral("Contact"), this);
  contact->setObjectName(QStringLiteral("Contact"));
  contact->setGeometry(16, 100, 288, 130);
  auto* links = new QVBoxLayout(contact);
  links->addWidget(
      mailLabel(QStringLiteral("Mail1"), QStringLiteral("tavik@example.org"), contact));
  links->addWidget(
      mailLabel(QStringLiteral("Mail2"), QStringLiteral("wetter@example.org"), contact));
  links->addWidget(
      webLabel(QStringLiteral("Web1"), QStringLiteral("https://tavik.example.org"), contact));
  links->addWidget(webLabel(QStringLiteral("Web2"),
                            QStringLiteral("https://tavik.example.org/wetter"), contact));

  auto* readMe = linkLabel(QStringLiteral("ReadMe"), QStringLiteral("ReadMe"), readMeUrl(), this);
  readMe->setGeometry(16, 252, 100, 20);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("OKButton"));
  ok->setDefault(true);
  ok->setGeometry(224, 246, 80, 28);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void TAboutBox::placeVersion() {
  Version->adjustSize();
  Version->move(width() - kVersionRightMargin - Version->width(), 70);
}

void TAboutBox::showEvent(QShowEvent* event) {
  placeVersion();
  QDialog::showEvent(event);
}

}  // namespace tavik
