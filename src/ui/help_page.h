// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "common/notifier.h"

class QTextBrowser;

namespace tavik {

// Opens a local page in the desktop's web browser; false when no browser is
// set up to take it (no BROWSER, no browser for text/html known to xdg-mime,
// no x-www-browser or www-browser) or none could be started.
using PageOpener = std::function<bool(const std::string& path)>;
bool openWithDesktop(const std::string& path);

// Where the help page "readme.htm" is: in `programDir`, beside a copy of the
// program, or else where the package installs it (share/doc/tavik beside the
// bin folder); the first of the two when neither exists.
std::string helpPagePath(const std::string& programDir);
// The same for the running program's folder.
std::string defaultHelpPagePath();

// The help page in a window of its own ("HelpWindow", a text browser whose
// links to other pages open in the desktop's browser), created at the first
// call and shown and raised at every call.
QTextBrowser* showHelpWindow(const std::string& path);
// Closes the help window, if it is open: it goes with the main window and
// never keeps the program running on its own.
void closeHelpWindow();

// Shows the help page: in the desktop's browser, or in the help window when
// no browser takes it. Empty when it is shown; otherwise the German reason
// why not (the page is missing).
std::string openHelpPage(const std::string& path, const PageOpener& open);

// "ReadMe...": opens the page and reports a failure under the caption "ReadMe".
void openHelpPageOrSayWhy(const std::string& path, Notifier& notifier,
                          const PageOpener& open = openWithDesktop);

}  // namespace tavik
