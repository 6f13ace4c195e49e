#pragma once
// A workspace's styles of one kind, in style groups. A workspace carries two
// managers: IID_ICHARSTYLEGROUPMANAGER and IID_IPARASTYLEGROUPMANAGER.
#include "AttributeBossList.h"
#include "IPMUnknown.h"
#include "TextIDs.h"

class IStyleGroupManager : public IPMUnknown {
public:
  // The style at a full path (the names of its groups and its own name,
  // separated by U+E00B), compared exactly; kInvalidUID when none.
  virtual UID FindByName(const PMString& fullPath) const = 0;
  // The root style every story starts with ("[None]", "[Basic Paragraph]").
  virtual UID GetRootStyleUID() const = 0;
  virtual int32 GetStyleCount() const = 0;
  virtual UID GetNthStyleUID(int32 n) const = 0;  // kInvalidUID outside
};

// One style: its name, its groups, and the attributes it sets.
class IStyleInfo : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ISTYLEINFO;
  virtual PMString GetName() const = 0;
  // The enclosing groups' names separated by U+E00B; empty at the top level.
  virtual PMString GetGroupPath() const = 0;
  virtual PMString GetFullPath() const = 0;
  virtual bool16 IsParagraphStyle() const = 0;
  virtual AttributeBossList GetAttributes() const = 0;
  // Paragraph styles: the numbering kind of their paragraphs.
  virtual int32 GetNumberingKind() const = 0;
};
