#pragma once
// A list of character attributes to apply, one per attribute class. Copies
// share one reference-counted list until one of them changes it; an empty
// list holds none, so that making one costs nothing.
#include "PMString.h"
#include "UID.h"
#include <boost/shared_ptr.hpp>
#include <vector>

struct TextAttribute {
  ClassID cls = kInvalidClass;
  int64 intValue = 0;    // booleans, modes, sizes in thousandths, font or swatch UIDs
  double realValue = 0;  // point sizes
  PMString stringValue;  // font style names
  bool operator==(const TextAttribute& o) const {
    return cls == o.cls && intValue == o.intValue && realValue == o.realValue && stringValue == o.stringValue;
  }
};

class AttributeBossList {
public:
  AttributeBossList();
  // Replaces any attribute of the same class.
  void ApplyAttribute(const TextAttribute& attr);
  void ApplyAttributes(const AttributeBossList& other);
  void ClearAttribute(ClassID cls);
  int32 CountBosses() const { return list_ ? static_cast<int32>(list_->size()) : 0; }
  const TextAttribute& GetNth(int32 n) const { return (*list_)[static_cast<size_t>(n)]; }
  const TextAttribute* Find(ClassID cls) const;
  bool operator==(const AttributeBossList& o) const;
  bool SharesStorageWith(const AttributeBossList& o) const { return list_ == o.list_; }

private:
  void Detach();
  boost::shared_ptr<std::vector<TextAttribute>> list_;
};
