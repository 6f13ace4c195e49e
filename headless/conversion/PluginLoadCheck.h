#pragma once
// The plug-ins' document checks (IDocumentCheck), asked by the loader and by
// tools that look a document over.
#include "host/IDocumentCheck.h"
#include <string>
#include <vector>

class DataBase;

bool CheckPluginData(DataBase& db, std::string* error);
// Every plug-in's findings for an open document, in provider order.
std::vector<DocumentDamage> FindPluginDamage(DataBase& db);
