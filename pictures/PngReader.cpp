#include "PngReader.h"

#include <csetjmp>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include <png.h>

#include "PictureLimits.h"

namespace pavina::pictures {

namespace {

// Colour management, text and metadata: nothing of them changes the pixels we take.
constexpr png_byte kUnusedChunks[] =
    "bKGD\0cHRM\0eXIf\0gAMA\0hIST\0iCCP\0iTXt\0oFFs\0pCAL\0"
    "pHYs\0sBIT\0sCAL\0sPLT\0sRGB\0tEXt\0tIME\0zTXt";
constexpr png_alloc_size_t kMaxChunkBytes = 8 * 1024 * 1024;

struct TSource {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t at;
};

// libpng's state with error handlers that jump back to us and print nothing. Owns the
// read structures and the row buffer: they are freed on every way out, the jump included.
class TPngDecoder {
 public:
  TPngDecoder(const std::uint8_t* data, std::size_t size) : source_{data, size, 0} {
    png_ = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, Abort, Ignore);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  TPngDecoder(const TPngDecoder&) = delete;
  TPngDecoder& operator=(const TPngDecoder&) = delete;
  ~TPngDecoder() { png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr); }

  bool Created() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() { return png_; }
  png_infop Info() { return info_; }
  TSource& Source() { return source_; }
  // Colour and alpha rows: the whole picture when it is interlaced, else one row.
  std::vector<std::uint8_t>& Rows() { return rows_; }

 private:
  [[noreturn]] static void Abort(png_structp png, png_const_charp) { png_longjmp(png, 1); }
  static void Ignore(png_structp, png_const_charp) {}

  TSource source_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::vector<std::uint8_t> rows_;
};

void ReadBytes(png_structp png, png_bytep out, std::size_t length) {
  auto* source = static_cast<TSource*>(png_get_io_ptr(png));
  if (length > source->size - source->at) png_error(png, "truncated");
  std::memcpy(out, source->data + source->at, length);
  source->at += length;
}

// RGBA to the colour raster's RGB and the alpha raster's grey.
void SplitRow(const std::uint8_t* rgba, std::int32_t width, std::uint8_t* rgb,
              std::uint8_t* alpha) {
  for (std::int32_t x = 0; x < width; ++x, rgba += 4, rgb += 3, alpha += 3) {
    rgb[0] = rgba[0];
    rgb[1] = rgba[1];
    rgb[2] = rgba[2];
    alpha[0] = alpha[1] = alpha[2] = rgba[3];
  }
}

// setjmp lives here: this frame holds no object with a destructor, so libpng's jump back
// skips nothing. The caller owns the decoder and both pictures.
bool Decode(TPngDecoder& decoder, TRaster& picture, TRaster& alpha) {
  png_structp png = decoder.Png();
  png_infop info = decoder.Info();
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  // libpng sizes its own row buffers from the header: refuse huge ones before that.
  png_set_user_limits(png, kMaxPictureSide, kMaxPictureSide);
  // Ancillary chunks are read into buffers of the size they announce, up to 2 GiB: the
  // ones we do not use are skipped unread, and any other one is bounded.
  png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnusedChunks,
                              static_cast<int>(sizeof kUnusedChunks / 5));
  png_set_chunk_malloc_max(png, kMaxChunkBytes);
  png_set_read_fn(png, &decoder.Source(), ReadBytes);
  png_read_info(png, info);
  const png_uint_32 width = png_get_image_width(png, info);
  const png_uint_32 height = png_get_image_height(png, info);
  if (!PictureSizeAllowed(width, height)) return false;
  const bool hasAlpha = (png_get_color_type(png, info) & PNG_COLOR_MASK_ALPHA) != 0 ||
                        png_get_valid(png, info, PNG_INFO_tRNS) != 0;
  png_set_expand(png);  // palette to RGB, small grey depths to 8 bits, tRNS to alpha
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  const int passes = png_set_interlace_handling(png);
  png_read_update_info(png, info);
  const std::size_t channels = hasAlpha ? 4 : 3;
  if (png_get_rowbytes(png, info) != std::size_t{width} * channels) return false;

  const auto w = static_cast<std::int32_t>(width);
  const auto h = static_cast<std::int32_t>(height);
  picture.Resize(w, h);
  alpha.Resize(hasAlpha ? w : 0, hasAlpha ? h : 0);
  const std::size_t rowBytes = std::size_t{width} * 4;
  // Without alpha the rows go straight into the raster, which keeps earlier passes.
  if (hasAlpha) decoder.Rows().resize(rowBytes * (passes > 1 ? height : 1));
  for (int pass = 0; pass < passes; ++pass) {
    for (std::int32_t y = 0; y < h; ++y) {
      if (!hasAlpha) {
        png_read_row(png, picture.Row(y), nullptr);
        continue;
      }
      std::uint8_t* row = decoder.Rows().data() + (passes > 1 ? rowBytes * y : 0);
      png_read_row(png, row, nullptr);
      if (pass == passes - 1) SplitRow(row, w, picture.Row(y), alpha.Row(y));
    }
  }
  // Up to IEND, so that a cut or damaged end refuses the file too.
  png_read_end(png, nullptr);
  return true;
}

}  // namespace

bool ReadPng(const std::uint8_t* data, std::size_t size, TRaster& out, TRaster& alpha) {
  if (data == nullptr || size == 0 || size > static_cast<std::size_t>(kMaxPictureFileBytes))
    return false;
  try {
    TPngDecoder decoder(data, size);
    if (!decoder.Created()) return false;
    TRaster picture, pictureAlpha;
    if (!Decode(decoder, picture, pictureAlpha)) return false;
    out = std::move(picture);
    alpha = std::move(pictureAlpha);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

bool ReadPng(const std::uint8_t* data, std::size_t size, TRaster& out) {
  TRaster alpha;
  return ReadPng(data, size, out, alpha);
}

}  // namespace pavina::pictures
