#pragma once
// The host's native cross-reference formats (Basic formats): objects of the
// document's database, each a name and a list of building blocks, listed by
// the document. They are made and deleted through the utility, inside a
// command, so undo restores them.
#include "HyperlinkIDs.h"
#include "IPMUnknown.h"
#include "XRefBuildingBlock.h"
#include <vector>

class IDataBase;

// On a Basic format object, persistent.
class IBasicXRefFormat : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IBASICXREFFORMAT;
  virtual PMString GetName() const = 0;
  virtual void SetName(const PMString& name) = 0;
  virtual std::vector<XRefBuildingBlock> GetBuildingBlocks() const = 0;
  virtual void SetBuildingBlocks(const std::vector<XRefBuildingBlock>& blocks) = 0;
};

// On the document (UID 1), persistent: the formats in the order they were made.
class IBasicXRefFormatList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IBASICXREFFORMATLIST;
  virtual int32 GetFormatCount() const = 0;
  virtual UID GetNthFormat(int32 n) const = 0;  // kInvalidUID outside the list
  // The first format whose name equals the name ignoring case; kInvalidUID.
  virtual UID FindFormat(const PMString& name) const = 0;
  virtual void AddFormat(UID format) = 0;
  virtual void RemoveFormat(UID format) = 0;
};

// On the utilities object (UtilsBoss::QueryUtils).
class IBasicFormatUtils : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IBASICFORMATUTILS;
  // A new Basic format of the document, listed last; kInvalidUID when the
  // document has no list.
  virtual UID CreateBasicFormat(IDataBase* doc, const PMString& name,
                                const std::vector<XRefBuildingBlock>& blocks) = 0;
  // Takes the format out of the list and deletes it; false when it is not listed.
  virtual bool16 DeleteBasicFormat(IDataBase* doc, UID format) = 0;
};
