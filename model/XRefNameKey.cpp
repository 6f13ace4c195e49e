#include "model/XRefNameKey.h"
#include <unicode/uchar.h>

PMString XRefNameKey(const PMString& name) {
  const std::u16string& units = name.Units();
  std::u16string folded;
  folded.reserve(units.size());
  for (size_t i = 0; i < units.size();)
    Utf::AppendUTF16(folded, static_cast<uint32_t>(u_foldCase(static_cast<UChar32>(Utf::NextScalar(units, i)),
                                                              U_FOLD_CASE_DEFAULT)));
  PMString key(folded);
  key.SetTranslatable(false);
  return key;
}
