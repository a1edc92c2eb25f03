#include "app/AuditJournal.h"

AuditJournal::~AuditJournal() = default;
