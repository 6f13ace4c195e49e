#include "tests/support/SelectionTestSupport.h"
#include "headless/objects/Host.h"
#include "host/CPMUnknown.h"
#include "host/CreateObject.h"
#include "host/IApplication.h"
#include "host/ISelectionManager.h"
#include "host/ISession.h"
#include "host/ITextModelCmds.h"
#include "host/ITextSelectionSuite.h"
#include "host/CmdUtils.h"

namespace {
constexpr ClassID kFakeSelectionBoss{0x141F0};
constexpr ImplementationID kFakeSuiteImpl{0x141F0};

InterfacePtr<ISelectionManager> Manager() {
  return InterfacePtr<ISelectionManager>(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
}

class FakeSuite : public CPMUnknown<IXRefSelectionSuite> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 CanInsertSourceMarker() override { return FakePart().answer; }
  ErrorCode InsertSourceMarker(const PMString&) override { return Act("InsertSourceMarker"); }
  bool16 IsSourceMarkerSelected() override { return FakePart().answer; }
  UIDList GetSelectedSourceMarkers() override { return UIDList(); }
  bool16 CanModifySourceMarker() override { return FakePart().answer; }
  ErrorCode ModifySourceMarker(const PMString&, bool16) override { return Act("ModifySourceMarker"); }
  bool16 CanInsertCrossRef() override { return FakePart().answer; }
  ErrorCode InsertCrossRef(const IDFile&, const PMString&, const PMString&, const PMString&, bool16) override {
    return Act("InsertCrossRef");
  }
  bool16 IsCrossRefSelected() override { return FakePart().answer; }
  UIDList GetSelectedCrossRefs() override { return UIDList(); }
  bool16 CanModifyCrossRef() override { return FakePart().answer; }
  ErrorCode ModifyCrossRef(const IDFile&, const PMString&, const PMString&, const PMString&, bool16) override {
    return Act("ModifyCrossRef");
  }
  bool16 CanUpdateCrossRefs() override { return FakePart().answer; }
  ErrorCode UpdateCrossRefs() override { return Act("UpdateCrossRefs"); }
  bool16 CanConvertCrossRefsToText() override { return FakePart().answer; }
  ErrorCode ConvertCrossRefsToText() override { return Act("ConvertCrossRefsToText"); }
  bool16 CanGetSelectionText() override { return FakePart().answer; }
  PMString GetSelectionText() override { return PMString("fake"); }
  bool16 HasTextSelection() override { return FakePart().answer; }
  ErrorCode GetTextSelection(UIDRef*, int32*) override { return Act("GetTextSelection"); }
  bool16 CanGoToSource() override { return FakePart().answer; }
  ErrorCode GoToSource() override { return Act("GoToSource"); }
  bool16 CanSelectCrossRef() override { return FakePart().answer; }
  ErrorCode SelectCrossRef() override { return Act("SelectCrossRef"); }
  bool16 CanDeleteSourceMarkers() override { return FakePart().answer; }
  ErrorCode DeleteSourceMarkers() override { return Act("DeleteSourceMarkers"); }
  bool16 CanDeleteCrossRefs() override { return FakePart().answer; }
  ErrorCode DeleteCrossRefs() override { return Act("DeleteCrossRefs"); }

private:
  static ErrorCode Act(const char* name) {
    FakePartState& s = FakePart();
    s.log.push_back(name);
    InterfacePtr<ITextModelCmds> cmds(s.db, s.story, IID_ITEXTMODELCMDS);
    if (cmds) {
      InterfacePtr<ICommand> insert(cmds->InsertCmd(0, WideString(u"F")));
      CmdUtils::ProcessCommand(insert.get());
    }
    return s.result;
  }
};

IPMUnknown*& FakeObject() {
  static IPMUnknown* object = nullptr;
  return object;
}
}  // namespace

InterfacePtr<IXRefSelectionSuite> SelectionSuite() {
  auto manager = Manager();
  InterfacePtr<IPMUnknown> selection(manager ? manager->QueryAbstractSelection() : nullptr);
  return InterfacePtr<IXRefSelectionSuite>(selection.get(), IID_IXREFSELECTIONSUITE);
}

bool SelectText(IDataBase* db, UID story, TextIndex start, TextIndex end) {
  auto manager = Manager();
  InterfacePtr<IPMUnknown> selection(manager ? manager->QueryAbstractSelection() : nullptr);
  InterfacePtr<ITextSelectionSuite> text(selection.get(), IID_ITEXTSELECTIONSUITE);
  return text && text->SetTextSelection(UIDRef(db, story), RangeData(start, end));
}

RangeData SelectedRange() {
  ISession* session = GetExecutionContextSession();
  UIDRef story;
  TextIndex start = 0, end = 0;
  if (!session || !session->GetActiveContext()->GetTextSelection(&story, &start, &end)) return RangeData();
  return RangeData(start, end);
}

void SetExactSelection(bool exact) {
  if (auto manager = Manager()) manager->SetExactSelection(exact);
}

FakePartState& FakePart() {
  static FakePartState state;
  return state;
}

void AddFakePart() {
  Host& host = Host::Get();
  if (!host.Classes().IsDefined(kFakeSelectionBoss)) {
    host.Impls().InstallHost<FakeSuite>(kFakeSuiteImpl);
    host.Classes().Define({kFakeSelectionBoss, kInvalidClass, {{IID_IXREFSELECTIONSUITE, kFakeSuiteImpl}}});
  }
  FakePart() = FakePartState();
  RemoveFakePart();
  FakeObject() = CreateObject(kFakeSelectionBoss, IID_IXREFSELECTIONSUITE);
  if (auto manager = Manager()) manager->AddConcreteSelection(FakeObject());
}

void RemoveFakePart() {
  if (!FakeObject()) return;
  if (auto manager = Manager()) manager->RemoveConcreteSelection(FakeObject());
  FakeObject()->Release();
  FakeObject() = nullptr;
}
