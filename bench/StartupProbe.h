#pragma once

// Starts the main window ("form") or an empty window ("empty"), prints the milliseconds from
// process start to its first paint and the peak resident memory in KiB, and exits.
int startupProbe(const char *what);
