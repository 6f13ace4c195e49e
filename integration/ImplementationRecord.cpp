#include "integration/ImplementationRecord.h"

namespace {
// Constant-initialized, so records of any translation unit may join it during
// dynamic initialization in any order.
ImplementationRecord* gHead = nullptr;
}  // namespace

ImplementationRecord::ImplementationRecord(ImplementationID id_, CreateImplFunc create_, DestroyImplFunc destroy_,
                                           SizeImplFunc size_, ReadWriteImplFunc readWrite_)
    : id(id_), create(create_), destroy(destroy_), size(size_), readWrite(readWrite_), reserved1(0), reserved2(0),
      next(gHead) {
  gHead = this;
}

ImplementationRecord* ImplementationRecordsHead() { return gHead; }

const RegistrationPair* RegistrationPairs(int32* count) {
  *count = 0;
  return nullptr;
}
