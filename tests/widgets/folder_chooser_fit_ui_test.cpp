// SPDX-License-Identifier: GPL-3.0-or-later
// Every text of the folder chooser is shown whole: at the first size, at the
// smallest size it allows, and with a 14-point font. CMake runs these tests a
// second time under QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include "widgets/folder_chooser_dialog.h"
#include "window_fits.h"

namespace tavik {
namespace {

TEST(FolderChooserTextsFit, AtAFolderOfUsualDepth) {
  const auto make = [] {
    auto chooser = std::make_unique<Tordner>();
    chooser->setFolder(QStringLiteral("/usr/share/doc"));
    return chooser;
  };
  EXPECT_EQ(test::joined(test::cutsAtEverySize(make)), "");
}

}  // namespace
}  // namespace tavik
