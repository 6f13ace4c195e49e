#pragma once
// Signals the host sends to responders registered for a service identifier.
#include "CPMUnknown.h"
#include "HostIDs.h"
#include "UIDRef.h"

class ISignalMgr : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISIGNALMGR;
  virtual ServiceID GetServiceID() const = 0;
};

class IDocumentSignalData : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDOCUMENTSIGNALDATA;
  virtual UIDRef GetDocument() const = 0;
};

class IResponder : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IRESPONDER;
  virtual void Respond(ISignalMgr* signal) = 0;
};

class CResponder : public CPMUnknown<IResponder> {
public:
  explicit CResponder(IPMUnknown* boss) : CPMUnknown<IResponder>(boss) {}
  void Respond(ISignalMgr*) override {}
};
