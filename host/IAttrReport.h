#pragma once
// What an attribute class tells the host about itself. A plug-in's attribute
// class (for instance one that aggregates ITextAttrUID) carries an IAttrReport;
// the host asks it, through the attribute's class, where the answers matter.
// A class without a report is treated as the host's own attributes are:
// 1, 1, 1, 1, 1. Answers are read once per class and must not change.
#include "AttributeBossList.h"
#include "IPMUnknown.h"
#include "TextIDs.h"
#include "UIDRef.h"

// A composed run of text with one set of attributes, as the adornment hook
// receives it.
class IWaxRun : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IWAXRUN;
  virtual UIDRef GetStoryRef() const = 0;
  virtual TextIndex GetStart() const = 0;
  virtual int32 GetLength() const = 0;
  // The run's value of an attribute class; false when the run has none.
  virtual bool16 GetAttribute(ClassID cls, TextAttribute* out) const = 0;
  // The adornment drawn over the run for the attribute class; kInvalidClass
  // (0) for none.
  virtual void SetAttrAdornment(ClassID attr, ClassID adornment) = 0;
};

class IAttrReport : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_IATTRREPORT;
  // 1: text typed right after a character carrying the attribute carries it
  // too (the insertion point takes it); 0: typed text does not.
  virtual int32 CarriedWhenTyping() const = 0;
  // 1: copying text keeps the attribute on the clipboard, and pasting brings
  // it back; 0: copies leave it behind.
  virtual int32 CopiedWithText() const = 0;
  // 1: character and paragraph styles may hold the attribute; 0: a style
  // definition drops it.
  virtual int32 AllowedInStyles() const = 0;
  // 1: the story's resolved attributes (ITextAttributes::GetResolvedAttributes,
  // what descriptions of text list) include it; 0: only queries by class see it.
  virtual int32 ListedWithResolvedAttributes() const = 0;
  // How the attribute shows: 0 not at all, 1 through the glyphs (the host's
  // own attributes), 2 through an adornment that AdornRun names.
  virtual int32 GetDrawKind() const = 0;
  // Draw kind 2: names the adornment for a composed run carrying the attribute.
  virtual void AdornRun(IWaxRun* run) = 0;
  // Appends a short description of the attribute to *text.
  virtual void AppendDescription(PMString* text) const = 0;
};
