#pragma once
// Documents and preferences on disk. A file holds a header (format version,
// kind, and the data version of each plug-in with data in it), one record per
// object (UID, class) and one per persistent implementation of each object
// (UID, class, implementation, bytes), framed and checksummed.
//
// Loading builds a complete database or nothing. Saving writes a temporary
// file beside the target and renames it over the target, so a failed save
// leaves the previous file as it was.
#include "headless/database/DataBase.h"
#include <memory>
#include <string>

namespace DocumentFile {
enum Kind : uint32_t { kDocument = 0, kPreferences = 1 };

// The file's bytes; the same database always gives the same bytes.
std::string Serialize(DataBase& db, Kind kind);
// Null with a message when the bytes are not a sound file of the kind.
std::unique_ptr<DataBase> Deserialize(const std::string& bytes, Kind kind, const std::string& name,
                                      std::string* error);

bool Save(DataBase& db, Kind kind, const std::string& path, std::string* error);
std::unique_ptr<DataBase> Load(const std::string& path, Kind kind, std::string* error);
// Whether the file begins like a file of the kind: the signature, then a
// header record of that kind. Reads only the first bytes; Load checks the rest.
bool BeginsAs(const std::string& path, Kind kind);
}  // namespace DocumentFile
