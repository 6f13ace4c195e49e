#include "integration/XRefCrossRefCreation.h"
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/IDFile.h"
#include "host/InterfacePtr.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIDs.h"
#include "integration/XRefScriptUtils.h"
#include "integration/XRefScripts.h"
#include "model/IXRefFormatData.h"
#include "model/IXRefFormats.h"
#include "model/XRefCrossRefInterior.h"
#include "model/XRefModelID.h"

namespace {
using namespace XRefScriptUtils;

struct Parameters {
  UIDRef story;
  TextIndex at = 0;
  int32 length = 0;
  PMString formatName, format, markerName;
  IDFile file;
};

// The location: "hsTx" when given, else the text the collection is of.
bool FindLocation(const ScriptRequest& request, Parameters* p) {
  const auto text = CreationText(request);
  if (!text) return false;
  p->story = text->GetUIDRef();
  p->at = text->GetStart();
  p->length = text->GetLength();
  return true;
}

// A format named without mark-up is the document's format of that name.
ErrorCode FindFormat(const ScriptRequest& request, Parameters* p) {
  const bool named = ArgString(request.args, kXRefFormatNameProperty, &p->formatName);
  if (ArgString(request.args, kXRefFormatStringProperty, &p->format)) return kSuccess;
  if (!named) return kXRefFormatNotFoundError;
  InterfacePtr<IDocument> doc(request.target->GetDataBase(), kRootUID);
  InterfacePtr<IXRefFormats> formats(doc ? doc->GetDocWorkspace() : UIDRef());
  const int32 index = formats ? formats->FindFormat(p->formatName) : -1;
  if (index < 0) return kXRefFormatNotFoundError;
  p->formatName = formats->GetFormatName(index);
  p->format = formats->GetFormatString(index);
  return kSuccess;
}

ErrorCode Run(ICommand* cmd) { return Process(cmd); }

bool SetRef(ICommand* cmd, PMIID iid, const UIDRef& ref) {
  InterfacePtr<IUIDData> data(cmd, iid);
  if (data) data->Set(ref);
  return data != nullptr;
}

ErrorCode InsertMarker(const UIDRef& story, TextIndex at, ClassID cls, UIDRef* marker) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefInsertCrossRefTextMarkerCmdBoss, UIDList(story)));
  InterfacePtr<IIntData> index(cmd.get(), IID_IINTDATA);
  InterfacePtr<IClassIDData> kind(cmd.get(), IID_ICLASSIDDATA);
  if (!index || !kind) return Run(nullptr);
  index->Set(at);
  kind->Set(cls);
  const ErrorCode code = Run(cmd.get());
  if (code != kSuccess) return code;
  if (cmd->GetItemList()->Length() != 1) return Run(nullptr);
  *marker = cmd->GetItemList()->GetRef(0);
  return kSuccess;
}

ErrorCode NewCrossRef(IDataBase* db, UIDRef* crossRef) {
  InterfacePtr<ICommand> make(XRefCommandUtils::CreateCommand(kNewObjectCmdBoss, UIDList(db)));
  InterfacePtr<IClassIDData> cls(make.get(), IID_ICLASSIDDATA);
  if (!cls) return Run(nullptr);
  cls->Set(kXRefCrossRefBoss);
  const ErrorCode code = Run(make.get());
  if (code != kSuccess) return code;
  if (make->GetItemList()->Length() != 1) return Run(nullptr);
  *crossRef = make->GetItemList()->GetRef(0);
  return kSuccess;
}

ErrorCode SetupMarker(const UIDRef& marker, const UIDRef& crossRef, const UIDRef& partner) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetupCrossRefTextMarkerCmdBoss, UIDList(marker)));
  if (!SetRef(cmd.get(), IID_IXREFCROSSREFDATA, crossRef) || !SetRef(cmd.get(), IID_IXREFPARTNERMARKERDATA, partner))
    return Run(nullptr);
  return Run(cmd.get());
}

