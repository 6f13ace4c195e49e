#pragma once
// The `lang` condition: an element is output only where the destination's
// language is one of those its value names. The composer and the previewer
// share this one filter, so that a preview shows what composing writes.
#include "host/PMString.h"
#include <vector>

class IXRefTextLoc;

// The translated name of the language text inserted at the destination
// would carry; empty when it has none.
PMString DestinationLanguageName(IXRefTextLoc* destination);
// Whether the ";"-separated list names the language, ignoring letter case
// and the white space around each name. An empty name matches nothing.
bool16 LanguageListNames(const PMString& list, const PMString& language);

// Invariant: one saved flag per element entered and not yet left.
class XRefLanguageFilter {
public:
  // At the start of a document: nothing suppressed, nothing saved.
  void Reset();
  // At an element start: saves the flag in force, then decides the
  // element's own. A non-empty list decides afresh, so a matching list
  // inside a non-matching one outputs; an empty or absent one inherits.
  // True when the element is output.
  bool16 Enter(const PMString& list, IXRefTextLoc* destination);
  // At the element's end: the flag in force before it.
  void Leave();
  bool16 Suppressed() const { return suppressed_; }

private:
  std::vector<bool16> saved_;
  bool16 suppressed_ = false;
};
