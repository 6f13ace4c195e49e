#pragma once
// --format NAME (a format of the document's list) or --markup M (the
// cross-reference's own), as the insert and modify commands take them.
#include "headless/database/DataBase.h"
#include <string>

struct FormatChoice {
  std::string name;    // --format
  std::string markup;  // --markup
};
// The format name and mark-up the choice gives; false with a message for a
// name the document does not hold.
bool ResolveFormat(IDataBase* doc, const FormatChoice& choice, std::string* name, std::string* markup,
                   std::string* error);
