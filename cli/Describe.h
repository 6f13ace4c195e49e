#pragma once
// A plain-text description of an open document, for people and for tests.
#include "headless/database/DataBase.h"
#include <ostream>

void DescribeDocument(DataBase* doc, std::ostream& out);
// Appended to the description: the document's hyperlinks and destinations.
void DescribeHyperlinks(IDataBase* doc, std::ostream& out);
