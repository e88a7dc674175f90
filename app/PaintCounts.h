// SPDX-License-Identifier: MIT
// How often does the program draw while nothing much happens? For measuring the cost of
// watching (scripts/measure.sh): with RAVUZIZ_REPORT_PAINTS set in the environment, the
// program counts the paint events of its main window, and when it quits writes one line to
// standard error:
//   ravuziz: paints: page NAME drawn N, shown M, window shown K
// N is how often the page in front (with its child windows) drew on its surface, M how often
// it was copied to the display, K how often any part of the main window was.
#pragma once

// Starts counting when RAVUZIZ_REPORT_PAINTS is set; call before the main window is created.
void ReportPaintCountsIfAsked();
