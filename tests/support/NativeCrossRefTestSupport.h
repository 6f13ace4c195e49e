#pragma once
// Helpers for tests of the host's native cross-references: making Basic
// formats, anchors and native cross-references, and reading their text back.
#include "host/INativeCrossRefs.h"
#include "host/InterfacePtr.h"
#include "host/XRefBuildingBlock.h"
#include <string>
#include <vector>

XRefBuildingBlock Block(int32 type, const std::string& text = "", UID style = kInvalidUID);
UID MakeBasicFormat(IDataBase* doc, const std::string& name, const std::vector<XRefBuildingBlock>& blocks);
UID MakeAnchor(IDataBase* doc, UID story, TextIndex at, const std::string& name);
// A native cross-reference over [start, start + length): its hyperlink.
UID MakeNativeCrossRef(IDataBase* doc, UID story, TextIndex start, int32 length, UID format, UID destination);
InterfacePtr<INativeCrossRefUtils> NativeUtils();
// The hyperlinks of the document that are native cross-references, in list order.
std::vector<UID> NativeCrossRefs(IDataBase* doc);
// The text over each native cross-reference's range, in list order.
std::vector<std::string> NativeTexts(IDataBase* doc);
// Recomposes all of the document's native cross-references in one command.
ErrorCode UpdateNativeCrossRefs(IDataBase* doc);
