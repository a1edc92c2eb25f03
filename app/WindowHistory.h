#pragma once

#include "core/HistoryJournal.h"

#include <memory>

class Form1;
class MessageReporter;

// Connects a loaded window to the history of its signed-in account. A history that cannot be
// used is told once in a warning box, and the window works on without it; but a keep list that
// cannot be read, or an account whose name cannot be, refuses every removal.
std::unique_ptr<AuditJournal> attachHistory(Form1 &form, const QString &backend,
                                            MessageReporter &reporter, const QString &path);
