#pragma once
// Whether the host is in a state in which no cross-reference may be
// recomposed; the update command and the document responder ask it.
namespace XRefUpdateBlocking {
bool IsBlocked();
}
