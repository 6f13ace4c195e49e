#pragma once
// Document signals and what a save would write, for callers that decide
// whether to save at all.
#include "headless/database/DataBase.h"
#include "host/UIDRef.h"
#include <string>

// Sends a document signal to its responders, as the application does.
void SendDocumentSignal(ServiceID signal, const UIDRef& doc);
// The bytes a save of an open document of the current application writes,
// its responders told as for a save of a copy; empty when it is not open.
std::string BytesToSave(DataBase* doc);
