#include "tests/support/SourceMarkerTestSupport.h"
#include "commands/XRefCommandID.h"
#include "engine/IXRefScheduler.h"
#include "headless/objects/Host.h"
#include "host/CPMUnknown.h"
#include "host/CmdUtils.h"
#include "host/CreateObject.h"
#include "host/StandardDataInterfaces.h"
#include "host/TextIDs.h"
#include "host/UtilsBoss.h"

namespace {
constexpr ClassID kTestObserverBoss{0x7A01};
constexpr ImplementationID kTestObserverImpl{0x7A20};
constexpr ImplementationID kTestSchedulerImpl{0x7A22};

class RecordingScheduler : public CPMUnknown<IXRefScheduler> {
public:
  using CPMUnknown::CPMUnknown;
  void MarkChanged(UID uid) override { SchedulerReports().push_back({::GetDataBase(this), uid, false}); }
  void MarkAllCrossRefs(bool16 externalOnly) override {
    SchedulerReports().push_back({::GetDataBase(this), kInvalidUID, externalOnly});
  }
  void RunUpdates() override {}
};

class TestObserver : public CPMUnknown<IObserver> {
public:
  using CPMUnknown::CPMUnknown;
  void Update(ClassID change, ISubject*, PMIID protocol, void* changedBy) override {
    heard.push_back({change, protocol, changedBy});
  }
  std::vector<HeardChange> heard;
};

void RegisterObserverClass() {
  static bool done = false;
  if (done) return;
  done = true;
  Host::Get().Impls().InstallHost<TestObserver>(kTestObserverImpl);
  Host::Get().Classes().Define({kTestObserverBoss, kInvalidClass, {{IID_IOBSERVER, kTestObserverImpl}}});
}

ICommand* NewCommand(ClassID cls, const UIDList& items) {
  ICommand* cmd = CmdUtils::CreateCommand(cls);
  if (cmd) cmd->SetItemList(items);
  return cmd;
}
}  // namespace

UID InsertMarker(IDataBase* db, UID story, TextIndex at, const std::string& name) {
  InterfacePtr<ICommand> cmd(NewCommand(kXRefInsertSourceMarkerCmdBoss, UIDList(db, story)));
  InterfacePtr<IRangeData>(cmd.get(), IID_IRANGEDATA)->Set(at, 0);
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(name.c_str()));
  if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess || cmd->GetItemList()->Length() != 1) return kInvalidUID;
  return cmd->GetItemList()->At(0);
}

ErrorCode RenameMarker(IDataBase* db, UID marker, const std::string& name, bool updateReferences) {
  InterfacePtr<ICommand> cmd(NewCommand(kXRefModifySourceMarkerCmdBoss, UIDList(db, marker)));
  InterfacePtr<IStringData>(cmd.get(), IID_ISTRINGDATA)->Set(PMString(name.c_str()));
  InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(updateReferences);
  return CmdUtils::ProcessCommand(cmd.get());
}

ErrorCode DeleteMarker(IDataBase* db, UID marker) {
  InterfacePtr<ICommand> cmd(NewCommand(kXRefDeleteSourceMarkerCmdBoss, UIDList(db, marker)));
  return CmdUtils::ProcessCommand(cmd.get());
}

UID CopyMarker(const UIDRef& marker, IDataBase* target) {
  InterfacePtr<ICommand> cmd(NewCommand(kXRefCopySourceMarkerCmdBoss, UIDList(target, kRootUID)));
  InterfacePtr<IUIDData>(cmd.get(), IID_IUIDDATA)->Set(marker);
  if (CmdUtils::ProcessCommand(cmd.get()) != kSuccess || cmd->GetItemList()->Length() != 1) return kInvalidUID;
  return cmd->GetItemList()->At(0);
}

UID AnchorMarker(IDataBase* db, UID story, TextIndex at, const std::string& name) {
  InterfacePtr<ICommand> make(NewCommand(kNewObjectCmdBoss, UIDList(db)));
  InterfacePtr<IClassIDData>(make.get(), IID_ICLASSIDDATA)->Set(kXRefSourceMarkerBoss);
  if (CmdUtils::ProcessCommand(make.get()) != kSuccess) return kInvalidUID;
  UID marker = make->GetItemList()->At(0);
  Marker(db, marker)->SetMarkerName(PMString(name.c_str()));
  InterfacePtr<ICommand> attach(NewCommand(kAttachOwnedItemCmdBoss, UIDList(db, story)));
  InterfacePtr<IUIDData>(attach.get(), IID_IUIDDATA)->Set(UIDRef(db, marker));
  InterfacePtr<IIntData>(attach.get(), IID_IINTDATA)->Set(at);
  InterfacePtr<IClassIDData>(attach.get(), IID_ICLASSIDDATA)->Set(kXRefSourceMarkerBoss);
  return CmdUtils::ProcessCommand(attach.get()) == kSuccess ? marker : kInvalidUID;
}

InterfacePtr<IXRefSourceMarkerList> MarkerList(IDataBase* db) { return InterfacePtr<IXRefSourceMarkerList>(db, kRootUID); }

InterfacePtr<IXRefSourceMarker> Marker(IDataBase* db, UID marker) { return InterfacePtr<IXRefSourceMarker>(db, marker); }

std::string NameOf(IDataBase* db, UID marker) {
  auto m = Marker(db, marker);
  return m ? m->GetMarkerName().GetUTF8String() : std::string("<none>");
}

std::vector<std::string> ListedNames(IDataBase* db) {
  std::vector<std::string> names;
  auto list = MarkerList(db);
  for (int32 i = 0; list && i < list->GetMarkerCount(); ++i) names.push_back(list->GetMarkerNameAt(i).GetUTF8String());
  return names;
}

InterfacePtr<IXRefTextUtils> TextUtils() {
  return InterfacePtr<IXRefTextUtils>(UtilsBoss::QueryUtils<IXRefTextUtils>());
}

RecordingObserver::RecordingObserver() {
  RegisterObserverClass();
  object_.reset(CreateObject(kTestObserverBoss, IPMUnknown::kControllingIID));
}

RecordingObserver::~RecordingObserver() = default;

const std::vector<HeardChange>& RecordingObserver::Heard() const {
  InterfacePtr<IObserver> observer(object_.get(), IID_IOBSERVER);
  return static_cast<TestObserver*>(observer.get())->heard;
}

void RecordingObserver::Clear() {
  InterfacePtr<IObserver> observer(object_.get(), IID_IOBSERVER);
  static_cast<TestObserver*>(observer.get())->heard.clear();
}

void InstallRecordingScheduler() {
  Host::Get().Impls().InstallHost<RecordingScheduler>(kTestSchedulerImpl);
  Host::Get().Classes().AddIn(kDocBoss, {{IID_IXREFSCHEDULER, kTestSchedulerImpl}});
  SchedulerReports().clear();
}

std::vector<SchedulerReport>& SchedulerReports() {
  static std::vector<SchedulerReport> reports;
  return reports;
}
