// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace tavik {

// A folder setting joined with a name: "/" goes between them unless the
// folder already ends with one.
std::string joinPath(std::string_view folder, std::string_view name);

// True when `name` can stand as a single file name inside a folder: not
// empty, not "." or "..", and free of "/", "\", ".." and control characters.
// A name that fails could reach outside the folder or make no valid file.
bool isPlainFileName(std::string_view name);

}  // namespace tavik
