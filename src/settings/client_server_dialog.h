// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

namespace tavik {

// The client/server dialog ("Client/Server"). The network function it
// describes is not built: nothing reads its controls, nothing is stored and
// no connection is made. "OK" and "Abbrechen" just close it.
class Tclsersetting : public QDialog {
  Q_OBJECT

 public:
  explicit Tclsersetting(QWidget* parent = nullptr);
};

}  // namespace tavik
