#include "app/LinkOpener.h"

LinkOpener::~LinkOpener() = default;
