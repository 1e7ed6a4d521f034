// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <fstream>

#include "temp_folder.h"
#include "ui/about_window.h"

namespace tavik {
namespace {

QString textOf(const TAboutBox& box, const char* name) {
  const QLabel* label = box.findChild<QLabel*>(name);
  return label ? label->text() : QStringLiteral("<missing>");
}

TEST(AboutBox, ShowsVersionLicenceAndHomePage) {
  TAboutBox box;
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  EXPECT_EQ(box.windowTitle(), "About");
  EXPECT_EQ(textOf(box, "ProductName"), "Tavik");
  EXPECT_EQ(textOf(box, "Output"), "Output");
  EXPECT_EQ(textOf(box, "Version"), "Version 0.1.9.8b");
  // The version line ends 8 pixels from the right edge.
  const QLabel* version = box.findChild<QLabel*>("Version");
  EXPECT_EQ(version->mapTo(&box, QPoint(version->width(), 0)).x(), box.width() - 8);
  // The version line is the box's only version.
  for (const QLabel* label : box.findChildren<QLabel*>()) {
    if (label == version) continue;
    EXPECT_FALSE(label->text().contains("version", Qt::CaseInsensitive))
        << label->objectName().toStdString();
  }
  EXPECT_EQ(textOf(box, "Copyright"), "© 2026 Tavik-Entwickler");
  EXPECT_EQ(textOf(box, "Licence"), "Freie Software unter der Lizenz GPL-3.0-or-later");
  EXPECT_TRUE(textOf(box, "Web1").contains(kHomePage));
  const QGroupBox* contact = box.findChild<QGroupBox*>("Contact");
  ASSERT_NE(contact, nullptr);
  // Two e-mail links and two web links, all inside the contact group.
  for (const char* name : {"Mail1", "Mail2", "Web1", "Web2"}) {
    const QLabel* link = contact->findChild<QLabel*>(name);
    ASSERT_NE(link, nullptr) << name;
    EXPECT_TRUE(link->text().startsWith("<a href=")) << name;
  }
  EXPECT_TRUE(textOf(box, "Mail1").contains(kContactMail));
  EXPECT_TRUE(textOf(box, "Mail2").contains(kReportMail));
}

TEST(AboutBox, ReadMeOpensThePageOrSaysWhyNot) {
  testing::TempFolder folder;
  const std::string page = (folder.path() / "readme.htm").string();
  TAboutBox box;
  RecordingNotifier notifier;
  std::vector<std::string> opened;
  box.setNotifier(notifier);
  box.helpPagePath = [&page] { return page; };
  box.openPage = [&opened](const std::string& path) {
    opened.push_back(path);
    return true;
  };
  box.ReadMeClick();
  ASSERT_EQ(notifier.messages.size(), 1u);
  EXPECT_EQ(notifier.messages[0].text, "Die Hilfeseite " + page + " ist nicht vorhanden.");
  EXPECT_TRUE(opened.empty());
  std::ofstream(page) << "<html></html>";
  box.ReadMeClick();
  EXPECT_EQ(opened, std::vector<std::string>{page});
  EXPECT_EQ(notifier.messages.size(), 1u);
}

}  // namespace
}  // namespace tavik
