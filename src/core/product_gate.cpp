// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/product_gate.h"

namespace tavik {

std::string ProductGate::whyShut() const {
  if (open()) return {};
  return complete ? "Seit über einer Minute kamen keine Daten von der Station."
                  : "Noch nicht jede Art von Datengruppe ist angekommen.";
}

}  // namespace tavik
