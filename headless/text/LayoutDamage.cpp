#include "headless/text/LayoutDamage.h"
#include "headless/database/DataBase.h"
#include <algorithm>
#include <deque>
#include <map>

namespace {
constexpr size_t kJournalLength = 256;

// Invariant: entries are in revision order, every revision above `base`.
struct Journal {
  uint64_t base = 0;
  std::deque<std::pair<uint64_t, TextEdit>> edits;
  uint64_t Current() const { return edits.empty() ? base : edits.back().first; }
};

uint64_t gNextRevision = 1;
std::map<std::pair<uint64_t, UID>, Journal>& Journals() {
  static std::map<std::pair<uint64_t, UID>, Journal> journals;
  return journals;
}

// The journal found last: one edit records in several strands of one story,
// and composing asks again. Map entries stay put until ForgetAll.
struct LastJournal {
  std::pair<uint64_t, UID> key{0, kInvalidUID};
  Journal* journal = nullptr;
} gLast;

Journal& JournalOf(IDataBase* db, UID story) {
  auto key = std::make_pair(static_cast<DataBase*>(db)->InstanceId(), story);
  if (gLast.journal && gLast.key == key) return *gLast.journal;
  auto it = Journals().find(key);
  if (it == Journals().end()) {
    it = Journals().emplace(key, Journal()).first;
    it->second.base = gNextRevision++;
  }
  gLast = {key, &it->second};
  return it->second;
}
}  // namespace

void LayoutDamage::Record(IDataBase* db, UID story, const TextEdit& edit) {
  if (!db) return;
  Journal& j = JournalOf(db, story);
  j.edits.emplace_back(gNextRevision++, edit);
  if (j.edits.size() <= kJournalLength) return;
  j.base = j.edits.front().first;
  j.edits.pop_front();
}

void LayoutDamage::ForgetAll() {
  Journals().clear();
  gLast = LastJournal();
}

uint64_t LayoutDamage::Revision(IDataBase* db, UID story) { return db ? JournalOf(db, story).Current() : 0; }

bool LayoutDamage::EditsSince(IDataBase* db, UID story, uint64_t revision, std::vector<TextEdit>* out) {
  out->clear();
  if (!db) return false;
  const Journal& j = JournalOf(db, story);
  if (revision < j.base || revision > j.Current()) return false;
  // Revisions rise: the edits since are the journal's tail.
  auto since = std::upper_bound(j.edits.begin(), j.edits.end(), revision,
                                [](uint64_t r, const std::pair<uint64_t, TextEdit>& e) { return r < e.first; });
  for (; since != j.edits.end(); ++since) out->push_back(since->second);
  return true;
}
