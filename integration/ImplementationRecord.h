#pragma once
// Registration records: one per implementation, built when the library loads
// and pushed at the head of a singly linked list.
#include "host/IImplementationRegistry.h"

struct ImplementationRecord {
  ImplementationID id;
  CreateImplFunc create;
  DestroyImplFunc destroy;
  SizeImplFunc size;
  ReadWriteImplFunc readWrite;  // null for implementations that do not persist
  uint32 reserved1;
  uint32 reserved2;
  ImplementationRecord* next;

  ImplementationRecord(ImplementationID id, CreateImplFunc create, DestroyImplFunc destroy, SizeImplFunc size,
                       ReadWriteImplFunc readWrite);
};

// The head of the list; null when no record exists.
ImplementationRecord* ImplementationRecordsHead();

// The (identifier, value) pairs registered beside the records: none.
struct RegistrationPair {
  uint32 id;
  uint32 value;
};
const RegistrationPair* RegistrationPairs(int32* count);

#define XREF_IMPL_CONCAT2(a, b) a##b
#define XREF_IMPL_CONCAT(a, b) XREF_IMPL_CONCAT2(a, b)
// Registers an implementation class under its identifier.
#define CREATE_PMINTERFACE(cls, implID)                                                                  \
  static ImplementationRecord XREF_IMPL_CONCAT(gRecord_, __LINE__)(                                     \
      implID, &ImplFunctions<cls>::Create, &ImplFunctions<cls>::Destroy, &ImplFunctions<cls>::Size, nullptr)
// Registers a persistent implementation class, with its ReadWrite.
#define CREATE_PERSIST_PMINTERFACE(cls, implID)                                                          \
  static ImplementationRecord XREF_IMPL_CONCAT(gRecord_, __LINE__)(                                     \
      implID, &ImplFunctions<cls>::Create, &ImplFunctions<cls>::Destroy, &ImplFunctions<cls>::Size,    \
      &ImplFunctions<cls>::ReadWrite)
