// A position in a story: the source or the destination of a composition.
// Holds only the database, the story and the index; everything else is read
// from the story when asked.
#include "format/IXRefTextLoc.h"
#include "host/CPMUnknown.h"
#include "host/IControllingUnknown.h"
#include "host/IDocument.h"
#include "host/ILayout.h"
#include "host/IParaAttrStrand.h"
#include "host/IParagraphStrand.h"
#include "host/IStyleGroupManager.h"
#include "host/ITextModel.h"
#include "host/InterfacePtr.h"
#include "integration/ImplementationRecord.h"

namespace {
// A style name as typed ("Group:Name") as the host's full path.
PMString StylePathOf(const PMString& name) {
  std::u16string path = name.Units();
  for (char16_t& c : path)
    if (c == u':') c = kStyleGroupSeparator;
  return PMString(path);
}

class XRefTextLoc : public CPMUnknown<IXRefTextLoc> {
public:
  using CPMUnknown::CPMUnknown;

  void SetTextModel(IPMUnknown* textModel, TextIndex index) override {
    const UIDRef ref = textModel ? ::GetUIDRef(textModel) : UIDRef();
    SetLocation(ref.GetDataBase(), ref.GetUID(), index);
  }

  void SetLocation(IDataBase* db, UID story, TextIndex index) override {
    db_ = db;
    story_ = story;
    index_ = index;
  }

  ITextModel* QueryTextModel() const override {
    InterfacePtr<ITextModel> model(db_, story_, IID_ITEXTMODEL);
    return model.forget();
  }

  IDataBase* GetDataBase() const override { return db_; }
  UIDRef GetStoryRef() const override { return UIDRef(db_, story_); }
  TextIndex GetIndex() const override { return index_; }

  TextIndex GetParagraphStart() const override {
    InterfacePtr<IParagraphStrand> paragraphs(QueryStrand<IParagraphStrand>(kParagraphStrandBoss));
    if (!paragraphs) return 0;
    const TextIndex start = paragraphs->GetParagraphStart(index_);
    return start < 0 ? 0 : start;
  }

  ErrorCode FindPrecedingParagraph(TextIndex* paragraphStart, PMString styleName) const override {
    InterfacePtr<IParagraphStrand> paragraphs(QueryStrand<IParagraphStrand>(kParagraphStrandBoss));
    InterfacePtr<IParaAttrStrand> styles(QueryStrand<IParaAttrStrand>(kParaAttrStrandBoss));
    if (!paragraphs || !styles || !paragraphStart) return kFailure;
    *paragraphStart = paragraphs->GetParagraphStart(index_);
    const UID style = FindParaStyle(styleName);
    if (style == kInvalidUID) return kXRefParaStyleNotFoundError;
    for (TextIndex c = *paragraphStart;;) {
      if (styles->GetParagraphStyle(c) == style) {
        *paragraphStart = c;
        return kSuccess;
      }
      if (c - 1 < 0) return kXRefNoPrecedingParagraphError;
      c = paragraphs->GetParagraphStart(c - 1);
    }
  }

  ErrorCode FindFollowingParagraph(TextIndex* paragraphStart, PMString styleName) const override {
    InterfacePtr<ITextModel> model(QueryTextModel());
    InterfacePtr<IParagraphStrand> paragraphs(QueryStrand<IParagraphStrand>(kParagraphStrandBoss));
    InterfacePtr<IParaAttrStrand> styles(QueryStrand<IParaAttrStrand>(kParaAttrStrandBoss));
    if (!model || !paragraphs || !styles || !paragraphStart) return kFailure;
    *paragraphStart = paragraphs->GetParagraphStart(index_);
    const UID style = FindParaStyle(styleName);
    if (style == kInvalidUID) return kXRefParaStyleNotFoundError;
    const int32 total = model->TotalLength();
    for (TextIndex c = *paragraphStart;;) {
      if (styles->GetParagraphStyle(c) == style) {
        *paragraphStart = c;
        return kSuccess;
      }
      int32 length = 0;
      paragraphs->GetParagraphStart(c, &length);
      c += length;
      if (length < 1 || c >= total) return kXRefNoFollowingParagraphError;
    }
  }

  UID FindCharStyle(PMString name) const override { return FindStyle(IID_ICHARSTYLEGROUPMANAGER, name); }
  UID FindParaStyle(PMString name) const override { return FindStyle(IID_IPARASTYLEGROUPMANAGER, name); }

  void Advance(int32 count) override { index_ += count; }

  UIDRef GetDocumentRef() const override { return db_ ? UIDRef(db_, db_->GetRootUID()) : UIDRef(); }

  UIDRef GetWorkspaceRef() const override {
    InterfacePtr<IDocument> document(GetDocumentRef(), IID_IDOCUMENT);
    return document ? document->GetDocWorkspace() : UIDRef::gNull;
  }

  bool16 IsValid() const override {
    InterfacePtr<ITextModel> model(QueryTextModel());
    return model && index_ >= 0 && index_ < model->TotalLength();
  }

  void RecomposeThrough() const override {
    // Asking which frame shows the index lays the story out up to it.
    InterfacePtr<IFrameList> frames(db_, story_, IID_IFRAMELIST);
    if (frames) frames->GetFrameContaining(index_);
  }

private:
  template <class Strand>
  Strand* QueryStrand(ClassID cls) const {
    InterfacePtr<ITextModel> model(QueryTextModel());
    return model ? static_cast<Strand*>(model->QueryStrand(cls, Strand::kDefaultIID)) : nullptr;
  }

  UID FindStyle(PMIID manager, const PMString& name) const {
    InterfacePtr<IStyleGroupManager> styles(GetWorkspaceRef(), manager);
    return styles ? styles->FindByName(StylePathOf(name)) : kInvalidUID;
  }

  IDataBase* db_ = nullptr;
  UID story_ = kInvalidUID;
  TextIndex index_ = kInvalidTextIndex;
};
}  // namespace

CREATE_PMINTERFACE(XRefTextLoc, kXRefTextLocImpl);
