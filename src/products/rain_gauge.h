// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tavik {

// A rain gauge rebuilt for 235 mm ("Umbau (235mm)") counts 5.5225 times what
// a normal gauge counts; with NormalRegen clear every rain count is divided by
// this factor. The APRS file computes in single precision and takes the float
// nearest to it (5.5225f), the Read and Import pages divide in double.
inline constexpr double kConvertedGaugeFactor = 5.5225;

}  // namespace tavik
