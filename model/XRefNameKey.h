#pragma once
// The key under which names are looked up ignoring case: the name
// lower-cased (by Unicode case folding, as the host compares names), marked
// not translatable.
#include "host/PMString.h"

PMString XRefNameKey(const PMString& name);
