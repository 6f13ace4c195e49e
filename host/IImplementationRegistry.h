#pragma once
// The host's table of implementations: for each implementation identifier,
// how to create, destroy, size and persist it. Plug-ins install theirs here.
#include "IPMStream.h"
#include <cstddef>
#include <new>

typedef IPMUnknown* (*CreateImplFunc)(void* memory, IPMUnknown* boss);
typedef void (*DestroyImplFunc)(IPMUnknown* impl);
typedef size_t (*SizeImplFunc)();
typedef void (*ReadWriteImplFunc)(IPMUnknown* impl, IPMStream* s, ImplementationID id);

class IImplementationRegistry : public IPMUnknown {
public:
  static constexpr PMIID kDefaultIID{0x104};

  virtual void InstallImplementation(PluginID plugin, ImplementationID id, CreateImplFunc create,
                                     DestroyImplFunc destroy, SizeImplFunc size, ReadWriteImplFunc readWrite,
                                     uint32 reserved1, uint32 reserved2) = 0;
  virtual void InstallPair(uint32 id, uint32 value) = 0;
};

// The functions of one implementation class. An implementation derives from
// exactly one interface, so IPMUnknown is an unambiguous base.
template <class Impl>
struct ImplFunctions {
  static IPMUnknown* Create(void* memory, IPMUnknown* boss) { return new (memory) Impl(boss); }
  static void Destroy(IPMUnknown* impl) { static_cast<Impl*>(impl)->~Impl(); }
  static size_t Size() { return sizeof(Impl); }
  static void ReadWrite(IPMUnknown* impl, IPMStream* s, ImplementationID id) {
    static_cast<Impl*>(impl)->ReadWrite(s, id);
  }
};
