#pragma once
// The story object's text model: the story's strands, each an object of its
// own (owned by the story), so an undo step snapshots only the strands it
// changed.
#include "host/CPMUnknown.h"
#include "host/IPMStream.h"
#include "host/ITextModel.h"

class TextModelImpl : public CPMUnknown<ITextModel> {
public:
  // The strand classes, in the order the story keeps them.
  static constexpr ClassID kStrandClasses[5] = {kTextStrandBoss, kParagraphStrandBoss, kParaAttrStrandBoss,
                                                kCharAttrStrandBoss, kOwnedItemStrandBoss};

  using CPMUnknown::CPMUnknown;
  int32 TotalLength() const override;
  WideString CopyText(TextIndex start, int32 count) const override;
  char16_t GetUnit(TextIndex at) const override;
  IPMUnknown* QueryStrand(ClassID strand, PMIID iid) const override;

  UID StrandUID(ClassID strand) const;
  void SetStrand(ClassID strand, UID uid);
  void ReadWrite(IPMStream* s, ImplementationID id);

private:
  UID strands_[5] = {kInvalidUID, kInvalidUID, kInvalidUID, kInvalidUID, kInvalidUID};
};
