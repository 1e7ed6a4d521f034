#pragma once

#include <QDialog>

class QLabel;
class QString;
class QUrl;

namespace tavik {

// The help page readme.htm: in the program's folder (a copy of the program in
// a folder of its own), else where it is installed (share/doc/tavik beside
// the program's bin folder). Without a folder, the executable's folder.
QUrl readMeUrl(const QString& programDir = {});

// The about box: program name, version, contact links and the ReadMe link.
class TAboutBox : public QDialog {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void placeVersion();

  QLabel* Version = nullptr;
};

}  // namespace tavik
