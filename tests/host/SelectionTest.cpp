// The host's selection: the concrete selections of the moment, the text
// target, setting a selection, telling active-selection observers (nested
// changes marked), model changes with their affected suites, and the exact
// selection check.
#include "headless/objects/Host.h"
#include "host/ActiveSelectionObserver.h"
#include "host/BroadcastUtils.h"
#include "host/CreateObject.h"
#include "host/IIntegratorTarget.h"
#include "host/ISelectionExtension.h"
#include "host/ISelectionManager.h"
#include "host/ISelectionUtils.h"
#include "host/ISession.h"
#include "host/ITextTarget.h"
#include "host/UtilsBoss.h"
#include "tests/support/SelectionTestSupport.h"
#include "tests/support/TestApp.h"
#include "tests/support/TextTestSupport.h"

namespace {
constexpr ClassID kWatcherBoss{0x141F1};
constexpr ClassID kExtendedSelectionBoss{0x141F2};
constexpr ImplementationID kWatcherImpl{0x141F1};
constexpr ImplementationID kTestExtensionImpl{0x141F2};
constexpr PMIID kWatchedProtocol{0x141F3};
constexpr PMIID kTestSuiteID{0x141F4};

struct Heard {
  ClassID kind;
  bool nested;
  std::vector<PMIID> suites;
};
std::vector<Heard>& HeardMessages() {
  static std::vector<Heard> heard;
  return heard;
}
// Set by a test: the watcher moves the selection here once, as an observer
// adjusting a selection would.
UIDRef gMoveTo;

class Watcher : public ActiveSelectionObserver {
public:
  explicit Watcher(IPMUnknown* boss) : ActiveSelectionObserver(boss, IID_IOBSERVER) {}

protected:
  void HandleSelectionChanged(const SelectionMessage* m) override {
    HeardMessages().push_back({kSelectionChangedMessage, m->IsNestedChange() != 0, {}});
    if (!gMoveTo.GetDataBase()) return;
    const UIDRef to = gMoveTo;
    gMoveTo = UIDRef();
    SelectText(to.GetDataBase(), to.GetUID(), 0, 1);
  }
  void HandleSelectionAttributeChanged(const SelectionMessage* m) override {
    HeardMessages().push_back({kSelectionModelChangedMessage, m->IsNestedChange() != 0, m->GetAffectedSuites()});
  }
};

// Names kWatchedProtocol and lists the test suite as affected, twice (the
// message keeps it once).
class TestExtension : public CPMUnknown<ISelectionExtension> {
public:
  using CPMUnknown::CPMUnknown;
  void SelectionChanged(SelectionMessage*) override {}
  void GetModelProtocols(std::vector<PMIID>* protocols) override { protocols->push_back(kWatchedProtocol); }
  void HandleModelChange(SelectionMessage* m) override {
    m->AddAffectedSuite(kTestSuiteID);
    m->AddAffectedSuite(kTestSuiteID);
  }
};

class HostSelection : public ::testing::Test {
protected:
  void SetUp() override {
    Host& host = Host::Get();
    if (!host.Classes().IsDefined(kWatcherBoss)) {
      host.Impls().InstallHost<Watcher>(kWatcherImpl);
      host.Impls().InstallHost<TestExtension>(kTestExtensionImpl);
      host.Classes().Define({kWatcherBoss, kInvalidClass, {{IID_IOBSERVER, kWatcherImpl}}});
      host.Classes().Define({kExtendedSelectionBoss, kInvalidClass, {{IID_ISELECTIONEXTENSION, kTestExtensionImpl}}});
    }
    HeardMessages().clear();
    db_ = app_->NewDocument();
    story_ = MakeStory(db_, "Some text\rMore");
    manager_ = InterfacePtr<ISelectionManager>(GetExecutionContextSession(), IID_ISELECTIONMANAGER);
    ASSERT_TRUE(manager_);
  }
  void TearDown() override {
    if (watcher_) static_cast<ActiveSelectionObserver*>(watcher_.get())->AutoDetach();
    if (extended_) manager_->RemoveConcreteSelection(extended_.get());
  }
  void Watch() {
    watcher_.reset(CreateObject<IObserver>(kWatcherBoss));
    ASSERT_TRUE(static_cast<ActiveSelectionObserver*>(watcher_.get())->AutoAttach());
  }
  std::vector<InterfacePtr<IPMUnknown>> Parts(PMIID suite) {
    InterfacePtr<IPMUnknown> selection(manager_->QueryAbstractSelection());
    InterfacePtr<IIntegratorTarget> integrator(selection.get(), IID_IINTEGRATORTARGET);
    return integrator ? integrator->GetTarget(suite) : std::vector<InterfacePtr<IPMUnknown>>();
  }

