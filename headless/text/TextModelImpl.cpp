#include "headless/text/TextModelImpl.h"
#include "headless/database/DataBase.h"
#include "headless/text/TextStrand.h"
#include "host/InterfacePtr.h"

constexpr ClassID TextModelImpl::kStrandClasses[5];

namespace {
// The text strand of a story, or null.
InterfacePtr<ITextStrand> TextOf(const TextModelImpl* model) {
  return InterfacePtr<ITextStrand>(
      static_cast<ITextStrand*>(model->QueryStrand(kTextStrandBoss, IID_ITEXTSTRAND)));
}
}  // namespace

int32 TextModelImpl::TotalLength() const {
  auto text = TextOf(this);
  return text ? static_cast<TextStrand*>(text.get())->Text().Length() : 0;
}

WideString TextModelImpl::CopyText(TextIndex start, int32 count) const {
  WideString result;
  auto text = TextOf(this);
  if (text) static_cast<TextStrand*>(text.get())->Text().Copy(start, count, &result.Units());
  return result;
}

char16_t TextModelImpl::GetUnit(TextIndex at) const {
  auto text = TextOf(this);
  return text ? static_cast<TextStrand*>(text.get())->Text().At(at) : char16_t(0);
}

IPMUnknown* TextModelImpl::QueryStrand(ClassID strand, PMIID iid) const {
  UID uid = StrandUID(strand);
  // The model asks its own object, and one lookup serves both the check of
  // the class and the interface: every command's editor asks for all five.
  auto* db = static_cast<DataBase*>(Boss()->GetDataBase());
  HostObject* object = uid == kInvalidUID || !db ? nullptr : db->FindObject(uid);
  return object && object->GetClass() == strand ? object->QueryInterface(iid) : nullptr;
}

UID TextModelImpl::StrandUID(ClassID strand) const {
  for (size_t i = 0; i < 5; ++i)
    if (kStrandClasses[i] == strand) return strands_[i];
  return kInvalidUID;
}

void TextModelImpl::SetStrand(ClassID strand, UID uid) {
  for (size_t i = 0; i < 5; ++i) {
    if (kStrandClasses[i] != strand || strands_[i] == uid) continue;
    PreDirty();
    strands_[i] = uid;
  }
}

void TextModelImpl::ReadWrite(IPMStream* s, ImplementationID) {
  for (UID& uid : strands_) s->XferObject(uid);
}
