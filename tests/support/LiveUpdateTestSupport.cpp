#include "tests/support/LiveUpdateTestSupport.h"
#include "commands/XRefCommandID.h"
#include "host/CmdUtils.h"
#include "host/IDocument.h"
#include "host/IStoryLock.h"
#include "host/ISubject.h"
#include "host/StandardDataInterfaces.h"
#include "model/XRefModelID.h"
#include <gtest/gtest.h>

InterfacePtr<IXRefScheduler> SchedulerOf(IDataBase* doc) { return InterfacePtr<IXRefScheduler>(doc, kRootUID); }

void Passes(IDataBase* doc, int32 count) {
  auto scheduler = SchedulerOf(doc);
  for (int32 i = 0; scheduler && i < count; ++i) scheduler->RunUpdates();
}

namespace {
UIDRef WorkspaceOf(IDataBase* doc) {
  InterfacePtr<IDocument> document(doc, kRootUID);
  return document ? document->GetDocWorkspace() : UIDRef();
}
}  // namespace

void SetLiveUpdates(IDataBase* doc, bool on) {
  InterfacePtr<IBoolData> live(WorkspaceOf(doc), IID_IXREFLIVEUPDATES);
  ASSERT_TRUE(live);
  live->Set(on);
}

ErrorCode SwitchLiveUpdates(IDataBase* doc, bool on) {
  InterfacePtr<ICommand> cmd(CmdUtils::CreateCommand(kXRefEnableLiveUpdatesCmdBoss));
  cmd->SetItemList(UIDList(WorkspaceOf(doc)));
  InterfacePtr<IBoolData>(cmd.get(), IID_IBOOLDATA)->Set(on);
  return CmdUtils::ProcessCommand(cmd.get());
}

void SetLocked(IDataBase* doc, UID story, bool locked) {
  InterfacePtr<IStoryLock> lock(doc, story, IID_ISTORYLOCK);
  ASSERT_TRUE(lock);
  lock->SetLocked(locked);
}

RecompositionCounter::RecompositionCounter(IDataBase* doc) : doc_(doc) {
  InterfacePtr<ISubject> subject(doc, kRootUID, IID_ISUBJECT);
  EXPECT_TRUE(subject && subject->AttachObserver(observer_.Object(), IID_IXREFCROSSREF));
}

RecompositionCounter::~RecompositionCounter() {
  InterfacePtr<ISubject> subject(doc_, kRootUID, IID_ISUBJECT);
  if (subject) subject->DetachObserver(observer_.Object(), IID_IXREFCROSSREF);
}

int32 RecompositionCounter::Count() const {
  int32 n = 0;
  for (const HeardChange& h : observer_.Heard()) n += h.change == kXRefUpdateCrossRefCmdBoss ? 1 : 0;
  return n;
}
