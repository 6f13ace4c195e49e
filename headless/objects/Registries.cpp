#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"
#include "headless/objects/StringTable.h"
#include "host/WideString.h"
#include <algorithm>
#include <set>
#include <sstream>

void ImplRegistry::Install(const ImplRecord& r) {
  records_[r.id] = r;
  ++installs_;
}

const ImplRecord* ImplRegistry::Find(ImplementationID id) const {
  auto it = records_.find(id);
  return it == records_.end() ? nullptr : &it->second;
}

void ClassRegistry::Define(const ClassDef& def) {
  defs_[def.id] = def;
  resolved_.clear();
  ++generation_;
}

void ClassRegistry::AddIn(ClassID id, const std::vector<std::pair<PMIID, ImplementationID>>& impls) {
  auto& list = addins_[id];
  for (auto& entry : impls) {
    auto same = std::find_if(list.begin(), list.end(), [&](auto& e) { return e.first == entry.first; });
    if (same != list.end()) same->second = entry.second;
    else list.push_back(entry);
  }
  resolved_.clear();
  ++generation_;
}

bool ClassRegistry::Resolve(ClassID id, std::vector<std::pair<PMIID, ImplementationID>>* out) const {
  auto cached = resolved_.find(id);
  if (cached != resolved_.end()) {
    *out = cached->second;
    return true;
  }
  std::vector<const ClassDef*> chain;
  std::set<ClassID> seen;
  for (ClassID c = id; c != kInvalidClass;) {
    auto it = defs_.find(c);
    if (it == defs_.end() || !seen.insert(c).second) return false;
    chain.push_back(&it->second);
    c = it->second.parent;
  }
  std::vector<std::pair<PMIID, ImplementationID>> result;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
    std::vector<std::pair<PMIID, ImplementationID>> own = (*it)->impls;
    auto added = addins_.find((*it)->id);
    if (added != addins_.end()) own.insert(own.end(), added->second.begin(), added->second.end());
    for (auto& entry : own) {
      bool replaced = false;
      for (auto& r : result) {
        if (r.first == entry.first) {
          r.second = entry.second;
          replaced = true;
        }
      }
      if (!replaced) result.push_back(entry);
    }
  }
  resolved_[id] = result;
  *out = std::move(result);
  return true;
}

bool ClassRegistry::IsA(ClassID id, ClassID ancestor) const {
  std::set<ClassID> seen;
  for (ClassID c = id; c != kInvalidClass && seen.insert(c).second;) {
    if (c == ancestor) return true;
    auto it = defs_.find(c);
    if (it == defs_.end()) return false;
    c = it->second.parent;
  }
  return false;
}

std::vector<ClassID> ClassRegistry::ClassesWith(PMIID iid) const {
  std::vector<ClassID> result;
  for (auto& entry : defs_) {
    std::vector<std::pair<PMIID, ImplementationID>> impls;
    Resolve(entry.first, &impls);
    for (auto& impl : impls) {
      if (impl.first == iid) {
        result.push_back(entry.first);
        break;
      }
    }
  }
  std::sort(result.begin(), result.end());
  return result;
}

static bool ParseNumber(const std::string& tok, uint32_t* out) {
  if (tok.empty()) return false;
  try {
    size_t used = 0;
    unsigned long v = std::stoul(tok, &used, 0);
    if (used != tok.size() || v > 0xFFFFFFFFul) return false;
    *out = static_cast<uint32_t>(v);
    return true;
  } catch (...) {
    return false;
  }
}

bool ClassRegistry::ParseDefinitions(const std::string& text, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  std::vector<ClassDef> parsed, addins;
  while (std::getline(lines, line)) {
    ++lineNo;
    auto hash = line.find('#');
    if (hash != std::string::npos) line.erase(hash);
    std::istringstream words(line);
    std::string word;
    if (!(words >> word)) continue;
    auto fail = [&](const std::string& why) {
      if (error) *error = "class definitions line " + std::to_string(lineNo) + ": " + why;
      return false;
    };
    if (word != "class" && word != "addin") return fail("expected 'class' or 'addin'");
    bool isAddIn = word == "addin";
    ClassDef def;
    uint32_t v;
    if (!(words >> word) || !ParseNumber(word, &v)) return fail("bad class identifier");
    def.id = ClassID{v};
    if (!(words >> word)) return fail("expected ':'");
    if (word == "parent" && !isAddIn) {
      if (!(words >> word) || !ParseNumber(word, &v)) return fail("bad parent identifier");
      def.parent = ClassID{v};
      if (!(words >> word)) return fail("expected ':'");
    }
    if (word != ":") return fail("expected ':'");
    while (words >> word) {
      auto eq = word.find('=');
      uint32_t iid, impl;
      if (eq == std::string::npos || !ParseNumber(word.substr(0, eq), &iid) ||
          !ParseNumber(word.substr(eq + 1), &impl))
        return fail("bad interface entry '" + word + "'");
      def.impls.emplace_back(PMIID{iid}, ImplementationID{impl});
    }
    (isAddIn ? addins : parsed).push_back(def);
  }
  for (auto& def : parsed) Define(def);
  for (auto& def : addins) AddIn(def.id, def.impls);
  return true;
}

const std::string* StringTable::Find(const std::string& key) const {
  auto it = table_.find(key);
  return it == table_.end() ? nullptr : &it->second;
}

const std::u16string* StringTable::FindUnits(const std::u16string& key) const {
  auto known = units_.find(key);
  if (known == units_.end()) {
    // Translatable text that is no key should not grow the memo for ever.
    if (units_.size() >= 4096) units_.clear();
    const std::string* text = Find(Utf::ToUTF8(key));
    known = units_.emplace(key, text ? std::optional<std::u16string>(Utf::ToUTF16(*text)) : std::nullopt).first;
  }
  return known->second ? &*known->second : nullptr;
}

bool StringTable::Parse(const std::string& text, std::string* error) {
  std::istringstream lines(text);
  std::string line;
  int lineNo = 0;
  std::map<std::string, std::string> parsed;
  while (std::getline(lines, line)) {
    ++lineNo;
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos || line[start] == '#') continue;
    auto eq = line.find(" = ");
    if (eq == std::string::npos) {
      if (error) *error = "string table line " + std::to_string(lineNo) + ": expected 'key = text'";
      return false;
    }
    std::string key = line.substr(start, eq - start);
    std::string raw = line.substr(eq + 3), text;
    for (size_t i = 0; i < raw.size(); ++i) {
      if (raw[i] == '\\' && i + 1 < raw.size()) {
        char c = raw[++i];
        text.push_back(c == 'n' ? '\n' : c == 't' ? '\t' : c);
      } else {
        text.push_back(raw[i]);
      }
    }
    parsed[key] = text;
  }
  for (auto& e : parsed) table_[e.first] = e.second;
  units_.clear();
  return true;
}
