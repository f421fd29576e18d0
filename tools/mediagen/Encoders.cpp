#include "tools/mediagen/Encoders.h"

#include <algorithm>
#include <fstream>
#include <map>
#include <stdexcept>

namespace mediagen {

namespace {

void Put16(Bytes& b, uint32_t v) {
  b.push_back(uint8_t(v));
  b.push_back(uint8_t(v >> 8));
}
void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}
void PutText(Bytes& b, const char* text) {
  while (*text) b.push_back(uint8_t(*text++));
}

size_t Stride(int width, int bits) {
  return ((size_t(width) * size_t(bits) + 31) / 32) * 4;
}

void InfoHeader(Bytes& b, int width, int height, int bits, uint32_t imageBytes, int colours) {
  Put32(b, 40);
  Put32(b, uint32_t(width));
  Put32(b, uint32_t(height));
  Put16(b, 1);
  Put16(b, uint32_t(bits));
  Put32(b, 0);  // no compression
  Put32(b, imageBytes);
  Put32(b, 3780);  // 96 dots per inch
  Put32(b, 3780);
  Put32(b, uint32_t(colours));
  Put32(b, 0);
}

void Palette(Bytes& b, const std::vector<Rgb>& colours, size_t entries) {
  for (size_t i = 0; i < entries; ++i) {
    const Rgb c = i < colours.size() ? colours[i] : Rgb{};
    b.insert(b.end(), {c.b, c.g, c.r, 0});
  }
}

}  // namespace

Indexed ToIndexed(const Image& image) {
  // The 256 most frequent colours make the palette (all of them, when there are no more);
  // any other colour takes the nearest of those.
  auto key = [](Rgb c) { return uint32_t(c.r) << 16 | uint32_t(c.g) << 8 | c.b; };
  std::map<uint32_t, size_t> counts;
  for (const Rgb& c : image.pixels) ++counts[key(c)];
  std::vector<std::pair<size_t, uint32_t>> byFrequency;
  for (auto [k, n] : counts) byFrequency.emplace_back(n, k);
  std::stable_sort(byFrequency.begin(), byFrequency.end(),
                   [](auto& a, auto& b) { return a.first > b.first; });
  if (byFrequency.size() > 256) byFrequency.resize(256);
  std::sort(byFrequency.begin(), byFrequency.end(),
            [](auto& a, auto& b) { return a.second < b.second; });

  Indexed out{image.width, image.height, {}, {}};
  for (auto [n, k] : byFrequency)
    out.palette.push_back({uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)});
  std::map<uint32_t, uint8_t> index;
  for (auto [k, n] : counts) {
    const Rgb c{uint8_t(k >> 16), uint8_t(k >> 8), uint8_t(k)};
    long best = -1;
    for (size_t i = 0; i < out.palette.size(); ++i) {
      const long dr = c.r - out.palette[i].r, dg = c.g - out.palette[i].g,
                 db = c.b - out.palette[i].b;
      const long d = dr * dr + dg * dg + db * db;
      if (best < 0 || d < best) best = d, index[k] = uint8_t(i);
    }
  }
  for (const Rgb& c : image.pixels) out.index.push_back(index[key(c)]);
  return out;
}

Bytes Dib8(const Indexed& image) {
  const size_t stride = Stride(image.width, 8);
  Bytes b;
  InfoHeader(b, image.width, image.height, 8, uint32_t(stride * size_t(image.height)), 256);
  Palette(b, image.palette, 256);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = b.size();
    for (int x = 0; x < image.width; ++x)
      b.push_back(image.index[size_t(y) * size_t(image.width) + size_t(x)]);
    b.resize(start + stride, 0);
  }
  return b;
}

Bytes BmpFile24(const Image& image) {
  const size_t stride = Stride(image.width, 24);
  const uint32_t pixelBytes = uint32_t(stride * size_t(image.height));
  Bytes b;
  PutText(b, "BM");
  Put32(b, 14 + 40 + pixelBytes);
  Put32(b, 0);
  Put32(b, 14 + 40);
  InfoHeader(b, image.width, image.height, 24, pixelBytes, 0);
  for (int y = image.height - 1; y >= 0; --y) {
    const size_t start = b.size();
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.at(x, y);
      b.insert(b.end(), {c.b, c.g, c.r});
    }
    b.resize(start + stride, 0);
  }
  return b;
}

