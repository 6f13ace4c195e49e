#pragma once
// Steps over a story's characters as Unicode scalar values. A surrogate pair
// is one character of two code units; a lone surrogate is a character of its
// own. Outside the story the iterator is null and reads as 0. An iterator
// knows the story as it was when made: make a new one after changing it.
#include "ITextModel.h"
#include "InterfacePtr.h"
#include "UTF32TextChar.h"
#include <string>

class TextIterator {
public:
  TextIterator() = default;
  TextIterator(ITextModel* model, TextIndex at);

  bool IsNull() const;
  TextIndex Position() const { return pos_; }
  UTF32TextChar operator*() const;
  TextIterator& operator++();  // to the next character
  TextIterator& operator--();  // to the previous character
  TextIterator& operator+=(int32 characters);
  bool operator==(const TextIterator& o) const { return model_.get() == o.model_.get() && pos_ == o.pos_; }
  bool operator!=(const TextIterator& o) const { return !(*this == o); }

private:
  char16_t Unit(TextIndex at) const;

  InterfacePtr<ITextModel> model_;
  TextIndex pos_ = kInvalidTextIndex;
  int32 total_ = 0;
  // A window of the text read ahead, so stepping is not one query per unit.
  mutable std::u16string window_;
  mutable TextIndex windowStart_ = 0;
};
