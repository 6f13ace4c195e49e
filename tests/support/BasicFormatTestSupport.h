#pragma once
// Helpers for tests of the conversion to Basic formats: running the command
// and reading back a document's Basic formats in a compact form.
#include "headless/database/DataBase.h"
#include <string>
#include <vector>

ErrorCode ConvertFormat(IDataBase* doc, const std::string& name, const std::string& markup);
// Each Basic format as "Name: block | block ...", in list order. A block is
// its type ("text 'See '", "page", "paratext", ...) and, when it has one,
// "/" and the UID of its character style.
std::vector<std::string> BasicFormats(IDataBase* doc);
std::string ConversionLog(IDataBase* doc);
// The translated text of warning NN.
std::string Warning(int number);
