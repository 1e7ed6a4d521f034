// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QCoreApplication;
class QTranslator;

namespace tavik {

// Loads Qt's own German texts (the buttons of message boxes, the colour, font
// and file dialogs) from Qt's translations folder and installs them in the
// application. The translator belongs to the application; nullptr when the
// translations are not installed (Debian package qt6-translations-l10n), in
// which case Qt's dialogs stay English.
QTranslator* loadGermanQtTranslations(QCoreApplication& app);

}  // namespace tavik
