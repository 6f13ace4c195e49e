// The plug-in's preferences object ("xrpo", reached as "xrpf" on the
// application and on documents) with the live-update switch ("xrlu") of
// the workspace it stands for, set through the live-update command.
#include "commands/XRefCommandID.h"
#include "commands/XRefCommandUtils.h"
#include "host/InterfacePtr.h"
#include "host/RepresentScriptProvider.h"
#include "host/StandardDataInterfaces.h"
#include "integration/ImplementationRecord.h"
#include "integration/XRefScriptID.h"
#include "integration/XRefScriptUtils.h"
#include "model/XRefModelID.h"

namespace {
class XRefPrefsScriptProvider : public PrefsScriptProvider {
public:
  explicit XRefPrefsScriptProvider(IPMUnknown* boss)
      : PrefsScriptProvider(boss, kXRefPrefsScriptClass, kXRefPrefsProperty) {}

  ErrorCode AccessProperty(const ScriptObject& object, ScriptID property, bool16 set, ScriptData* data) override {
    if (object->GetObjectType() != kXRefPrefsScriptClass || property != kXRefLiveUpdatesProperty)
      return PrefsScriptProvider::AccessProperty(object, property, set, data);
    InterfacePtr<IBoolData> live(object->GetUIDRef(), IID_IXREFLIVEUPDATES);
    if (!live) return kScriptObjectGoneError;
    if (!set) {
      data->SetBool(live->Get());
      return kSuccess;
    }
    bool16 on = false;
    if (!data->GetBool(&on)) return kScriptBadValueError;
    InterfacePtr<ICommand> cmd(XRefCommandUtils::CreateCommand(kXRefEnableLiveUpdatesCmdBoss, UIDList(object->GetUIDRef())));
    InterfacePtr<IBoolData> enable(cmd.get(), IID_IBOOLDATA);
    if (!enable) return XRefScriptUtils::Process(nullptr);
    enable->Set(on);
    return XRefScriptUtils::Process(cmd.get());
  }
};
}  // namespace

CREATE_PMINTERFACE(XRefPrefsScriptProvider, kXRefPrefsScriptProviderImpl);
