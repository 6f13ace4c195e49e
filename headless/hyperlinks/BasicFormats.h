#pragma once
// Basic formats, their document's list and the utility that makes and
// deletes them.
#include "host/CPMUnknown.h"
#include "host/IBasicXRefFormat.h"
#include "host/IPMStream.h"
#include "host/UIDList.h"

// Invariant: every block has a type from kCustomText to kTextAnchorName or
// kNoType; stored as the name, the count of blocks, then each block's type,
// custom text and character style (a reference).
class BasicXRefFormatImpl : public CPMUnknown<IBasicXRefFormat> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }
  void SetName(const PMString& name) override;
  std::vector<XRefBuildingBlock> GetBuildingBlocks() const override { return blocks_; }
  void SetBuildingBlocks(const std::vector<XRefBuildingBlock>& blocks) override;
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  PMString name_;
  std::vector<XRefBuildingBlock> blocks_;
};

// Invariant: the list owns its formats; no UID appears twice.
class BasicXRefFormatListImpl : public CPMUnknown<IBasicXRefFormatList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetFormatCount() const override { return formats_.Length(); }
  UID GetNthFormat(int32 n) const override;
  UID FindFormat(const PMString& name) const override;
  void AddFormat(UID format) override;
  void RemoveFormat(UID format) override;
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UIDList formats_;
};

class BasicFormatUtilsImpl : public CPMUnknown<IBasicFormatUtils> {
public:
  using CPMUnknown::CPMUnknown;
  UID CreateBasicFormat(IDataBase* doc, const PMString& name, const std::vector<XRefBuildingBlock>& blocks) override;
  bool16 DeleteBasicFormat(IDataBase* doc, UID format) override;
};
