#pragma once
// The load check that asks the plug-ins' document checks (IDocumentCheck).
#include <string>

class DataBase;

bool CheckPluginData(DataBase& db, std::string* error);
