// SPDX-License-Identifier: GPL-3.0-or-later
#include "settings/client_server_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "widgets/dialog_buttons_widget.h"
#include "widgets/sizing_widget.h"

namespace tavik {

namespace {

// A group with its "... aktiv" check box and a port field.
QGroupBox* endpointGroup(const char* title, int n, const QString& port) {
  auto* group = new QGroupBox(QString::fromLatin1(title));
  group->setObjectName(QStringLiteral("GroupBox%1").arg(n));
  auto* layout = new QGridLayout(group);
  auto* active = new QCheckBox(QStringLiteral("%1 aktiv").arg(title));
  active->setObjectName(QStringLiteral("CheckBox%1").arg(n));
  auto* field = new QLineEdit(port);
  field->setObjectName(QStringLiteral("Edit%1").arg(n));
  layout->addWidget(active, 0, 0, 1, 2);
  layout->addWidget(new QLabel(QStringLiteral("Port")), 1, 0);
  layout->addWidget(field, 1, 1);
  return group;
}

}  // namespace

Tclsersetting::Tclsersetting(QWidget* parent) : QDialog(parent) {
  setObjectName("Tclsersetting");
  setWindowTitle(QStringLiteral("Client/Server"));

  auto* groups = new QHBoxLayout;
  groups->addWidget(endpointGroup("Client", 1, QStringLiteral("5566")));
  groups->addWidget(endpointGroup("Server", 2, QString()));

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  for (const char* line :
       {"Die Daten der Wetterstation können in ein TCP/IP Netzwerk geleitet werden (Server).",
        "Tavik kann Wetterdaten von einem Server einlesen (Client)."}) {
    // Each line whole; the dialog is as wide as the longer one.
    layout->addWidget(new QLabel(QString::fromUtf8(line)));
  }
  layout->addStretch();
  layout->addWidget(okCancelButtons(*this, "Button1", "Button2"));
  startAtSize(*this, 451, 233);
}

}  // namespace tavik
