#pragma once
// Changes a story through all its strands at once, so that they stay in
// step. Every edit first checks its range against the story (and that no
// surrogate pair is split) and changes nothing when it fails. Inside a
// transaction the changes are undoable; outside one (building a document)
// they are not. Commands go through this; so does the document builder.
// Owned items after an edit are not told that they moved: their index is
// read from the strand when asked, and composition tells the items of the
// lines an edit really changed (telling every later item would make each
// edit cost as much as the items after it).
#include "headless/text/CharAttrStrand.h"
#include "headless/text/OwnedItemStrand.h"
#include "headless/text/ParaAttrStrand.h"
#include "headless/text/ParagraphStrand.h"
#include "headless/text/TextStrand.h"
#include "host/InterfacePtr.h"
#include "host/ITextModel.h"
#include <string>

class StoryEditor {
public:
  explicit StoryEditor(const UIDRef& story);

  // The story exists and its strands agree on its length.
  bool IsValid() const;
  int32 Length() const;
  IDataBase* GetDataBase() const { return db_; }
  UIDRef GetStoryRef() const { return UIDRef(db_, uid_); }

  // Text inserted at `at` (0 <= at < Length()) carries the attributes in
  // force there and belongs to the paragraph it goes into.
  ErrorCode Insert(TextIndex at, const std::u16string& units);
  // Deletes [at, at + count), never the final paragraph return. Owned items
  // still anchored there lose their anchor (commands ask them first).
  ErrorCode Delete(TextIndex at, int32 count);
  // A character style replaces the style and the local attributes the style
  // sets; an empty range applies to the insertion point at `at`.
  ErrorCode ApplyCharStyle(TextIndex at, int32 count, UID style);
  ErrorCode ApplyAttributes(TextIndex at, int32 count, const AttributeBossList& attrs);
  // Paragraph attributes go to every paragraph the range touches.
  ErrorCode ApplyParaStyle(TextIndex at, int32 count, UID style);
  ErrorCode SetNumbering(TextIndex at, int32 count, int32 kind);
  // Pasting: attribute sets as they were copied.
  ErrorCode FillCharAttrs(TextIndex at, int32 count, const CharAttrs& attrs);
  ErrorCode FillParagraph(TextIndex at, const ParaAttrs& attrs);

  const TextStrand* Text() const { return static_cast<const TextStrand*>(text_.get()); }
  const ParagraphStrand* Paragraphs() const { return static_cast<const ParagraphStrand*>(paras_.get()); }
  const ParaAttrStrand* ParagraphAttributes() const { return static_cast<const ParaAttrStrand*>(paraAttrs_.get()); }
  const CharAttrStrand* CharacterAttributes() const { return static_cast<const CharAttrStrand*>(charAttrs_.get()); }
  OwnedItemStrand* OwnedItems() const { return static_cast<OwnedItemStrand*>(owned_.get()); }

  // A new story ("\r" in the workspace's root styles) in the database, added
  // to the document's story list; kInvalidUID on failure.
  static UID NewStory(IDataBase* db);

private:
  // 0 <= at and at + count <= limit, and neither end splits a surrogate pair.
  bool InRange(TextIndex at, int32 count, int32 limit) const;
  bool SplitsPair(TextIndex at) const;
  bool IsStyle(UID style, bool paragraph) const;
  bool AtParagraphStart(TextIndex at) const;
  // The start and length of the whole paragraphs that [at, at + count) touches.
  void ParagraphSpan(TextIndex at, int32 count, TextIndex* start, int32* length) const;

  TextStrand* MutText() { return static_cast<TextStrand*>(text_.get()); }
  ParagraphStrand* MutParagraphs() { return static_cast<ParagraphStrand*>(paras_.get()); }
  ParaAttrStrand* MutParaAttrs() { return static_cast<ParaAttrStrand*>(paraAttrs_.get()); }
  CharAttrStrand* MutCharAttrs() { return static_cast<CharAttrStrand*>(charAttrs_.get()); }

  IDataBase* db_ = nullptr;
  UID uid_ = kInvalidUID;
  InterfacePtr<ITextStrand> text_;
  InterfacePtr<IParagraphStrand> paras_;
  InterfacePtr<IParaAttrStrand> paraAttrs_;
  InterfacePtr<ICharAttrStrand> charAttrs_;
  InterfacePtr<IOwnedItemStrand> owned_;
};
