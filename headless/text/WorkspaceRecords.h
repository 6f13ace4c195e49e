#pragma once
// Descriptions of the workspace objects (styles, fonts, swatches, languages)
// that copied text names, kept with the copy, so that a paste into another
// document finds them there by name, or makes them, whether or not the
// document they came from is still open.
#include "headless/text/CharAttrs.h"
#include "host/IDataBase.h"
#include <map>
#include <string>

class WorkspaceRecords {
public:
  void Collect(IDataBase* source, const CharAttrs& attrs);
  void Collect(IDataBase* source, const ParaAttrs& attrs);
  // Starts a paste into `target`; `sameDatabase` when the copy came from it,
  // whose objects that still exist are then used as they are.
  void BeginImport(IDataBase* target, bool sameDatabase);
  // The sets with every UID in the target's terms. A local attribute naming
  // an object nothing describes (a plug-in's) is dropped; a style that
  // cannot be had becomes the root style.
  CharAttrs Import(const CharAttrs& attrs);
  ParaAttrs Import(const ParaAttrs& attrs);

private:
  struct Record {
    enum Kind { kCharStyle, kParaStyle, kFont, kSwatch, kLanguage } kind = kCharStyle;
    PMString name;  // a style's full path
    bool root = false;
    AttributeBossList attrs;
    int32 numbering = 0;
    std::vector<PMString> fontStyles;
    uint32 rgb = 0;
  };
  void CollectUID(IDataBase* source, UID uid);
  void CollectAttributes(IDataBase* source, const AttributeBossList& list);
  UID ImportUID(UID uid);
  AttributeBossList ImportAttributes(const AttributeBossList& list);

  std::map<UID, Record> records_;
  IDataBase* target_ = nullptr;
  bool sameDatabase_ = false;
  std::map<UID, UID> imported_;
};
