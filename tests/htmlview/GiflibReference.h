#pragma once

// giflib, the reference decoder of the oracle tests and the benchmark, reading from memory
// through its public interface.
#include <gif_lib.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace htmlview {

struct TGiflibCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using TGiflibFile = std::unique_ptr<GifFileType, TGiflibCloser>;

// The whole file as giflib's DGifSlurp reads it; null when giflib refuses it. `bytes` must
// outlive the call only.
inline TGiflibFile SlurpWithGiflib(const std::vector<std::uint8_t>& bytes) {
  struct TSource {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos;
  } source{&bytes, 0};
  const InputFunc read = [](GifFileType* gif, GifByteType* buffer, int length) {
    auto* from = static_cast<TSource*>(gif->UserData);
    const std::size_t count =
        std::min(static_cast<std::size_t>(length), from->bytes->size() - from->pos);
    std::memcpy(buffer, from->bytes->data() + from->pos, count);
    from->pos += count;
    return static_cast<int>(count);
  };
  int error = 0;
  TGiflibFile gif(DGifOpen(&source, read, &error));
  if (gif && DGifSlurp(gif.get()) != GIF_OK) gif.reset();
  if (gif) gif->UserData = nullptr;  // the source ends here
  return gif;
}

}  // namespace htmlview