Bytes Wave(const Bytes& samples, int rate, int bits, bool withFact, int trailing) {
  const int blockAlign = bits / 8;
  const uint32_t dataBytes = uint32_t(samples.size());
  Bytes b;
  PutText(b, "RIFF");
  Put32(b, 4 + (8 + 16) + (withFact ? 12 : 0) + 8 + dataBytes);
  PutText(b, "WAVE");
  PutText(b, "fmt ");
  Put32(b, 16);
  Put16(b, 1);  // PCM
  Put16(b, 1);  // mono
  Put32(b, uint32_t(rate));
  Put32(b, uint32_t(rate * blockAlign));
  Put16(b, uint32_t(blockAlign));
  Put16(b, uint32_t(bits));
  if (withFact) {
    PutText(b, "fact");
    Put32(b, 4);
    Put32(b, dataBytes / uint32_t(blockAlign));
  }
  PutText(b, "data");
  Put32(b, dataBytes);
  b.insert(b.end(), samples.begin(), samples.end());
  b.resize(b.size() + size_t(trailing), 0);
  return b;
}

namespace {

// Variable-width LZW as GIF wants it: codes packed least significant bit first.
class LzwWriter {
 public:
  explicit LzwWriter(Bytes& out) : out_(out) {}
  void Code(uint32_t code, int width) {
    bits_ |= code << count_;
    count_ += width;
    while (count_ >= 8) {
      block_.push_back(uint8_t(bits_));
      bits_ >>= 8;
      count_ -= 8;
      if (block_.size() == 255) FlushBlock();
    }
  }
  void Finish() {
    if (count_ > 0) block_.push_back(uint8_t(bits_));
    FlushBlock();
    out_.push_back(0);  // block terminator
  }

 private:
  void FlushBlock() {
    if (block_.empty()) return;
    out_.push_back(uint8_t(block_.size()));
    out_.insert(out_.end(), block_.begin(), block_.end());
    block_.clear();
  }
  Bytes& out_;
  Bytes block_;
  uint32_t bits_ = 0;
  int count_ = 0;
};

void Lzw(Bytes& out, const std::vector<uint8_t>& pixels) {
  constexpr int kMinCode = 8;
  constexpr uint32_t kClear = 256, kEnd = 257;
  out.push_back(kMinCode);
  LzwWriter writer(out);
  std::map<std::pair<uint32_t, uint8_t>, uint32_t> table;
  uint32_t next = kEnd + 1;
  int width = kMinCode + 1;
  writer.Code(kClear, width);
  uint32_t prefix = pixels[0];
  for (size_t i = 1; i < pixels.size(); ++i) {
    const auto found = table.find({prefix, pixels[i]});
    if (found != table.end()) {
      prefix = found->second;
      continue;
    }
    writer.Code(prefix, width);
    if (next < 4096) {
      table[{prefix, pixels[i]}] = next++;
      if (next > (1u << width) && width < 12) ++width;
    } else {
      writer.Code(kClear, width);
      table.clear();
      next = kEnd + 1;
      width = kMinCode + 1;
    }
    prefix = pixels[i];
  }
  writer.Code(prefix, width);
  writer.Code(kEnd, width);
  writer.Finish();
}

}  // namespace

Bytes Gif(const Indexed& image, int transparent) {
  Bytes b;
  PutText(b, "GIF89a");
  Put16(b, uint32_t(image.width));
  Put16(b, uint32_t(image.height));
  b.push_back(0xF7);  // global table of 2^(7+1) = 256 entries, 8 bits of colour resolution
  b.push_back(0);     // background colour index
  b.push_back(0);     // no aspect ratio
  for (size_t i = 0; i < 256; ++i) {
    const Rgb c = i < image.palette.size() ? image.palette[i] : Rgb{};
    b.insert(b.end(), {c.r, c.g, c.b});
  }
  if (transparent >= 0) {
    b.insert(b.end(), {0x21, 0xF9, 4, 0x01, 0, 0, uint8_t(transparent), 0});
  }
  b.push_back(0x2C);
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, uint32_t(image.width));
  Put16(b, uint32_t(image.height));
  b.push_back(0);  // no local table, not interlaced
  Lzw(b, image.index);
  b.push_back(0x3B);
  return b;
}

