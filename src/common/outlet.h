// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace tavik {

// A place the station's record goes out to on its own schedule (a broker, a
// weather network). The station runtime holds its outlets in one list and
// tells each of the same moments; an outlet is given the settings it reads
// when it is made.
class Outlet {
 public:
  virtual ~Outlet() = default;

  // The settings are in (the program's first load): read them and begin.
  virtual void start() = 0;
  // The settings changed (a later load or a reload): read them again.
  virtual void settingsChanged() = 0;
  // A good group entered the record.
  virtual void recordChanged() = 0;
  // The station ends: leave every peer cleanly; nothing goes out after it.
  virtual void stop() = 0;
  // One text for the window's status panel; empty when there is nothing to
  // show (the outlet is off).
  virtual std::string status() const = 0;
};

}  // namespace tavik
