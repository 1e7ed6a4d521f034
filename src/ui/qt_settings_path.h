// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavik {

// Qt's file and colour dialogs keep a history (last folder, custom colours)
// in a settings file under the user's configuration folder. The program keeps
// nothing outside its own folders, so that file is pointed at a path that can
// never be created: the dialogs work as before and forget at exit. Call it
// before the first dialog is made.
void keepQtDialogHistoryInMemory();

}  // namespace tavik