const std::vector<Rgb>& SixteenColours() {
  static const std::vector<Rgb> colours = {
      {0, 0, 0},     {128, 0, 0},     {0, 128, 0},     {128, 128, 0},  {0, 0, 128}, {128, 0, 128},
      {0, 128, 128}, {192, 192, 192}, {128, 128, 128}, {255, 0, 0},    {0, 255, 0}, {255, 255, 0},
      {0, 0, 255},   {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
  return colours;
}

Bytes IconFile(const std::vector<IconImage>& images) {
  std::vector<Bytes> bodies;
  for (const IconImage& icon : images) {
    const size_t xorStride = Stride(icon.size, 4), andStride = Stride(icon.size, 1);
    Bytes body;
    InfoHeader(body, icon.size, icon.size * 2, 4,
               uint32_t((xorStride + andStride) * size_t(icon.size)), 0);
    Palette(body, SixteenColours(), 16);
    for (int y = icon.size - 1; y >= 0; --y) {
      Bytes row(xorStride, 0);
      for (int x = 0; x < icon.size; ++x) {
        const uint8_t i = icon.index[size_t(y * icon.size + x)];
        row[size_t(x / 2)] |= uint8_t((x % 2 == 0) ? i << 4 : i);
      }
      body.insert(body.end(), row.begin(), row.end());
    }
    for (int y = icon.size - 1; y >= 0; --y) {
      Bytes row(andStride, 0);
      for (int x = 0; x < icon.size; ++x) {
        if (!icon.opaque[size_t(y * icon.size + x)]) row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
      }
      body.insert(body.end(), row.begin(), row.end());
    }
    bodies.push_back(body);
  }
  Bytes b;
  Put16(b, 0);
  Put16(b, 1);
  Put16(b, uint32_t(images.size()));
  uint32_t offset = uint32_t(6 + 16 * images.size());
  for (size_t i = 0; i < images.size(); ++i) {
    b.push_back(uint8_t(images[i].size));
    b.push_back(uint8_t(images[i].size));
    b.push_back(16);
    b.push_back(0);
    Put16(b, 1);
    Put16(b, 4);
    Put32(b, uint32_t(bodies[i].size()));
    Put32(b, offset);
    offset += uint32_t(bodies[i].size());
  }
  for (const Bytes& body : bodies) b.insert(b.end(), body.begin(), body.end());
  return b;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace mediagen

namespace mediagen {

namespace {

uint32_t Crc32(const uint8_t* data, size_t size, uint32_t crc = 0) {
  crc = ~crc;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

void PutBigEndian(Bytes& out, uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(uint8_t(value >> shift));
}

void Chunk(Bytes& png, const char* type, const Bytes& body) {
  PutBigEndian(png, uint32_t(body.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), body.begin(), body.end());
  png.insert(png.end(), typed.begin(), typed.end());
  PutBigEndian(png, Crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes StoredZlib(const Bytes& data) {
  Bytes out{0x78, 0x01};
  uint32_t a = 1, b = 0;
  for (uint8_t byte : data) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  size_t at = 0;
  do {
    const size_t n = std::min<size_t>(65535, data.size() - at);
    out.push_back(at + n == data.size() ? 1 : 0);
    out.push_back(uint8_t(n));
    out.push_back(uint8_t(n >> 8));
    out.push_back(uint8_t(~n));
    out.push_back(uint8_t(~n >> 8));
    out.insert(out.end(), data.begin() + std::ptrdiff_t(at), data.begin() + std::ptrdiff_t(at + n));
    at += n;
  } while (at < data.size());
  PutBigEndian(out, b << 16 | a);
  return out;
}

}  // namespace

Bytes PngWithKey(const Image& image, Rgb transparent) {
  Bytes png{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  PutBigEndian(header, uint32_t(image.width));
  PutBigEndian(header, uint32_t(image.height));
  header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  Chunk(png, "IHDR", header);
  Bytes rows;
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0);  // filter: none
    for (int x = 0; x < image.width; ++x) {
      const Rgb c = image.at(x, y);
      rows.insert(rows.end(), {c.r, c.g, c.b, uint8_t(c == transparent ? 0 : 255)});
    }
  }
  Chunk(png, "IDAT", StoredZlib(rows));
  Chunk(png, "IEND", {});
  return png;
}

}  // namespace mediagen
