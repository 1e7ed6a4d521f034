// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/folder_chooser_dialog.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace tavik {

Tordner::Tordner(QWidget* parent) : QDialog(parent) {
  setObjectName("Tordner");
  setWindowTitle(QString::fromUtf8("Ordner wählen..."));

  model_ = new QFileSystemModel(this);
  model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
  model_->setRootPath(QDir::rootPath());

  DirectoryListBox1 = new QTreeView;
  DirectoryListBox1->setObjectName("DirectoryListBox1");
  DirectoryListBox1->setModel(model_);
  DirectoryListBox1->setHeaderHidden(true);
  DirectoryListBox1->setSortingEnabled(true);
  DirectoryListBox1->sortByColumn(0, Qt::AscendingOrder);
  for (int column = 1; column < model_->columnCount(); ++column) {
    DirectoryListBox1->hideColumn(column);
  }
  connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) {
            if (current.isValid()) select(model_->filePath(current));
          });

  DirLabel = new QLabel;
  DirLabel->setObjectName("DirLabel");
  DirLabel->setTextFormat(Qt::PlainText);

  auto* buttons = new QDialogButtonBox;
  QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)
      ->setObjectName("CancelBtn");
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(DirLabel);
  layout->addWidget(DirectoryListBox1);
  layout->addWidget(buttons);
  // At least the designed size; wider when the chosen folder's path needs it.
  setMinimumSize(380, 420);

  select(QDir::homePath());
}

QString Tordner::startFolder(const QString& folder) {
  if (!QDir::isAbsolutePath(folder)) return QDir::homePath();
  QString path = QDir::cleanPath(folder);
  while (!QFileInfo(path).isDir()) {
    const QString parent = QFileInfo(path).path();
    if (parent == path) return QDir::homePath();
    path = parent;
  }
  return path;
}

void Tordner::setFolder(const QString& folder) {
  const QString start = startFolder(folder);
  select(start);
  const QModelIndex index = model_->index(start);
  DirectoryListBox1->setCurrentIndex(index);
  DirectoryListBox1->expand(index);
  DirectoryListBox1->scrollTo(index);
}

QString Tordner::folder() const { return selected_; }

void Tordner::select(const QString& path) {
  selected_ = QDir::cleanPath(path);
  DirLabel->setText(selected_);
}

bool browseFolder(Tordner& chooser, QLabel& folderLabel) {
  chooser.setFolder(folderLabel.text());
  if (chooser.exec() != QDialog::Accepted) return false;
  folderLabel.setText(chooser.folder());
  return true;
}

}  // namespace tavik
