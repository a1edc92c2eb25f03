#pragma once

// Starts the main window ("form"), an empty window ("empty") or an empty window with one label
// ("text"), prints the milliseconds from process start to its first paint and the peak resident
// memory in KiB, and exits. The steps of the main window's start go to the standard error.
int startupProbe(const char *what);
