#pragma once
// Identifiers of the host's native cross-reference formats (Basic formats).
#include "IDTypes.h"

constexpr ClassID kBasicXRefFormatBoss{0x13600};
constexpr PMIID IID_IBASICXREFFORMAT{0x13601};
constexpr PMIID IID_IBASICXREFFORMATLIST{0x13602};
constexpr PMIID IID_IBASICFORMATUTILS{0x13603};

constexpr ImplementationID kBasicXRefFormatImpl{0x13610};
constexpr ImplementationID kBasicXRefFormatListImpl{0x13611};
constexpr ImplementationID kBasicFormatUtilsImpl{0x13612};
