#pragma once
// Fills a document's layout and document features: spreads and pages,
// sections, text frames threading stories, footnotes, text variables,
// paragraph numbering formats and the chapter number. Like DocumentBuilder,
// it changes the document directly (undoable only inside a transaction).
// Each call answers kInvalidUID or false when it cannot do what it is asked.
#include "host/ILayout.h"
#include "host/IDataBase.h"
#include "host/WideString.h"
#include <string>

class LayoutBuilder {
public:
  explicit LayoutBuilder(IDataBase* doc) : db_(doc) {}

  // A spread of one or two pages at the end of the document.
  UID AddSpread(int32 pages);
  // The n-th page of the document, from 0.
  UID PageUID(int32 n) const;
  UID SpreadUID(int32 n) const;
  // A frame on a page or, given a spread, on its pasteboard, appended to the
  // story's thread.
  UID AddTextFrame(UID parent, UID story, int32 columns, int32 lines, double x = 0, double y = 0);
  bool AddSection(const Section& section);
  bool SetFootnoteSettings(int32 style, int32 start, const std::string& refPrefix, const std::string& refSuffix,
                           const std::string& notePrefix, const std::string& noteSuffix,
                           const std::string& separator);
  // Inserts a footnote reference at the index of the story; the footnote's
  // own story holds U+0004, the separator and the text.
  UID AddFootnote(UID story, TextIndex at, const WideString& text);
  UID AddTextVariable(const std::string& name, const std::string& text);
  // Inserts an instance of the variable (U+0018) at the index of the story.
  UID InsertTextVariable(UID story, TextIndex at, UID variable);
  bool SetNumbering(UID paragraphStyle, const std::string& list, int32 level, const std::string& format);
  bool SetChapterNumber(int32 number, int32 style);

private:
  bool InsertAnchor(UID story, TextIndex at, char16_t c, ClassID cls, UID item);
  IDataBase* db_;
};