  TestApp app_;
  DataBase* db_ = nullptr;
  UID story_ = kInvalidUID;
  InterfacePtr<ISelectionManager> manager_;
  InterfacePtr<IObserver> watcher_;
  InterfacePtr<IPMUnknown> extended_;
};

TEST_F(HostSelection, TheTextSelectionIsAConcreteSelectionOnlyWhileTextIsSelected) {
  EXPECT_TRUE(Parts(IID_ITEXTTARGET).empty());
  ASSERT_TRUE(SelectText(db_, story_, 2, 4));
  auto parts = Parts(IID_ITEXTTARGET);
  ASSERT_EQ(1u, parts.size());
  auto* target = static_cast<ITextTarget*>(parts[0].get());
  EXPECT_EQ(UIDRef(db_, story_), target->GetTextModel());
  EXPECT_EQ(RangeData(2, 4), target->GetRange());
  EXPECT_TRUE(target->HasSelection());
  // Another kind joins after the text selection; only kinds with the suite answer.
  extended_.reset(CreateObject(kExtendedSelectionBoss, IID_ISELECTIONEXTENSION));
  manager_->AddConcreteSelection(extended_.get());
  manager_->AddConcreteSelection(extended_.get());
  EXPECT_EQ(2u, manager_->GetConcreteSelections().size());
  EXPECT_EQ(1u, Parts(IID_ITEXTTARGET).size());
  // Both kinds have an extension (the text selection the plug-in's); the
  // added kind comes after the text selection.
  auto extensions = Parts(IID_ISELECTIONEXTENSION);
  ASSERT_EQ(2u, extensions.size());
  EXPECT_EQ(extended_.get(), extensions[1].get());
}

TEST_F(HostSelection, SettingASelectionChecksTheRangeAndTheTargetNoticesAShorterStory) {
  EXPECT_FALSE(SelectText(db_, story_, -1, 2));
  EXPECT_FALSE(SelectText(db_, story_, 0, 16));
  EXPECT_FALSE(SelectText(db_, kInvalidUID, 0, 0));
  ASSERT_TRUE(SelectText(db_, story_, 10, 15));  // up to the final return
  auto parts = Parts(IID_ITEXTTARGET);
  ASSERT_EQ(1u, parts.size());
  auto* target = static_cast<ITextTarget*>(parts[0].get());
  EXPECT_TRUE(target->HasSelection());
  ASSERT_EQ(kSuccess, Process(CmdsOf(db_, story_)->DeleteCmd(0, 5)));
  EXPECT_FALSE(target->HasSelection());
}

TEST_F(HostSelection, ObserversHearEachChangeAndAnObserversOwnChangeIsNested) {
  Watch();
  ASSERT_TRUE(SelectText(db_, story_, 1, 1));
  ASSERT_EQ(1u, HeardMessages().size());
  EXPECT_EQ(kSelectionChangedMessage, HeardMessages()[0].kind);
  EXPECT_FALSE(HeardMessages()[0].nested);
  gMoveTo = UIDRef(db_, story_);
  ASSERT_TRUE(SelectText(db_, story_, 3, 3));
  ASSERT_EQ(3u, HeardMessages().size());
  EXPECT_FALSE(HeardMessages()[1].nested);
  EXPECT_TRUE(HeardMessages()[2].nested);
  EXPECT_EQ(RangeData(0, 1), SelectedRange());
  static_cast<ActiveSelectionObserver*>(watcher_.get())->AutoDetach();
  ASSERT_TRUE(SelectText(db_, story_, 2, 2));
  EXPECT_EQ(3u, HeardMessages().size());
}

TEST_F(HostSelection, ModelChangesOfTheSelectedDocumentListTheAffectedSuitesOnce) {
  extended_.reset(CreateObject(kExtendedSelectionBoss, IID_ISELECTIONEXTENSION));
  manager_->AddConcreteSelection(extended_.get());
  Watch();
  ASSERT_TRUE(SelectText(db_, story_, 1, 1));
  HeardMessages().clear();
  BroadcastUtils::DocumentModelChange(db_, ClassID{0x141F5}, kWatchedProtocol, nullptr);
  ASSERT_EQ(1u, HeardMessages().size());
  EXPECT_EQ(kSelectionModelChangedMessage, HeardMessages()[0].kind);
  EXPECT_EQ(std::vector<PMIID>{kTestSuiteID}, HeardMessages()[0].suites);
  // A protocol no extension names, and another document, say nothing.
  BroadcastUtils::DocumentModelChange(db_, ClassID{0x141F5}, PMIID{0x141F6}, nullptr);
  DataBase* other = app_->NewDocument();
  BroadcastUtils::DocumentModelChange(other, ClassID{0x141F5}, kWatchedProtocol, nullptr);
  EXPECT_EQ(1u, HeardMessages().size());
}

TEST_F(HostSelection, TheSelectionUtilityAnswersExactSelection) {
  InterfacePtr<ISelectionUtils> utils(UtilsBoss::QueryUtils<ISelectionUtils>());
  ASSERT_TRUE(utils);
  EXPECT_FALSE(utils->IsSelectionExact());
  manager_->SetExactSelection(true);
  EXPECT_TRUE(utils->IsSelectionExact());
}
}  // namespace
