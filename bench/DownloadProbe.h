#pragma once

// In a fresh process: reads the download at path ("unzip": its two lists' entries, unpacked and
// nothing more), opens it ("open"), or opens and scans it in the result window's controls
// ("scan"); prints the milliseconds taken and the peak resident memory in KiB, and exits.
int downloadProbe(const char *what, const char *path);
