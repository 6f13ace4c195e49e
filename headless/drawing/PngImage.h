#pragma once
// A PNG file read back through Cairo, for checking pictures pixel by pixel.
#include <cstdint>
#include <string>
#include <vector>

struct Pixel {
  int r = 0, g = 0, b = 0, a = 0;  // 0 to 255, not premultiplied
};

class PngImage {
public:
  // False with a message when the file is not a readable PNG.
  bool Read(const std::string& path, std::string* error);
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Transparent black outside the image.
  Pixel At(int x, int y) const;

private:
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> argb_;  // premultiplied, as Cairo keeps it
};
