#pragma once
// The known name closest to a mistyped one, for "did you mean" hints.
#include <string>
#include <vector>

// The name of `names` fewest single-character edits (insertions,
// deletions, substitutions) away from `word`, the first of equals; empty
// when none is within half the word's length, which would be no hint.
std::string NearestName(const std::string& word, const std::vector<std::string>& names);
