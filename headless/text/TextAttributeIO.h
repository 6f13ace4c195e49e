#pragma once
// Attribute values in streams. A value that names an object of the
// database (a font, a swatch, a language, or a plug-in attribute whose class
// holds a UID) goes as an object reference, so copies between databases
// remap it; a flag before each value says which form follows.
#include "host/AttributeBossList.h"
#include "host/IPMStream.h"
#include <vector>

void ReadWriteTextAttribute(IPMStream* s, TextAttribute& a);
// A count, then the attributes. Reading rejects counts the input cannot hold.
void ReadWriteTextAttributes(IPMStream* s, std::vector<TextAttribute>& list);
void ReadWriteAttributeList(IPMStream* s, AttributeBossList& list);
// Whether an attribute's value names an object of the database.
bool IsUIDAttribute(ClassID cls);
