#include "LzwDecoder.h"

#include <cstring>

#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ != __ORDER_LITTLE_ENDIAN__
#error "The code reader loads 8 bytes at once in little-endian order."
#endif

namespace htmlview {

namespace {

constexpr std::uint32_t kMaxCodeSize = 12;

// Copies a string of earlier output forward. The source ends before the target begins,
// except for the code that names the entry being built, whose last byte is the target's
// first: copying byte by byte, front to back, gives it that byte.
inline void CopyString(std::uint8_t* out, std::size_t from, std::size_t to, std::size_t length) {
  const std::uint8_t* source = out + from;
  std::uint8_t* target = out + to;
  if (to - from >= 8) {
    // Whole 8-byte steps: what lands past the string's end is overwritten later.
    for (std::size_t i = 0; i < length; i += 8) std::memcpy(target + i, source + i, 8);
  } else {
    for (std::size_t i = 0; i < length; ++i) target[i] = source[i];
  }
}

}  // namespace

bool TLzwDecoder::Decode(const std::uint8_t* codes, std::size_t size, int minCodeSize,
                         std::size_t pixelCount) {
  if (minCodeSize < 1 || minCodeSize > 8) return false;
  if (pixels_.size() < pixelCount + kSlack) pixels_.resize(pixelCount + kSlack);
  std::uint8_t* out = pixels_.data();

  const std::uint32_t clearCode = 1u << minCodeSize;
  const std::uint32_t endCode = clearCode + 1;
  std::uint32_t codeSize = static_cast<std::uint32_t>(minCodeSize) + 1;
  std::uint32_t codeMask = (1u << codeSize) - 1;
  std::uint32_t nextCode = clearCode + 2;

  std::uint64_t bitBuffer = 0;
  std::uint32_t bitCount = 0;
  std::size_t in = 0;

  std::size_t pos = 0;
  std::size_t previousPos = 0;
  std::uint32_t previousLength = 0;  // 0: no code since the last clear

  while (pos < pixelCount) {
    if (bitCount < codeSize) {
      if (size - in >= 8) {
        std::uint64_t word;
        std::memcpy(&word, codes + in, 8);
        bitBuffer |= word << bitCount;
        const std::uint32_t taken = (63 - bitCount) >> 3;
        in += taken;
        bitCount += taken * 8;
      } else {
        while (bitCount <= 56 && in < size) {
          bitBuffer |= std::uint64_t{codes[in++]} << bitCount;
          bitCount += 8;
        }
        if (bitCount < codeSize) return false;
      }
    }
    const std::uint32_t code = static_cast<std::uint32_t>(bitBuffer) & codeMask;
    bitBuffer >>= codeSize;
    bitCount -= codeSize;

    std::uint32_t length;
    if (code < clearCode) {
      out[pos] = static_cast<std::uint8_t>(code);
      length = 1;
    } else if (code == clearCode) {
      codeSize = static_cast<std::uint32_t>(minCodeSize) + 1;
      codeMask = (1u << codeSize) - 1;
      nextCode = clearCode + 2;
      previousLength = 0;
      continue;
    } else if (code == endCode) {
      return false;  // the picture is not complete yet
    } else if (code < nextCode && previousLength != 0) {
      length = length_[code];
      CopyString(out, start_[code], pos, length);
    } else if (code == nextCode && previousLength != 0) {
      length = previousLength + 1;
      CopyString(out, previousPos, pos, length);
    } else {
      return false;  // a code the table does not hold yet
    }

    if (previousLength != 0 && nextCode < kMaxCodes) {
      // The new entry is the previous string and the first pixel of this one, which
      // follow each other in the output.
      start_[nextCode] = static_cast<std::uint32_t>(previousPos);
      length_[nextCode] = static_cast<std::uint16_t>(previousLength + 1);
      ++nextCode;
    }
    // Checked after every code, not only after a new entry: with a minimum code size of 1
    // the table is full for the first width before any entry is made.
    if (nextCode > codeMask && codeSize < kMaxCodeSize) {
      ++codeSize;
      codeMask = (1u << codeSize) - 1;
    }
    previousPos = pos;
    previousLength = length;
    pos += length;
  }
  return true;
}

}  // namespace htmlview
