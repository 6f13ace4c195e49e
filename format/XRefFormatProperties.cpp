#include "format/XRefFormatProperties.h"
#include "format/IXRefTextLoc.h"
#include "host/IFontList.h"
#include "host/ISwatchList.h"
#include "host/InterfacePtr.h"
#include "host/TextAttr.h"
#include "host/UnicodeClass.h"
#include <cmath>

namespace {
bool Is(const PMString& text, const char* keyword) { return text.IsEqualNoCase(PMString(keyword)); }

bool IsWordCharacter(UTF32TextChar c) {
  return UnicodeClass::IsLetter(c) || UnicodeClass::IsRomanDigit(c) || UnicodeClass::IsJapaneseNumeral(c);
}

// The number the text starts with ("9.5 pt" gives 9.5); false when it
// starts with none.
bool LeadingNumber(const PMString& text, double* number) {
  const std::u16string& units = text.Units();
  double value = 0, scale = 1;
  bool digits = false, fraction = false;
  for (char16_t c : units) {
    if (c >= u'0' && c <= u'9') {
      digits = true;
      if (fraction) value += (c - u'0') * (scale /= 10);
      else value = value * 10 + (c - u'0');
    } else if (c == u'.' && !fraction) {
      fraction = true;
    } else {
      break;
    }
  }
  *number = value;
  return digits;
}

// A yes/no keyword: 1 on, 0 off, -1 neither.
int32 Switch(const PMString& value) {
  if (Is(value, "yes") || Is(value, "true")) return 1;
  if (Is(value, "no") || Is(value, "false")) return 0;
  return -1;
}

int32 PositionMode(const PMString& value) {
  if (Is(value, "sub") || Is(value, "subscript")) return TextAttr::kPositionSubscript;
  if (Is(value, "sup") || Is(value, "super") || Is(value, "superscript")) return TextAttr::kPositionSuperscript;
  if (Is(value, "normal")) return TextAttr::kPositionNormal;
  return -1;
}

int32 CapitalizationMode(const PMString& value) {
  if (Is(value, "smallcaps") || Is(value, "small")) return TextAttr::kCapsSmall;
  if (Is(value, "allcaps") || Is(value, "all")) return TextAttr::kCapsAll;
  if (Is(value, "normal")) return TextAttr::kCapsNormal;
  return -1;
}

class PropertySetter {
public:
  PropertySetter(IXRefTextLoc* destination, AttributeBossList* out) : destination_(destination), out_(out) {}

  ErrorCode Set(const PMString& name, const PMString& value) {
    if (Is(name, "font-family")) return SetFontFamily(value);
    if (Is(name, "font-style")) out_->ApplyAttribute(TextAttr::FontStyle(value));
    else if (Is(name, "font-size")) SetPointSize(value);
    else if (Is(name, "color")) SetColor(value);
    else if (Is(name, "underline")) SetSwitch(value, TextAttr::Underline);
    else if (Is(name, "strike")) SetSwitch(value, TextAttr::Strikethrough);
    else if (Is(name, "nobreak")) SetSwitch(value, TextAttr::NoBreak);
    else if (Is(name, "position")) SetMode(PositionMode(value), TextAttr::Position);
    else if (Is(name, "case")) SetMode(CapitalizationMode(value), TextAttr::Capitalization);
    return kSuccess;
  }

private:
  ErrorCode SetFontFamily(const PMString& value) {
    InterfacePtr<IFontList> fonts(destination_->GetWorkspaceRef(), IID_IFONTLIST);
    const UID family = fonts ? fonts->FindFamily(value) : kInvalidUID;
    if (family == kInvalidUID) return kFailure;
    out_->ApplyAttribute(TextAttr::Font(family));
    return kSuccess;
  }

  // Text of no size (or of none given) would vanish: such a value sets nothing.
  void SetPointSize(const PMString& value) {
    double points = 0;
    if (LeadingNumber(value, &points) && points > 0 && std::isfinite(points)) out_->ApplyAttribute(TextAttr::PointSize(points));
  }

  void SetColor(const PMString& value) {
    InterfacePtr<ISwatchList> swatches(destination_->GetWorkspaceRef(), IID_ISWATCHLIST);
    const UID swatch = swatches ? swatches->FindSwatch(value) : kInvalidUID;
    if (swatch != kInvalidUID) out_->ApplyAttribute(TextAttr::FillColor(swatch));
  }

  void SetSwitch(const PMString& value, TextAttribute (*make)(bool16)) {
    const int32 on = Switch(value);
    if (on >= 0) out_->ApplyAttribute(make(on == 1));
  }

  void SetMode(int32 mode, TextAttribute (*make)(int32)) {
    if (mode >= 0) out_->ApplyAttribute(make(mode));
  }

  IXRefTextLoc* destination_;
  AttributeBossList* out_;
};

// Collects "name: value" pairs. Characters before a name's or a value's first
// word character are dropped; from there on everything up to ":" (for the
// name) or ";" (for the value) is kept as written.
class PropertyScanner {
public:
  explicit PropertyScanner(PropertySetter* setter) : setter_(setter) {}

  ErrorCode Scan(const PMString& value) {
    std::u16string text = value.Units();
    text.push_back(u';');
    for (size_t i = 0; i < text.size();) {
      const UTF32TextChar c = Utf::NextScalar(text, i);
      const ErrorCode result = Take(c);
      if (result != kSuccess) return result;
    }
    return kSuccess;
  }

private:
  ErrorCode Take(UTF32TextChar c) {
    if (IsWordCharacter(c)) {
      if (inName_) {
        Append(name_, c);
        if (inValue_) Append(value_, c);
      } else if (inValue_) {
        Append(value_, c);
      } else if (name_.empty()) {
        Append(name_, c);
        inName_ = true;
      } else if (value_.empty()) {
        Append(value_, c);
        inValue_ = true;
      }
    } else if (c == U':') {
      inName_ = false;
      if (inValue_) Append(value_, c);
    } else if (c == U';') {
      ErrorCode result = kSuccess;
      if (!name_.empty() && !value_.empty()) result = setter_->Set(PMString(name_), PMString(value_));
      name_.clear();
      value_.clear();
      inName_ = inValue_ = false;
      return result;
    } else {
      if (inName_) Append(name_, c);
      if (inValue_) Append(value_, c);
    }
    return kSuccess;
  }

  static void Append(std::u16string& buffer, UTF32TextChar c) { Utf::AppendUTF16(buffer, c); }

  PropertySetter* setter_;
  std::u16string name_, value_;
  bool inName_ = false, inValue_ = false;
};
}  // namespace

ErrorCode ReadFormatProperties(const PMString& value, IXRefTextLoc* destination, AttributeBossList* out) {
  if (!destination || !out || !destination->IsValid()) return kFailure;
  PropertySetter setter(destination, out);
  PropertyScanner scanner(&setter);
  return scanner.Scan(value);
}
