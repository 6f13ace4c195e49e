#pragma once
// The scripting utility (UtilsBoss::QueryUtils): whether automatic work on
// documents (recomposing cross-references, giving new documents defaults) must
// wait, and the counted hold that scripts take.
#include "HostIDs.h"
#include "IPMUnknown.h"

class IScriptUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISCRIPTUTILS;
  // Yes while a document is being opened (its file read, converted, and its
  // opened signal answered), or while a script holds updates.
  virtual bool16 AreUpdatesBlocked() const = 0;
  // Holds count: updates stay blocked until every hold is released. A
  // release without a hold does nothing.
  virtual void HoldUpdates() = 0;
  virtual void ReleaseUpdates() = 0;
};
