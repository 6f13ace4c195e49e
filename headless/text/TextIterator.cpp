#include "host/TextIterator.h"

namespace {
constexpr int32 kWindow = 256;
bool IsHigh(char16_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool IsLow(char16_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
}  // namespace

TextIterator::TextIterator(ITextModel* model, TextIndex at) : pos_(at) {
  if (!model) return;
  model->AddRef();
  model_.reset(model);
  total_ = model->TotalLength();
}

bool TextIterator::IsNull() const { return !model_ || pos_ < 0 || pos_ >= total_; }

char16_t TextIterator::Unit(TextIndex at) const {
  if (!model_ || at < 0 || at >= total_) return 0;
  TextIndex end = windowStart_ + static_cast<TextIndex>(window_.size());
  if (at < windowStart_ || at >= end) {
    windowStart_ = at >= kWindow / 2 ? at - kWindow / 2 : 0;
    window_ = model_->CopyText(windowStart_, kWindow).Units();
    if (at >= windowStart_ + static_cast<TextIndex>(window_.size())) return 0;
  }
  return window_[static_cast<size_t>(at - windowStart_)];
}

UTF32TextChar TextIterator::operator*() const {
  if (IsNull()) return UTF32TextChar(0);
  char16_t u = Unit(pos_);
  if (IsHigh(u) && IsLow(Unit(pos_ + 1)))
    return UTF32TextChar(0x10000 + ((u - 0xD800u) << 10) + (Unit(pos_ + 1) - 0xDC00u));
  return UTF32TextChar(u);
}

TextIterator& TextIterator::operator++() {
  if (IsNull()) return *this;
  pos_ += (**this).CodeUnits();
  return *this;
}

TextIterator& TextIterator::operator--() {
  if (!model_ || pos_ <= 0) {
    pos_ = kInvalidTextIndex;
    return *this;
  }
  --pos_;
  if (pos_ > 0 && IsLow(Unit(pos_)) && IsHigh(Unit(pos_ - 1))) --pos_;
  return *this;
}

TextIterator& TextIterator::operator+=(int32 characters) {
  for (; characters > 0 && !IsNull(); --characters) ++*this;
  for (; characters < 0 && pos_ > 0; ++characters) --*this;
  return *this;
}
