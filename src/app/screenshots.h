// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QWidget;

namespace tavik {

// For unattended runs (the screenshots script, the demo): after `seconds`,
// saves a PNG of the main window to `path`, then shows each window named in
// `windows` (object names separated by commas, windows that belong to the
// main window) in turn and saves it beside `path` as NAME.png, and finally
// closes the main window the normal way.
void scheduleScreenshots(QWidget& mainWindow, const std::string& path, int seconds,
                         const std::string& windows);

}  // namespace tavik
