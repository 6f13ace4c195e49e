#pragma once
// Fills a document outside any transaction, so it carries no undo history:
// the workspace's fonts, swatches, languages and styles, then stories built
// paragraph by paragraph. Style paths name groups and the style separated
// by ':' ("Headings:Chapter"). Each call answers kInvalidUID or false when
// it cannot do what it is asked (a name taken, a style unknown), changing
// nothing.
#include "host/AttributeBossList.h"
#include "host/IDataBase.h"
#include "host/TextIDs.h"
#include "host/WideString.h"
#include <string>
#include <vector>

class DocumentBuilder {
public:
  explicit DocumentBuilder(IDataBase* doc) : db_(doc) {}
  IDataBase* GetDataBase() const { return db_; }

  UID AddFont(const std::string& family, const std::vector<std::string>& styles);
  UID AddSwatch(const std::string& name, uint32 rgb);
  // A host language key ("kLanguageGerman") stays a key the host translates;
  // any other name is kept as it is.
  UID AddLanguage(const std::string& name);
  UID AddParagraphStyle(const std::string& path, const AttributeBossList& attrs, int32 numbering = kNoNumbering);
  UID AddCharacterStyle(const std::string& path, const AttributeBossList& attrs);
  // Replaces what the root paragraph style ("[Basic Paragraph]") sets.
  bool SetBaseAttributes(const AttributeBossList& attrs);

  UID FindFont(const std::string& family) const;
  UID FindSwatch(const std::string& name) const;
  UID FindLanguage(const std::string& name) const;
  // "" names the root style.
  UID FindParagraphStyle(const std::string& path) const;
  UID FindCharacterStyle(const std::string& path) const;

  // Stories: a new one holds one empty paragraph in the root styles.
  UID NewStory();
  // Starts a paragraph at the story's end (the first call takes the empty
  // paragraph a new story holds). kInvalidUID: the root style.
  bool AddParagraph(UID story, UID style = kInvalidUID, int32 numbering = -1);
  // Appends text to the last paragraph; answers where it starts, -1 on
  // failure. Text may not hold a paragraph return.
  TextIndex AddRun(UID story, const WideString& text, UID charStyle = kInvalidUID,
                   const AttributeBossList& overrides = AttributeBossList());
  bool SetLocked(UID story, bool locked);

private:
  IDataBase* db_;
  std::vector<UID> started_;  // stories whose first paragraph was taken
};

// "Group:Name" with U+E00B for ':', as style lookups expect.
PMString StylePath(const std::string& path);
