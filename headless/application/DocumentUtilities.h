#pragma once
// The document utilities on the utilities object: whether a file may be
// opened, opening it without a window, and the update-blocking check.
#include "host/CPMUnknown.h"
#include "host/IDocumentOpenUtils.h"
#include "host/IDocumentUtils.h"
#include "host/IScriptUtils.h"

class DocumentOpenUtilsImpl : public CPMUnknown<IDocumentOpenUtils> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 CanOpenFile(const IDFile& file, ErrorCode* reason) const override;
};

class DocumentUtilsImpl : public CPMUnknown<IDocumentUtils> {
public:
  using CPMUnknown::CPMUnknown;
  ErrorCode OpenDocumentFile(const IDFile& file, UIDRef* doc) override;
};

// Answers from the running application; without one nothing is blocked and
// holds are not kept.
class ScriptUtilsImpl : public CPMUnknown<IScriptUtils> {
public:
  using CPMUnknown::CPMUnknown;
  bool16 AreUpdatesBlocked() const override;
  void HoldUpdates() override;
  void ReleaseUpdates() override;
};
