#pragma once
// A document for the program to work on: a document file, opened, or a JSON
// description (".json"), built in memory with its source markers placed.
#include "headless/Application.h"
#include <string>

DataBase* OpenOrBuildDocument(Application& app, const std::string& path, std::string* error);
// Builds a new document from a description file, source markers placed.
DataBase* BuildDescribedDocument(Application& app, const std::string& descriptionPath, std::string* error);
