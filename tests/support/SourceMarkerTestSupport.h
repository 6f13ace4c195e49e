#pragma once
// Helpers for source-marker tests: the plug-in's commands run as a user
// action would, lookups of the document's list, and an observer that records
// the model changes it hears.
#include "headless/database/DataBase.h"
#include "host/ISubject.h"
#include "host/InterfacePtr.h"
#include "model/IXRefSourceMarker.h"
#include "model/IXRefSourceMarkerList.h"
#include "model/IXRefTextUtils.h"
#include <string>
#include <vector>

// The new marker, or kInvalidUID.
UID InsertMarker(IDataBase* db, UID story, TextIndex at, const std::string& name);
ErrorCode RenameMarker(IDataBase* db, UID marker, const std::string& name, bool updateReferences = false);
ErrorCode DeleteMarker(IDataBase* db, UID marker);
// The copy in the target document, or kInvalidUID.
UID CopyMarker(const UIDRef& marker, IDataBase* target);
// A marker object anchored at the index through the host's commands, with
// its name, and not listed.
UID AnchorMarker(IDataBase* db, UID story, TextIndex at, const std::string& name);

InterfacePtr<IXRefSourceMarkerList> MarkerList(IDataBase* db);
InterfacePtr<IXRefSourceMarker> Marker(IDataBase* db, UID marker);
std::string NameOf(IDataBase* db, UID marker);
// The listed markers' names, in list order.
std::vector<std::string> ListedNames(IDataBase* db);
InterfacePtr<IXRefTextUtils> TextUtils();

// Gives documents made from now on a scheduler that records the reports it
// gets (until the plug-in registers again and brings its own, if any).
struct SchedulerReport {
  IDataBase* db;
  UID changed;        // MarkChanged; kInvalidUID for MarkAllCrossRefs
  bool16 externalOnly;
};
void InstallRecordingScheduler();
std::vector<SchedulerReport>& SchedulerReports();

struct HeardChange {
  ClassID change;
  PMIID protocol;
  void* changedBy;
};

// An observer object outside any database that records what it hears.
class RecordingObserver {
public:
  RecordingObserver();
  ~RecordingObserver();
  IPMUnknown* Object() const { return object_.get(); }
  const std::vector<HeardChange>& Heard() const;
  void Clear();

private:
  InterfacePtr<IPMUnknown> object_;
};
