// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "common/notifier.h"
#include "ui/help_page.h"

namespace tavik {

// The project's home page and the program's licence, as the about box shows
// them.
inline constexpr const char* kHomePage = TAVIK_HOMEPAGE;
inline constexpr const char* kLicence = "GPL-3.0-or-later";
inline constexpr const char* kLicenceText = "https://www.gnu.org/licenses/gpl-3.0.html";
// The two e-mail contacts: the developers (as the package names them) and the
// address for fault reports.
inline constexpr const char* kContactMail = "tavik@example.org";
inline constexpr const char* kReportMail = "tavik-bugs@example.org";

// The about box: program name, version, home page, licence and the ReadMe link.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

  // Where the failure to open the help page is told (a message box unless set).
  void setNotifier(Notifier& notifier) { notifier_ = &notifier; }
  // The help page that "ReadMe" opens, and how it is opened.
  std::function<std::string()> helpPagePath = defaultHelpPagePath;
  PageOpener openPage = openWithDesktop;

  // "ReadMe": opens the help page or says why not.
  void ReadMeClick();

 private:
  Notifier* notifier_;
};

}  // namespace tavik
