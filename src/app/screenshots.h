// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

class QWidget;

namespace tavik {

// For unattended runs (the screenshots script, the demo): after `seconds`,
// saves a PNG of the main window to `path`, then opens each window or dialog
// through the menu item named in `items` (object names separated by commas)
// as a user would, saves it beside `path` as NAME.png (the window's object
// name) and closes it again; then brings the main window's frame to each of
// `sizes` ("800x480,1600x1000") and saves it as main-window-WxH.png; finally
// closes the main window the normal way. Under X11 the pictures show the
// window manager's frame and title.
void scheduleScreenshots(QWidget& mainWindow, const std::string& path, int seconds,
                         const std::string& items, const std::string& sizes);

}  // namespace tavik
