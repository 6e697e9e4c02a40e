#include "PngWriter.h"

#include <algorithm>
#include <array>

#include "Bytes.h"

namespace pavina::cli {

namespace {
constexpr std::size_t kMaxStoredBlock = 65535;

const std::array<std::uint32_t, 256>& CrcTable() {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  return table;
}

void PutBigEndian(core::TBytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8)
    out.push_back(static_cast<std::uint8_t>(value >> shift));
}

void WriteChunk(std::ostream& out, const char* type, const core::TBytes& data) {
  core::TBytes chunk;
  chunk.reserve(data.size() + 12);
  PutBigEndian(chunk, static_cast<std::uint32_t>(data.size()));
  chunk.insert(chunk.end(), type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  PutBigEndian(chunk, Crc32(chunk.data() + 4, chunk.size() - 4));
  out.write(reinterpret_cast<const char*>(chunk.data()),
            static_cast<std::streamsize>(chunk.size()));
}
}  // namespace

std::uint32_t Crc32(const std::uint8_t* data, std::size_t length, std::uint32_t crc) {
  const auto& table = CrcTable();
  crc = ~crc;
  for (std::size_t i = 0; i < length; ++i) crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
  return ~crc;
}

std::uint32_t Adler32(const std::uint8_t* data, std::size_t length, std::uint32_t adler) {
  constexpr std::uint32_t kBase = 65521;
  std::uint32_t a = adler & 0xFFFF, b = adler >> 16;
  for (std::size_t i = 0; i < length; ++i) {
    a = (a + data[i]) % kBase;
    b = (b + a) % kBase;
  }
  return b << 16 | a;
}

bool WritePngRgb(std::ostream& out, std::uint32_t width, std::uint32_t height,
                 const std::vector<std::uint8_t>& rgb) {
  const std::size_t rowBytes = std::size_t{width} * 3;
  if (rgb.size() != rowBytes * height) return false;
  static const std::uint8_t kSignature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  out.write(reinterpret_cast<const char*>(kSignature), sizeof kSignature);

  core::TBytes header;
  PutBigEndian(header, width);
  PutBigEndian(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, filters, no interlace
  WriteChunk(out, "IHDR", header);

  // The filtered data is each row preceded by its filter type 0 (none); it is cut into
  // stored blocks as it is produced.
  const std::size_t total = (rowBytes + 1) * height;
  std::uint32_t adler = 1;
  std::size_t at = 0;
  core::TBytes block;
  bool first = true;
  do {
    const std::size_t length = std::min(kMaxStoredBlock, total - at);
    block.clear();
    if (first) block.insert(block.end(), {0x78, 0x01});  // zlib: deflate, 32 KiB window
    block.push_back(at + length == total ? 1 : 0);
    block.push_back(static_cast<std::uint8_t>(length));
    block.push_back(static_cast<std::uint8_t>(length >> 8));
    block.push_back(static_cast<std::uint8_t>(~length));
    block.push_back(static_cast<std::uint8_t>(~length >> 8));
    const std::size_t dataAt = block.size();
    for (std::size_t i = at; i < at + length; ++i) {
      const std::size_t column = i % (rowBytes + 1);
      block.push_back(column == 0 ? 0 : rgb[i / (rowBytes + 1) * rowBytes + column - 1]);
    }
    adler = Adler32(block.data() + dataAt, length, adler);
    at += length;
    if (at == total) PutBigEndian(block, adler);
    WriteChunk(out, "IDAT", block);
    first = false;
  } while (at < total);

  WriteChunk(out, "IEND", {});
  return static_cast<bool>(out);
}

}  // namespace pavina::cli
