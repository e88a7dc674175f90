// SPDX-License-Identifier: MIT
// When does a person first see something? For measuring start-up (scripts/measure.sh), the
// program can print the moments of its first frames: with RAVUZIZ_REPORT_FRAMES set in the
// environment, it writes to standard error the wall-clock time (seconds since the epoch, to
// the nanosecond, so a script can subtract its own start time) of
//   - the first paint of the main window,
//   - the first paint after the first sentence was decoded (the status light and texts),
//   - the first paint of the visible page after the first sentence (the page's own data).
// It watches paint events only, so it costs nothing on the byte path and nothing at all when
// the variable is not set.
#pragma once

// Starts watching when RAVUZIZ_REPORT_FRAMES is set; call before the main window is created.
void ReportFrameTimesIfAsked();
