// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <string>

#include "common/notifier.h"

namespace tavik {

// Opens a local file in the desktop's viewer; false when none could be started.
using PageOpener = std::function<bool(const std::string& path)>;
bool openWithDesktop(const std::string& path);

// Where the help page "readme.htm" is: in `programDir`, beside a copy of the
// program, or else where the package installs it (share/doc/tavik beside the
// bin folder); the first of the two when neither exists.
std::string helpPagePath(const std::string& programDir);
// The same for the running program's folder.
std::string defaultHelpPagePath();

// Shows the help page. Empty when it was handed to a viewer; otherwise the
// German reason why not (the page is missing, or no viewer is there).
std::string openHelpPage(const std::string& path, const PageOpener& open);

// "ReadMe...": opens the page and reports a failure under the caption "ReadMe".
void openHelpPageOrSayWhy(const std::string& path, Notifier& notifier,
                          const PageOpener& open = openWithDesktop);

}  // namespace tavik
