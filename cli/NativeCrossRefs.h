#pragma once
// The program's native cross-references: the Basic formats, text anchors
// and native cross-references a description asks for, and listing them.
#include "cli/DocumentDescription.h"
#include <ostream>

// Makes the description's "basicFormats" (a list of {"name", "blocks"}).
bool SetBasicFormats(DataBase* doc, const nlohmann::json& description, std::string* error);
// Anchors each "textAnchor" placeholder ({"name"}) at the character where
// it stands, then makes each "nativeCrossReference" ({"destination",
// "format", and "text" for a text of its own instead of the composed one}).
bool PlaceNativeCrossRefs(DataBase* doc, std::vector<Placeholder>* placeholders, std::string* error);

struct NativeCrossRefEntry {
  UID story = kInvalidUID;
  TextIndex start = 0;
  int32 length = 0;
  std::string text;         // what stands over its range now
  std::string composed;     // what its format gives at its destination now
  std::string format;       // empty when its format is gone
  std::string destination;  // empty when its destination is gone
};
// The document's native cross-references, in the order of its hyperlinks.
std::vector<NativeCrossRefEntry> ListNativeCrossRefs(IDataBase* doc);
// The document's Basic formats as a description's "basicFormats".
nlohmann::ordered_json ExportBasicFormats(IDataBase* doc);
// A style's path as descriptions write it, groups and name separated by ':'.
std::string DescribedStylePath(IDataBase* doc, UID style);
// Its Basic formats with their blocks, then its native cross-references.
void DescribeNativeCrossRefs(IDataBase* doc, std::ostream& out);
