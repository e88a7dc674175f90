// SPDX-License-Identifier: MIT
// The application's name and company key: the caption of message boxes without their own,
// and the location of the per-user settings.
#pragma once

inline constexpr char kAppName[] = "Ravuziz";
inline constexpr char kCompanyKey[] = "VEVO";
