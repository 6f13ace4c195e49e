#pragma once
// A plain-text description of an open document, for people and for tests.
#include "headless/database/DataBase.h"
#include <ostream>
#include <string>

void DescribeDocument(DataBase* doc, std::ostream& out);
// Appended to the description: the document's hyperlinks and destinations.
void DescribeHyperlinks(IDataBase* doc, std::ostream& out);
// A page's name as the description lists it under "pages": its page
// string, section name included; empty when the host gives none.
std::string DescribedPageName(IDataBase* doc, UID page);
