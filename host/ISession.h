#pragma once
// The application session: its active context, the application workspace and
// the application (documents). The implementation registry and the session's
// subject are further interfaces of the same object.
#include "HostIDs.h"
#include "IPMUnknown.h"
#include "UIDRef.h"

class IActiveContext;
class IApplication;

class ISession : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISESSION;

  virtual IActiveContext* GetActiveContext() const = 0;
  // The application workspace, whose values are the defaults for new documents.
  virtual UIDRef GetWorkspaceRef() const = 0;
  virtual IApplication* GetApplication() const = 0;
};

ISession* GetExecutionContextSession();
