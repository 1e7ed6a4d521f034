// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/message_box_notifier.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QWidget>

#include <iostream>
#include <sstream>

namespace tavik {
namespace {

// Standard error into a string for the life of the object.
class CapturedStderr {
 public:
  CapturedStderr() : old_(std::cerr.rdbuf(text_.rdbuf())) {}
  ~CapturedStderr() { std::cerr.rdbuf(old_); }
  std::string text() const { return text_.str(); }

 private:
  std::ostringstream text_;
  std::streambuf* old_;
};

TEST(MessageBoxNotifierTest, EveryFailureReachesStderrAlsoWhileItsBoxIsOpen) {
  QWidget window;
  MessageBoxNotifier notifier;
  notifier.setParentWindow(&window);
  CapturedStderr err;
  notifier.notify("In /x/Wetter.txt kann nicht geschrieben werden", "Read");
  notifier.notify("In /x/Wetter.txt kann nicht geschrieben werden", "Read");
  notifier.notify("Comport: weg", "Comport belegt", MessageButtons::Ok);
  // One box per distinct failure, but a line for each time it happened,
  // marked as a failure for the journal (the program's standard error drops
  // the mark elsewhere).
  EXPECT_EQ(notifier.openBoxes(), 2);
  EXPECT_EQ(err.text(),
            "<3>Read: In /x/Wetter.txt kann nicht geschrieben werden\n"
            "<3>Read: In /x/Wetter.txt kann nicht geschrieben werden\n"
            "<3>Comport belegt: Comport: weg\n");
  for (QMessageBox* box : window.findChildren<QMessageBox*>()) box->close();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(notifier.openBoxes(), 0);
}

}  // namespace
}  // namespace tavik
