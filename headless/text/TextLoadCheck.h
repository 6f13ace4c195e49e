#pragma once
// What the text model relies on in a loaded document: every story has its
// five strands, each of the right class and no other story's, the text ends
// with a paragraph return, every strand spans the text exactly, and owned
// items are objects of the class their strand records, each anchored once and
// in the story it names.
#include <string>

class DataBase;

bool CheckLoadedText(DataBase& db, std::string* error);
