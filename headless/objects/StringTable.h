#pragma once
// Translations of message keys for the current language. Plug-ins add their
// tables from their resources; the host adds its own.
#include "host/PMString.h"
#include <map>
#include <string>

class StringTable {
public:
  void Add(const std::string& key, const std::string& text) { table_[key] = text; }
  // Null when the key has no translation.
  const std::string* Find(const std::string& key) const;
  size_t Size() const { return table_.size(); }
  // Lines of the form  key = text  (text may hold \n and \t escapes); '#' comments.
  bool Parse(const std::string& resourceText, std::string* error);

private:
  std::map<std::string, std::string> table_;
};
