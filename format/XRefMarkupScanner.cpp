#include "format/XRefMarkupScanner.h"

namespace {
enum class Context { kText, kTag, kValue, kComment, kCData, kInstruction };

// The escape that stands for a control character XML does not allow.
const char16_t* EscapeOf(char16_t c) {
  switch (c) {
    case 0x0003: return u"^h";
    case 0x0007: return u"^i";
    case 0x0008: return u"^y";
    default: return nullptr;
  }
}

const char16_t* CharElementFor(char16_t c) {
  switch (c) {
    case 0x0003: return u"<char code='3' />";
    case 0x0007: return u"<char code='7' />";
    case 0x0008: return u"<char code='8' />";
    default: return nullptr;
  }
}

bool IsNameChar(char16_t c) { return c != u'=' && c != u'/' && c != u'>' && c != u' ' && c != u'\t' && c != u'\n' && c != u'\r'; }

class Scanner {
public:
  Scanner(const std::u16string& in, std::u16string* out) : in_(in), out_(*out) {}

  bool Run(MarkupFault* fault) {
    for (i_ = 0; i_ < in_.size(); ++i_) {
      const char16_t c = in_[i_];
      if (EscapeOf(c) && !Control(c, fault)) return false;
      if (EscapeOf(c)) continue;
      Step(c);
    }
    return true;
  }

private:
  bool At(const char16_t* s) const { return in_.compare(i_, std::char_traits<char16_t>::length(s), s) == 0; }

  // Copies an opening or closing sequence whole and enters the context.
  void Enter(const char16_t* s, Context next) {
    const size_t n = std::char_traits<char16_t>::length(s);
    out_.append(s, n);
    i_ += n - 1;
    context_ = next;
  }

  void Step(char16_t c) {
    switch (context_) {
      case Context::kText:
        if (At(u"<!--")) return Enter(u"<!--", Context::kComment);
        if (At(u"<![CDATA[")) return Enter(u"<![CDATA[", Context::kCData);
        if (At(u"<?")) return Enter(u"<?", Context::kInstruction);
        if (c == u'<') {
          token_.clear();
          name_.clear();
          context_ = Context::kTag;
        }
        break;
      case Context::kTag:
        if (c == u'"' || c == u'\'') {
          quote_ = c;
          context_ = Context::kValue;
        } else if (c == u'>') {
          context_ = Context::kText;
        } else if (IsNameChar(c)) {
          token_.push_back(c);
        } else if (!token_.empty()) {
          name_ = token_;  // the attribute a following value belongs to
          token_.clear();
        }
        break;
      case Context::kValue:
        if (c == quote_) {
          context_ = Context::kTag;
          token_.clear();
        } else if (c == u'\t' || c == u'\n' || c == u'\r') {
          out_ += c == u'\t' ? u"&#9;" : c == u'\n' ? u"&#10;" : u"&#13;";
          return;
        }
        break;
      case Context::kComment:
        if (At(u"-->")) return Enter(u"-->", Context::kText);
        break;
      case Context::kCData:
        if (At(u"]]>")) return Enter(u"]]>", Context::kText);
        break;
      case Context::kInstruction:
        if (At(u"?>")) return Enter(u"?>", Context::kText);
        break;
    }
    out_.push_back(c);
  }

  bool Control(char16_t c, MarkupFault* fault) {
    switch (context_) {
      case Context::kText:
      case Context::kTag:  // the parser refuses the tag in any case
        out_ += CharElementFor(c);
        return true;
      case Context::kCData:
        out_ += u"]]>";
        out_ += CharElementFor(c);
        out_ += u"<![CDATA[";
        return true;
      case Context::kComment:
      case Context::kInstruction:
        return true;
      case Context::kValue:
        break;
    }
    if (fault) {
      fault->position = static_cast<int32>(i_);
      fault->character = c;
      fault->attribute = name_.empty() ? token_ : name_;
    }
    return false;
  }

  const std::u16string& in_;
  std::u16string& out_;
  size_t i_ = 0;
  Context context_ = Context::kText;
  char16_t quote_ = 0;
  std::u16string token_, name_;
};
}  // namespace

bool ScanFormatMarkup(const std::u16string& format, std::u16string* document, MarkupFault* fault) {
  return Scanner(format, document).Run(fault);
}

PMString MarkupFaultMessage(const MarkupFault& fault) {
  const char16_t* escape = EscapeOf(fault.character);
  PMString message(u"\"");
  message.Append(PMString(escape ? escape : u"?"));
  message.Append("\" at position ");
  message.AppendNumber(fault.position);
  message.Append(PMString(u" cannot stand in the value of attribute '" + fault.attribute + u"'"));
  message.Append(": XML has no place for that character there");
  message.SetTranslatable(false);
  return message;
}
