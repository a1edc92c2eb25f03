#include "core/AuditJournal.h"

AuditJournal::~AuditJournal() = default;
