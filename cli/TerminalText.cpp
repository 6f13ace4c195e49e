#include "cli/TerminalText.h"
#include <cstdio>
#include <streambuf>

namespace {
// Passes bytes on to the real buffer, writing C0 controls (but newline and
// tab), DEL and the C1 controls (U+0080 to U+009F, two bytes in UTF-8) as
// \xNN or \u00NN.
class EscapingBuf : public std::streambuf {
public:
  explicit EscapingBuf(std::streambuf* out) : out_(out) {}

protected:
  int overflow(int c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    const unsigned char byte = static_cast<unsigned char>(c);
    if (lead_) {
      lead_ = false;
      if (byte >= 0x80 && byte <= 0x9F) return Escaped("\\u00", byte);
      if (out_->sputc('\xC2') == traits_type::eof()) return traits_type::eof();
    }
    if (byte == 0xC2) {
      lead_ = true;
      return c;
    }
    if ((byte < 0x20 && byte != '\n' && byte != '\t') || byte == 0x7F) return Escaped("\\x", byte);
    return out_->sputc(static_cast<char>(byte)) == traits_type::eof() ? traits_type::eof() : c;
  }
  int sync() override {
    if (lead_) {
      lead_ = false;
      out_->sputc('\xC2');
    }
    return out_->pubsync();
  }

private:
  int Escaped(const char* prefix, unsigned char byte) {
    char text[8];
    std::snprintf(text, sizeof text, "%s%02X", prefix, byte);
    const std::streamsize n = static_cast<std::streamsize>(std::char_traits<char>::length(text));
    return out_->sputn(text, n) == n ? byte : traits_type::eof();
  }

  std::streambuf* out_;
  bool lead_ = false;
};
}  // namespace

void EscapeControlsOn(std::ostream& out, bool terminal) {
  if (!terminal) return;
  // Never freed: the stream is flushed at exit, after static objects go.
  out.rdbuf(new EscapingBuf(out.rdbuf()));
}
