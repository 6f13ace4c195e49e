#pragma once
// Translations of message keys for the current language. Plug-ins add their
// tables from their resources; the host adds its own.
#include "host/PMString.h"
#include <map>
#include <optional>
#include <string>
#include <unordered_map>

class StringTable {
public:
  void Add(const std::string& key, const std::string& text) {
    table_[key] = text;
    units_.clear();
  }
  // Null when the key has no translation.
  const std::string* Find(const std::string& key) const;
  // The same in UTF-16, for a key in UTF-16: strings are translated as they
  // are made, many times over, and each key is converted only once.
  const std::u16string* FindUnits(const std::u16string& key) const;
  size_t Size() const { return table_.size(); }
  // Lines of the form  key = text  (text may hold \n and \t escapes); '#' comments.
  bool Parse(const std::string& resourceText, std::string* error);

private:
  std::map<std::string, std::string> table_;
  // Keys looked up so far, with their translation if they have one; dropped
  // on change.
  mutable std::unordered_map<std::u16string, std::optional<std::u16string>> units_;
};
