// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "record_fields.h"

namespace tavik {

// "8F" .. "CF".
std::string groupName(GroupKind kind);

// One line (without line end) for a delivered group: its name, the checksum
// verdict and, after a good checksum, the fields it wrote. Readable text, or
// one JSON object:
// {"group":"9F","verdict":"OK!","fields":{"TempIn.Current":-312,...}}
// A group that the plausibility check refused (`refused` not null) gets
// "plausible":false and the fields it refused after its fields:
// ...,"plausible":false,"refused":["TempOut.Current"]}
// and in the readable text " unplausibel: TempOut.Current" at the end.
std::string formatGroupLine(GroupKind kind, const std::string& verdict,
                            const std::vector<RecordField>& fields, bool json,
                            const std::vector<const char*>* refused = nullptr);

}  // namespace tavik
