// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QLabel;
class QTreeView;

namespace tavik {

// The folder chooser ("Ordner wählen..."): a tree of the file system's
// folders with the chosen one selected, and "OK" / "Abbrechen". Created once
// and shared by every settings dialog that has a "Durchsuchen..." button.
class Tordner : public QDialog {
  Q_OBJECT

 public:
  explicit Tordner(QWidget* parent = nullptr);

  // Selects the folder to start at. A text that names no existing folder
  // starts at its nearest existing parent folder, or at the home folder when
  // it has none (an empty or relative text).
  void setFolder(const QString& folder);
  // The selected folder's full path, without a trailing "/" except for the
  // root "/".
  QString folder() const;

  // The folder setFolder starts at for `folder`.
  static QString startFolder(const QString& folder);

 private:
  void select(const QString& path);

  QFileSystemModel* model_;
  QTreeView* DirectoryListBox1;
  QLabel* DirLabel;
  QString selected_;
};

// What every "Durchsuchen..." button does: opens the chooser at the folder
// shown in `folderLabel` and, on OK, shows the chosen folder there; on
// "Abbrechen" the label stays as it was. True on OK.
bool browseFolder(Tordner& chooser, QLabel& folderLabel);

}  // namespace tavik
