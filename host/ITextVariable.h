#pragma once
// Text variables: a named text the document defines, shown where a U+0018
// character anchors an instance of it.
#include "IPMUnknown.h"
#include "LayoutIDs.h"
#include "PMString.h"
#include "UID.h"

class ITextVariable : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTVARIABLE;
  virtual PMString GetName() const = 0;
  virtual PMString GetText() const = 0;
  virtual void Set(const PMString& name, const PMString& text) = 0;
};

// The document's variables (on the document's root object).
class ITextVariableList : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTVARIABLELIST;
  virtual int32 GetVariableCount() const = 0;
  virtual UID GetNthVariableUID(int32 n) const = 0;
  virtual UID FindByName(const PMString& name) const = 0;  // ignores case
  virtual void Add(UID variable) = 0;
};

class ITextVariableInstance : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID = IID_ITEXTVARIABLEINSTANCE;
  virtual UID GetVariableUID() const = 0;
  virtual void SetVariableUID(UID variable) = 0;
  // The variable's current text; empty when the variable is gone.
  virtual PMString GetResultText() const = 0;
};
