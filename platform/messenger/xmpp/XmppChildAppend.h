#pragma once

// libstrophe appends a child element by walking its parent's children from the first, so
// parsing an element with n children costs n²/2 steps: a roster of 32,767 contacts took its
// parser several seconds, longer than the sign-in's time limit. This program gives the process
// its own append, which the library's calls reach through its symbol table: it remembers where
// each element's children end, so the same roster parses in linear time.
//
// The library keeps its elements private, so the replacement learns their layout from the
// library itself when it is installed, by watching what the library's own append and clone
// change in elements it has just made. Unless every change is the one expected, the library's
// own append stays in use, unchanged, and only the speed is lost.
class XmppChildAppend
{
public:
    XmppChildAppend() = delete;

    // Learns the layout, once per process, and puts the replacement in use if it was recognised.
    // Call before the library parses or builds anything large; safe from any thread.
    static void install();
    // Whether the library's appends now take the replacement: the layout was recognised and the
    // process's calls reach it.
    static bool isInEffect();
};
