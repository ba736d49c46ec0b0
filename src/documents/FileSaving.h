// SPDX-FileCopyrightText: 2026 Kotonami contributors
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one way a writer's text goes into its file, for every tab and every save.

#include <string>
#include <string_view>

// Replaces the file at `path` with `bytes` atomically (UsefulFunc::WriteFileAtomically). Where
// the folder takes no new file but the file itself may be written, the text goes into the file
// in place, which keeps its identity and permissions; its old bytes are first put safe in the
// recovery folder and stay there until the new ones are written and flushed (a failure puts them
// back, or names where they are kept). Throws EFile naming the file and the reason.
void SaveTextFile(const std::string& path, std::string_view bytes);
