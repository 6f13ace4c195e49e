#pragma once
// A document back into its JSON description (docs/document-format.md): the
// inverse of the description reader, kept in step with it. Building the
// description gives a document that `xref describe` shows as this one.
#include "host/AttributeBossList.h"
#include "host/IDataBase.h"
#include <nlohmann/json.hpp>
#include <string>

// Fields come in the order the description format lists them.
// `folder` is where the description goes: the documents of external
// cross-references are named relative to it (empty: by their full paths).
nlohmann::ordered_json ExportDocument(IDataBase* doc, const std::string& folder);

// The parts, each in the description's own words.
// The stories other than footnotes', with their frames and text.
nlohmann::ordered_json ExportStories(IDataBase* doc, const std::string& folder);
// An attribute list as an "attributes" object; what a description cannot
// say is left out.
nlohmann::ordered_json ExportAttributes(IDataBase* doc, const AttributeBossList& attributes);
