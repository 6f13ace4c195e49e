#pragma once
// A plug-in's check of a document being loaded. Once every record is read
// (and converted), before the document is handed out, the host asks each
// provider of kDocumentCheckService; one that answers false refuses the
// document, with a message naming the object at fault.
#include "IDataBase.h"
#include "IPMUnknown.h"
#include "PMString.h"

constexpr PMIID IID_IDOCUMENTCHECK{0x18C};
constexpr ServiceID kDocumentCheckService{0x405};

class IDocumentCheck : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDOCUMENTCHECK;

  // False, with `why` set, when the plug-in's data in `db` is in a state no
  // edit can make.
  virtual bool16 CheckLoadedDocument(IDataBase* db, PMString* why) = 0;
};
