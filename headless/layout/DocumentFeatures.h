#pragma once
// Text variables, paragraph numbering, the chapter number and the story's
// scripting object model.
#include "host/COwnedItem.h"
#include "host/INumbering.h"
#include "host/ITextVariable.h"
#include "host/ScriptObjectModel.h"
#include "host/UIDList.h"

class TextVariableImpl : public CPMUnknown<ITextVariable> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetName() const override { return name_; }
  PMString GetText() const override { return text_; }
  void Set(const PMString& name, const PMString& text) override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  PMString name_, text_;
};

class TextVariableListImpl : public CPMUnknown<ITextVariableList> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetVariableCount() const override { return vars_.Length(); }
  UID GetNthVariableUID(int32 n) const override { return vars_.At(n); }
  UID FindByName(const PMString& name) const override;
  void Add(UID variable) override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UIDList vars_;
};

class TextVariableInstanceImpl : public CPMUnknown<ITextVariableInstance> {
public:
  using CPMUnknown::CPMUnknown;
  UID GetVariableUID() const override { return var_; }
  void SetVariableUID(UID variable) override;
  PMString GetResultText() const override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  UID var_ = kInvalidUID;
};

class TextVariableOwnedItem : public COwnedItem {
public:
  using COwnedItem::COwnedItem;
};

class NumberingStyleImpl : public CPMUnknown<INumberingStyle> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetListName() const override { return list_; }
  int32 GetLevel() const override { return level_; }
  PMString GetFormat() const override { return format_; }
  void Set(const PMString& list, int32 level, const PMString& format) override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  PMString list_;
  int32 level_ = 1;
  PMString format_{"^1."};
};

class ChapterNumberImpl : public CPMUnknown<IChapterNumber> {
public:
  using CPMUnknown::CPMUnknown;
  int32 GetNumber() const override { return number_; }
  int32 GetStyle() const override { return style_; }
  void Set(int32 number, int32 style) override;
  void ReadWrite(IPMStream* s, ImplementationID);

private:
  int32 number_ = 1, style_ = 0;
};

class ChapterNumberServiceImpl : public CPMUnknown<IChapterNumberService> {
public:
  using CPMUnknown::CPMUnknown;
  PMString GetChapterNumberString(IDataBase* db) const override;
};

class ScriptObjectModelImpl : public CPMUnknown<IScriptObjectModel> {
public:
  using CPMUnknown::CPMUnknown;
  ErrorCode GetElementProperty(ScriptID element, ScriptID form, int32 index, ScriptID property,
                               ScriptData* out) override;
};

// The numbering of the paragraph holding a story index: its text and value.
// False when the paragraph is not numbered.
bool ParagraphNumber(IDataBase* db, UID story, TextIndex at, PMString* text, int32* value);
