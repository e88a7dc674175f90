// SPDX-License-Identifier: MIT
// The program's string table: display texts addressed by number, so every page names a unit
// with the same text. Standard library only, so the core can name units too.
#pragma once

#include "resources/resource.h"

// The text of string id, UTF-8; an empty text for an id the table does not hold.
const char* LoadStringUtf8(StringId id);
