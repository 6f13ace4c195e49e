#pragma once
// Lets the text clipboard forget a document before it closes, so a later
// paste never reaches into a database that is gone.
#include "host/CServiceProvider.h"
#include "host/IResponder.h"

class ClipboardResponder : public CResponder {
public:
  using CResponder::CResponder;
  void Respond(ISignalMgr* signal) override;
};

class ClipboardResponderProvider : public CServiceProvider {
public:
  using CServiceProvider::CServiceProvider;
  ServiceID GetServiceID() override { return kBeforeCloseDocSignalResponderService; }
};
