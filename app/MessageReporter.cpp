#include "app/MessageReporter.h"

MessageReporter::~MessageReporter() = default;
