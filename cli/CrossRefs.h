#pragma once
// The program's cross-references: the document's formats, placing the
// cross-references a description asks for, and listing a document's.
#include "cli/DocumentDescription.h"
#include <ostream>

// Gives the document's workspace the description's "formats" (a list of
// {"name", "markup"}) in place of the application's formats a new document
// receives; without the list the document keeps those (the defaults).
bool SetDocumentFormats(DataBase* doc, const nlohmann::json& description, std::string* error);
// Inserts the cross-reference of each "crossReference" placeholder (fields:
// "source", and "format" naming one of the document's formats or "markup"
// giving its own; "document" for a source in another document, relative to
// `folder` unless absolute) with XRefInsertCrossRefCmd, in text order.
// Invalid mark-up stops it; a source marker that is not found does not, but
// adds a line naming the placeholder to `warnings`.
bool PlaceCrossRefs(DataBase* doc, std::vector<Placeholder>* placeholders, const std::string& folder,
                    std::string* error, std::vector<std::string>* warnings = nullptr);
// One entry per cross-reference of the document's list: place, format,
// source, current text, and both states with their messages.
void DescribeCrossRefs(IDataBase* doc, std::ostream& out);
