#pragma once

#include <cstdint>
#include <ostream>
#include <vector>

namespace pavina::cli {

// Writes a PNG file of 8-bit RGB rows (3 bytes a pixel, rows from the top). The image
// data goes in deflate's stored blocks, one IDAT chunk each, which every PNG reader takes
// and which needs no buffer beyond one block. False when the stream fails.
bool WritePngRgb(std::ostream& out, std::uint32_t width, std::uint32_t height,
                 const std::vector<std::uint8_t>& rgb);

// The CRC-32 of PNG chunks, and zlib's Adler-32, each continued from an earlier value.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t length, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t length, std::uint32_t adler = 1);

}  // namespace pavina::cli
