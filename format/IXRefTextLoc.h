#pragma once
// A position in a story, with the paragraph and style questions the building
// blocks ask about it. The composer's object carries two: the source
// (IID_IXREFSOURCETEXTLOC) and the destination (IID_IXREFDESTTEXTLOC).
#include "format/XRefFormatID.h"
#include "host/IPMUnknown.h"
#include "host/PMString.h"
#include "host/UIDRef.h"

class ITextModel;

class IXRefTextLoc : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IXREFSOURCETEXTLOC;

  virtual void SetTextModel(IPMUnknown* textModel, TextIndex index) = 0;
  virtual void SetLocation(IDataBase* db, UID story, TextIndex index) = 0;
  virtual ITextModel* QueryTextModel() const = 0;
  virtual IDataBase* GetDataBase() const = 0;
  virtual UIDRef GetStoryRef() const = 0;
  virtual TextIndex GetIndex() const = 0;
  virtual TextIndex GetParagraphStart() const = 0;
  virtual ErrorCode FindPrecedingParagraph(TextIndex* paragraphStart, PMString styleName) const = 0;
  virtual ErrorCode FindFollowingParagraph(TextIndex* paragraphStart, PMString styleName) const = 0;
  virtual UID FindCharStyle(PMString name) const = 0;
  virtual UID FindParaStyle(PMString name) const = 0;
  virtual void Advance(int32 count) = 0;
  virtual UIDRef GetDocumentRef() const = 0;
  virtual UIDRef GetWorkspaceRef() const = 0;
  virtual bool16 IsValid() const = 0;
  virtual void RecomposeThrough() const = 0;
};
