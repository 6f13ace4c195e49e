#include "headless/database/LoadChecks.h"
#include <algorithm>
#include <vector>

namespace {
std::vector<LoadChecks::Check>& All() {
  static std::vector<LoadChecks::Check> all;
  return all;
}
}  // namespace

void LoadChecks::Add(Check check) {
  if (check && std::find(All().begin(), All().end(), check) == All().end()) All().push_back(check);
}

bool LoadChecks::RunAll(DataBase& db, std::string* error) {
  for (Check check : All())
    if (!check(db, error)) return false;
  return true;
}
