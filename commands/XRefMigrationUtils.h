#pragma once
// What the two migration commands share: the document they work on, its
// formats, the mark-up a Basic format becomes, and the sub-commands they run.
#include "host/IDTypes.h"
#include "host/PMString.h"
#include "host/UIDRef.h"
#include "host/XRefBuildingBlock.h"
#include <cstddef>
#include <vector>

class ICommand;
class IXRefFormats;

namespace XRefMigrationUtils {
// The document of the command's first item; null when there is none.
IDataBase* DocumentOf(const ICommand* cmd);
// The format list of the document's workspace, with a reference the caller
// releases; null when there is none.
IXRefFormats* QueryProFormats(IDataBase* doc);
// The mark-up of a Basic format's building blocks. Character styles are
// written by their full path, ":" between groups and name. *dropped (when
// given) is set when custom text held what no mark-up can say (a lone
// surrogate), which was left out.
PMString ProMarkupOf(IDataBase* doc, const std::vector<XRefBuildingBlock>& blocks, bool* dropped = nullptr);
// True when the format language accepts the mark-up.
bool IsValidFormat(const PMString& markup);
// The log outlives a migration: the mark tells where this one's entries
// start, and only those are presented (scheduled for the host to show).
size_t LogMark(IDataBase* doc);
void PresentLog(IDataBase* doc, size_t mark);
// The first of "Custom Format 1", "Custom Format 2", ... that no Basic
// format of the document is named.
PMString UnusedCustomFormatName(IDataBase* doc);
// The sub-commands, each processed in the step of the command around it.
bool AddProFormat(IDataBase* doc, const PMString& name, const PMString& markup);
bool ConvertToBasicFormat(IDataBase* doc, const PMString& name, const PMString& markup);
bool InsertSourceMarker(const UIDRef& story, TextIndex at, const PMString& name);
bool InsertCrossRef(const UIDRef& story, TextIndex start, int32 length, const PMString& markerName,
                    const PMString& formatName, const PMString& markup);
// Warning NN's translated message, with ^1 replaced when given.
PMString Warning(int32 number, const PMString& parameter = PMString());
}  // namespace XRefMigrationUtils
