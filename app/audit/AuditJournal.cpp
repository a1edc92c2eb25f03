#include "app/audit/AuditJournal.h"

AuditJournal::~AuditJournal() = default;
