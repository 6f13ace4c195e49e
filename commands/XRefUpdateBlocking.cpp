#include "commands/XRefUpdateBlocking.h"

bool XRefUpdateBlocking::IsBlocked() { return false; }
