#pragma once
// Where each implementation of a class's objects lives: its implementations
// in the order the class resolves them, each at an aligned offset inside one
// block, so that making an object takes one allocation for all of them.
// Worked out once per class; every plan is dropped when a class definition
// or an implementation record changes.
#include "headless/objects/ClassRegistry.h"
#include "headless/objects/ImplRegistry.h"
#include <array>
#include <unordered_map>
#include <vector>

class ClassLayouts {
public:
  struct Part {
    PMIID iid;
    const ImplRecord* record;
    size_t offset;
  };
  struct Layout {
    std::vector<Part> parts;
    size_t size = 0;
  };

  // Null when the class is unknown or names an unregistered implementation.
  const Layout* Of(ClassID cls, const ClassRegistry& classes, const ImplRegistry& impls);

private:
  std::unordered_map<ClassID, Layout> layouts_;
  // Plans asked for lately, by the low bits of the class: most objects made
  // are of a few classes, and this spares the map for them.
  std::array<std::pair<ClassID, const Layout*>, 64> recent_{};
  uint64_t generation_ = 0;
  int32 installs_ = -1;
};
