#pragma once
// A plug-in's checks of a document. Once every record is read (and
// converted), before the document is handed out, the host asks each
// provider of kDocumentCheckService; one that answers false refuses the
// document, with a message naming the object at fault. An open document can
// also be asked for what is wrong with it without refusing it: damaged
// structures and characters whose object is gone.
#include "IDataBase.h"
#include "IPMUnknown.h"
#include "PMString.h"
#include <string>
#include <vector>

constexpr PMIID IID_IDOCUMENTCHECK{0x18C};
constexpr ServiceID kDocumentCheckService{0x405};

struct DocumentDamage {
  enum Kind { kDamaged, kOrphan };
  Kind kind = kDamaged;
  UID object = kInvalidUID;  // the object at fault; kInvalidUID for an orphan
  UID story = kInvalidUID;   // where it stands, when it stands in text
  TextIndex index = -1;
  std::string message;
};

class IDocumentCheck : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IDOCUMENTCHECK;

  // False, with `why` set, when the plug-in's data in `db` is in a state no
  // edit can make.
  virtual bool16 CheckLoadedDocument(IDataBase* db, PMString* why) = 0;
  // Appends what breaks the plug-in's rules for its data in `db`; nothing
  // when the data is sound.
  virtual void FindDamage(IDataBase* db, std::vector<DocumentDamage>* found) = 0;
};
