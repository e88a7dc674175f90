// SPDX-License-Identifier: MIT
// What watching costs and when a person first sees something, for scripts/measure.sh. Both
// reports watch the main window's paint events only, so they cost nothing on the byte path
// and nothing at all when their variables are not set in the environment:
//   RAVUZIZ_REPORT_FRAMES  writes to standard error the wall-clock time (seconds since the
//                          epoch, to the nanosecond, so a script can subtract its own start
//                          time) of the first paint of the main window, of the first paint
//                          after the first sentence was decoded (the status light and texts),
//                          and of the first paint of the page in front after it (the page's
//                          own data): "ravuziz: first frame at S.N", "... first frame with
//                          data at ...", "... first page with data at ..."
//   RAVUZIZ_REPORT_PAINTS  writes, when the program quits,
//                          "ravuziz: paints: page NAME drawn N, shown M, window shown K":
//                          how often the page in front (with its child windows) drew on its
//                          surface, how often it was copied to the display, and how often any
//                          part of the main window was.
#pragma once

// Starts the reports asked for; call before the main window is created.
void StartPaintReportsIfAsked();
