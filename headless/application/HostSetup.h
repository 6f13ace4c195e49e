#pragma once
// The host's own classes, installed through InstallHostClasses (declared
// with the Host, which calls it when first used).
#include "headless/objects/Host.h"
