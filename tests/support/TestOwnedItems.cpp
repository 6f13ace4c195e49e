#include "tests/support/TestOwnedItems.h"
#include "headless/objects/Host.h"
#include "host/CmdUtils.h"
#include "host/Command.h"
#include "host/COwnedItem.h"
#include "host/InterfacePtr.h"
#include "host/IOwnedItemStrand.h"
#include "host/ITextModel.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIDs.h"

namespace {
constexpr ImplementationID kTestMarkerImpl{0x7320};
constexpr ImplementationID kTestPlainMarkerImpl{0x7321};
constexpr ImplementationID kTestMementoImpl{0x7322};
constexpr ImplementationID kTestDeleteMarkerCmdImpl{0x7323};

ICommand* NewCommand(ClassID cls, const UIDRef& item) {
  ICommand* cmd = CmdUtils::CreateCommand(cls);
  if (cmd) cmd->SetItemList(UIDList(item));
  return cmd;
}

class TestMarkerMemento : public CPMUnknown<IOwnedItemMemento> {
public:
  using CPMUnknown::CPMUnknown;
  void Set(const UIDRef& marker) { marker_ = marker; }
  UID GetOwnedItemUID() const override { return marker_.GetUID(); }
  ErrorCode AppendCutCommands(ITextModel*, TextIndex, int32, CommandList* cmds) override {
    InterfacePtr<ICommand> cmd(NewCommand(kDeleteOwnedItemCmdBoss, marker_));
    cmds->Append(cmd.get());
    return cmd ? kSuccess : kFailure;
  }
  ErrorCode PrepareMove() override { return kSuccess; }
  ErrorCode PrepareCopy() override {
    copyRequested_ = true;
    return kSuccess;
  }
  ErrorCode AppendMoveCommands(ITextModel* story, TextIndex start, int32 length, CommandList* cmds) override {
    return AppendCutCommands(story, start, length, cmds);
  }
  ErrorCode Paste(const UIDRef& source, const UIDRef& target, UIDRef* pasted) override {
    ++MarkerLog().pastes;
    if (!copyRequested_)
      return source.GetDataBase() == target.GetDataBase() && !MarkerLog().refuseMoves ? kSuccess : kFailure;
    copyRequested_ = false;
    InterfacePtr<IStringData> from(marker_, IID_ISTRINGDATA);
    if (!from) return kFailure;
    InterfacePtr<ICommand> make(CmdUtils::CreateCommand(kNewObjectCmdBoss));
    make->SetItemList(UIDList(target.GetDataBase()));
    InterfacePtr<IClassIDData> cls(make, IID_ICLASSIDDATA);
    cls->Set(marker_.GetDataBase()->GetClass(marker_.GetUID()));
    if (CmdUtils::ProcessCommand(make.get()) != kSuccess || make->GetItemList()->Length() != 1) return kFailure;
    UIDRef copy = make->GetItemList()->GetRef(0);
    InterfacePtr<IStringData> to(copy, IID_ISTRINGDATA);
    to->Set(from->Get());
    InterfacePtr<IUIDData> slot(target, IID_ITESTPENDINGSLOT);
    if (slot) slot->Set(copy);
    *pasted = copy;
    return kSuccess;
  }
  ErrorCode PasteFinished() override {
    ++MarkerLog().pastesFinished;
    return kSuccess;
  }
  bool16 CanPasteIntoOtherDocument() const override { return true; }

private:
  UIDRef marker_;
  bool copyRequested_ = false;
};

class TestMarker : public COwnedItem {
public:
  using COwnedItem::COwnedItem;
  ICommand* QueryDeleteCommand() override { return NewCommand(kTestDeleteMarkerCmdBoss, ::GetUIDRef(this)); }
  bool16 IsCopyable() override { return true; }
  IOwnedItemMemento* CreateMemento() override {
    ++MarkerLog().mementos;
    auto* memento = static_cast<TestMarkerMemento*>(CreateObject(kTestMarkerMementoBoss, IID_IOWNEDITEMMEMENTO));
    if (memento) memento->Set(::GetUIDRef(this));
    return memento;
  }
  bool16 HearsLayout() override { return true; }
  void Moved() override { ++MarkerLog().moved; }
};

// A marker that stays behind when its text is copied.
class TestPlainMarker : public TestMarker {
public:
  using TestMarker::TestMarker;
  bool16 IsCopyable() override { return false; }
};

class TestDeleteMarkerCmd : public Command {
public:
  using Command::Command;

protected:
  void Do() override {
    ++MarkerLog().deletions[GetItemList()->At(0)];
    InterfacePtr<ICommand> remove(NewCommand(kDeleteOwnedItemCmdBoss, GetItemList()->GetRef(0)));
    CmdUtils::ProcessCommand(remove.get());
  }
};
}  // namespace

TestMarkerLog& MarkerLog() {
  static TestMarkerLog log;
  return log;
}

void RegisterTestOwnedItems() {
  auto& impls = Host::Get().Impls();
  auto& classes = Host::Get().Classes();
  impls.InstallHostPersistent<TestMarker>(kTestMarkerImpl);
  impls.InstallHostPersistent<TestPlainMarker>(kTestPlainMarkerImpl);
  impls.InstallHost<TestMarkerMemento>(kTestMementoImpl);
  impls.InstallHost<TestDeleteMarkerCmd>(kTestDeleteMarkerCmdImpl);
  classes.Define(
      {kTestMarkerBoss, kInvalidClass, {{IID_IOWNEDITEM, kTestMarkerImpl}, {IID_ISTRINGDATA, kStringDataImpl}}});
  classes.Define({kTestPlainMarkerBoss,
                  kInvalidClass,
                  {{IID_IOWNEDITEM, kTestPlainMarkerImpl}, {IID_ISTRINGDATA, kStringDataImpl}}});
  classes.Define({kTestMarkerMementoBoss, kInvalidClass, {{IID_IOWNEDITEMMEMENTO, kTestMementoImpl}}});
  classes.Define({kTestDeleteMarkerCmdBoss, kInvalidClass, {{IID_ICOMMAND, kTestDeleteMarkerCmdImpl}}});
  classes.Define({kTestUIDAttrBoss, kInvalidClass, {{IID_ITEXTATTRUID, kTextAttrUIDImpl}}});
  classes.AddIn(kTextStoryBoss, {{IID_ITESTPENDINGSLOT, kUIDDataImpl}});
}

UID NewTestMarker(IDataBase* db, ClassID cls, const char* name) {
  UID uid = db->NewUID(cls);
  InterfacePtr<IStringData> text(db, uid, IID_ISTRINGDATA);
  if (text) text->Set(PMString(name));
  return uid;
}

std::string MarkerName(IDataBase* db, UID marker) {
  InterfacePtr<IStringData> text(db, marker, IID_ISTRINGDATA);
  return text ? text->Get().GetUTF8String() : std::string();
}
