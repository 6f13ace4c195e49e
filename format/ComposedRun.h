#pragma once
// One piece of a building block's output: text, and the character attributes
// to apply to it (null, or a list shared with others, for none of its own).
#include "host/AttributeBossList.h"
#include "host/WideString.h"
#include <boost/shared_ptr.hpp>

struct ComposedRun {
  WideString text;
  boost::shared_ptr<AttributeBossList> attributes;
};
