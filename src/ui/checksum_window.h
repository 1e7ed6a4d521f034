// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "station/decoders.h"
#include "widgets/tool_window.h"

namespace tavik {

class StringGrid;

// The checksum view: for each kind of data group the verdict of the last
// group received ("OK!" or "False!"), as the decoders recorded it, and how
// many groups with a right checksum the plausibility check refused.
class Tchksums : public ToolWindow {
  Q_OBJECT

 public:
  explicit Tchksums(const ChecksumVerdicts& verdicts, QWidget* parent = nullptr);

  // Copies the verdicts and the refusals into the second and third column; the main window calls it
  // after each decoded group.
  void refresh();

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  const ChecksumVerdicts& verdicts_;
  StringGrid* StringGrid1;
};

}  // namespace tavik
