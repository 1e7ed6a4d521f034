#pragma once

#include <QDialog>

class QLabel;

namespace tavik {

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
