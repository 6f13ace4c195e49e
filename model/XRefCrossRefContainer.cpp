#include "model/XRefCrossRefContainer.h"

UIDRef XRefCrossRefContainer::At(const UIDRef&, TextIndex) { return UIDRef(); }
void XRefCrossRefContainer::ShowDocument(const UIDRef&) {}
