#pragma once
// A document for the program to work on: a document file, opened, or a JSON
// description (".json"), built in memory with its source markers placed.
#include "cli/DocumentDescription.h"
#include "headless/application/Application.h"
#include <string>
#include <vector>

DataBase* OpenOrBuildDocument(Application& app, const std::string& path, std::string* error);
// Builds a new document from a description file, with its formats, source
// markers and cross-references placed;
// `unplaced` receives the placeholders no step placed yet, `warnings` what
// was built but is wrong (a cross-reference whose source marker is not
// found). Messages name the description and the place in it.
DataBase* BuildDescribedDocument(Application& app, const std::string& descriptionPath, std::string* error,
                                 std::vector<Placeholder>* unplaced = nullptr,
                                 std::vector<std::string>* warnings = nullptr);
