// SPDX-License-Identifier: MIT
// The program's icon (icon 128): a night sky with its elevation rings and satellites, drawn
// here at every size a desktop asks for.
#pragma once

#include <QIcon>

QIcon AppIcon();
