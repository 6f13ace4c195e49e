#include "tests/support/TestObjects.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/IK2ServiceRegistry.h"
#include "host/IPMStream.h"
#include "host/IResponder.h"
#include "host/IScriptUtils.h"
#include "host/UtilsBoss.h"
#include "host/InterfacePtr.h"
#include "host/CServiceProvider.h"
#include "host/StandardDataInterfaces.h"

namespace {
constexpr ImplementationID kTestValueImpl{0x7201};
constexpr ImplementationID kTestNewCmdImpl{0x7202};
constexpr ImplementationID kTestSetCmdImpl{0x7203};
constexpr ImplementationID kTestDeleteCmdImpl{0x7204};
constexpr ImplementationID kTestResponderImpl{0x7205};
constexpr ImplementationID kTestProviderImpl{0x7206};

class TestValue : public CPMUnknown<ITestValue> {
public:
  using CPMUnknown::CPMUnknown;
  void SetValue(int32 v) override { if (v != value_) { PreDirty(); value_ = v; } }
  int32 GetValue() const override { return value_; }
  void SetText(const PMString& t) override { if (t != text_) { PreDirty(); text_ = t; } }
  const PMString& GetText() const override { return text_; }
  void SetParent(UID p) override { if (p != parent_) { PreDirty(); parent_ = p; } }
  UID GetParent() const override { return parent_; }
  void AddChild(UID c) override { PreDirty(); children_.Append(c); }
  void RemoveChild(UID c) override {
    int32 at = children_.Location(c);
    if (at < 0) return;
    PreDirty();
    children_.Remove(at);
  }
  const UIDList& GetChildren() const override { return children_; }
  void ReadWrite(IPMStream* s, ImplementationID) {
    s->XferInt32(value_);
    text_.ReadWrite(s);
    s->XferReference(parent_);
    children_.ReadWriteXferObject(s);
  }

private:
  int32 value_ = 0;
  PMString text_;
  UID parent_ = kInvalidUID;
  UIDList children_;
};

// Creates a child of the object named by the UID parameter.
class TestNewCmd : public Command {
public:
  using Command::Command;
protected:
  void Do() override {
    InterfacePtr<IUIDData> parentData(this, IID_IUIDDATA);
    InterfacePtr<IIntData> value(this, IID_IINTDATA);
    UIDRef parentRef = parentData->GetRef();
    InterfacePtr<ITestValue> parent(parentRef);
    if (!parent) {
      ErrorUtils::PMSetGlobalErrorCode(kInvalidParameterError);
      return;
    }
    IDataBase* db = parentRef.GetDataBase();
    UID uid = db->NewUID(kTestObjectBoss);
    InterfacePtr<ITestValue> child(db, uid);
    child->SetValue(value->Get());
    child->SetParent(parentRef.GetUID());
    parent->AddChild(uid);
    SetItemList(UIDList(db, uid));
  }
  PMString* CreateName() override { return new PMString("New"); }
};

class TestSetCmd : public Command {
public:
  using Command::Command;
protected:
  void Do() override {
    InterfacePtr<IIntData> value(this, IID_IINTDATA);
    InterfacePtr<IStringData> text(this, IID_ISTRINGDATA);
    const UIDList& items = *GetItemList();
    for (int32 i = 0; i < items.Length(); ++i) {
      InterfacePtr<ITestValue> obj(items.GetRef(i));
      if (!obj) continue;
      obj->SetValue(value->Get());
      obj->SetText(text->Get());
    }
  }
};

void DeleteTree(IDataBase* db, UID uid) {
  InterfacePtr<ITestValue> obj(db, uid);
  if (!obj) return;
  UIDList children = obj->GetChildren();
  obj.reset();
  for (int32 i = 0; i < children.Length(); ++i) DeleteTree(db, children.At(i));
  db->DeleteUID(uid);
}

class TestDeleteCmd : public Command {
public:
  using Command::Command;
protected:
  void Do() override {
    const UIDList& items = *GetItemList();
    if (items.Length() != 1) return;
    InterfacePtr<ITestValue> obj(items.GetRef(0));
    if (!obj) return;
    InterfacePtr<ITestValue> parent(items.GetDataBase(), obj->GetParent());
    if (parent) parent->RemoveChild(items.At(0));
    obj.reset();
    DeleteTree(items.GetDataBase(), items.At(0));
  }
};

class TestResponder : public CResponder {
public:
  using CResponder::CResponder;
  void Respond(ISignalMgr* signal) override {
    InterfacePtr<IDocumentSignalData> data(signal, IID_IDOCUMENTSIGNALDATA);
    // Only documents that exist at the time are named; after a close none is.
    uint32 id = IdValue(signal->GetServiceID());
    HeardSignals().push_back(data && data->GetDocument().ExistsInDB() ? id : id + 100000);
    InterfacePtr<IScriptUtils> scripting(UtilsBoss::QueryUtils<IScriptUtils>());
    BlockedAtSignals().push_back(scripting && scripting->AreUpdatesBlocked());
  }
};

class TestResponderProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  bool16 HasMultipleIDs() const override { return true; }
  void GetServiceIDs(std::vector<ServiceID>& ids) override {
    ids = {ServiceID{3595}, ServiceID{3596}, ServiceID{3599}, ServiceID{3600},
           ServiceID{3602}, ServiceID{3604}, ServiceID{3609}, ServiceID{3610}};
  }
};
}  // namespace

std::vector<bool>& BlockedAtSignals() {
  static std::vector<bool> blocked;
  return blocked;
}

std::vector<uint32>& HeardSignals() {
  static std::vector<uint32> heard;
  return heard;
}

void RegisterTestClasses() {
  static bool done = false;
  if (done) return;
  done = true;
  Host& host = Host::Get();
  host.Impls().InstallHostPersistent<TestValue>(kTestValueImpl);
  host.Impls().InstallHost<TestNewCmd>(kTestNewCmdImpl);
  host.Impls().InstallHost<TestSetCmd>(kTestSetCmdImpl);
  host.Impls().InstallHost<TestDeleteCmd>(kTestDeleteCmdImpl);
  host.Impls().InstallHost<TestResponder>(kTestResponderImpl);
  host.Impls().InstallHost<TestResponderProvider>(kTestProviderImpl);
  host.Classes().Define({kTestObjectBoss, kInvalidClass, {{IID_ITESTVALUE, kTestValueImpl}}});
  host.Classes().Define({kTestNewCmdBoss, kInvalidClass,
                         {{IID_ICOMMAND, kTestNewCmdImpl}, {IID_IUIDDATA, kUIDDataImpl}, {IID_IINTDATA, kIntDataImpl}}});
  host.Classes().Define({kTestSetCmdBoss, kInvalidClass,
                         {{IID_ICOMMAND, kTestSetCmdImpl}, {IID_IINTDATA, kIntDataImpl},
                          {IID_ISTRINGDATA, kStringDataImpl}}});
  host.Classes().Define({kTestDeleteCmdBoss, kInvalidClass, {{IID_ICOMMAND, kTestDeleteCmdImpl}}});
  host.Classes().Define({kTestResponderBoss, kInvalidClass,
                         {{IID_IK2SERVICEPROVIDER, kTestProviderImpl}, {IID_IRESPONDER, kTestResponderImpl}}});
  // The workspace carries a test value too, to show preferences persist.
  host.Classes().AddIn(kWorkspaceBoss, {{IID_ITESTVALUE, kTestValueImpl}});
  ServiceRegistry::Rescan();
}