ErrorCode SetupCrossRef(const UIDRef& crossRef, const Parameters& p, const UIDRef& start, const UIDRef& end) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetupCrossRefCmdBoss, UIDList(crossRef)));
  InterfacePtr<IFileData> file(cmd.get(), IID_IFILEDATA);
  InterfacePtr<IStringData> name(cmd.get(), IID_ISTRINGDATA);
  InterfacePtr<IXRefFormatData> format(cmd.get(), IID_IXREFFORMATDATA);
  if (!file || !name || !format || !SetRef(cmd.get(), IID_IXREFSTARTMARKERDATA, start) ||
      !SetRef(cmd.get(), IID_IXREFENDMARKERDATA, end))
    return Run(nullptr);
  file->Set(p.file);
  name->Set(p.markerName);
  format->SetFormatData(p.formatName, p.format);
  return Run(cmd.get());
}

ErrorCode Anchor(const UIDRef& story, const UIDRef& marker, TextIndex at, ClassID cls) {
  InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefSetOwnedItemCmdBoss, UIDList(story)));
  InterfacePtr<IUIDData> object(cmd.get(), IID_IUIDDATA);
  InterfacePtr<IIntData> index(cmd.get(), IID_IINTDATA);
  InterfacePtr<IClassIDData> kind(cmd.get(), IID_ICLASSIDDATA);
  if (!object || !index || !kind) return Run(nullptr);
  object->Set(marker);
  index->Set(at);
  kind->Set(cls);
  return Run(cmd.get());
}

// Each step stops the creation when it fails.
ErrorCode Steps(const Parameters& p, UIDRef* crossRef) {
  ErrorCode code = kSuccess;
  if (p.length > 0 && (code = DeleteText(p.story, p.at, p.length)) != kSuccess) return code;
  UIDRef start, end;
  if ((code = InsertMarker(p.story, p.at, kXRefCrossRefStartMarkerBoss, &start)) != kSuccess) return code;
  if ((code = InsertMarker(p.story, p.at + 1, kXRefCrossRefEndMarkerBoss, &end)) != kSuccess) return code;
  if ((code = NewCrossRef(p.story.GetDataBase(), crossRef)) != kSuccess) return code;
  if ((code = SetupMarker(start, *crossRef, end)) != kSuccess) return code;
  if ((code = SetupMarker(end, *crossRef, start)) != kSuccess) return code;
  if ((code = SetupCrossRef(*crossRef, p, start, end)) != kSuccess) return code;
  if ((code = Anchor(p.story, start, p.at, kXRefCrossRefStartMarkerBoss)) != kSuccess) return code;
  if ((code = Anchor(p.story, end, p.at + 1, kXRefCrossRefEndMarkerBoss)) != kSuccess) return code;
  InterfacePtr<ICommand> add(XRefCommandUtils::CreateCommand(kXRefAddCrossRefCmdBoss, UIDList(*crossRef)));
  return Run(add.get());
}
}  // namespace

ErrorCode XRefCrossRefCreation::Create(const ScriptRequest& request, ScriptData* result) {
  Parameters p;
  if (!FindLocation(request, &p)) return kScriptBadValueError;
  const ErrorCode format = FindFormat(request, &p);
  if (format != kSuccess) {
    ErrorUtils::PMSetGlobalErrorCode(format);
    return format;
  }
  if (!ArgString(request.args, kXRefSourceMarkerNameProperty, &p.markerName) || p.markerName.IsEmpty())
    return kScriptBadValueError;
  PMString file;
  if (ArgString(request.args, kXRefSourceFileProperty, &file)) p.file = IDFile(file.GetUTF8String());
  // Its text would be replaced by the next update of the one around it.
  if (XRefCrossRefInterior::IsInside(p.story, p.at)) {
    ErrorUtils::PMSetGlobalErrorCode(kXRefInsideCrossRefError);
    return kXRefInsideCrossRefError;
  }
  CmdUtils::SequenceContext sequence{PMString("QX#0xF2C#kXRefInsertCrossRefCmdKey")};
  UIDRef crossRef;
  const ErrorCode code = Steps(p, &crossRef);
  if (code != kSuccess) return code;
  result->SetObject(std::make_shared<XRefCrossRefScript>(crossRef, request.target));
  return kSuccess;
}
