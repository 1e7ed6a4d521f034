// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialogButtonBox>

class QCheckBox;
class QDialog;
class QLayout;

namespace tavik {

// The "OK" (default) and "Abbrechen" buttons of a settings dialog, wired to
// accept and reject it; `okName` and `cancelName` are their object names.
// The caller adds the box to the dialog's layout.
QDialogButtonBox* okCancelButtons(QDialog& dialog, const char* okName = "OKBtn",
                                  const char* cancelName = "CancelBtn");

// A check box with its object name and caption, added to a layout.
QCheckBox* addCheckBox(QLayout& layout, const char* name, const char* text);

}  // namespace tavik
