#include "JpegReader.h"

#include <csetjmp>
#include <cstdio>
#include <new>
#include <utility>

// clang-format off
#include <jpeglib.h>  // after <cstdio>: it uses FILE and size_t without including them
#include <jerror.h>
// clang-format on

#include "PictureLimits.h"

namespace pavina::pictures {

namespace {

// Progressive files may carry any number of scans, each a pass over the whole picture;
// a damaged or hostile file must not keep us decoding for minutes.
constexpr int kMaxScans = 500;
// Bounds what libjpeg itself allocates (coefficient buffers of multi-scan files).
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;

// libjpeg's state with an error manager that jumps back to us instead of ending the
// process and prints nothing. Owns the decompressor: it is destroyed on every way out.
class TDecompressor {
 public:
  TDecompressor() {
    jpeg_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = Abort;
    errors_.manager.emit_message = Message;
    errors_.manager.output_message = [](j_common_ptr) {};
    progress_.progress_monitor = LimitScans;
  }
  TDecompressor(const TDecompressor&) = delete;
  TDecompressor& operator=(const TDecompressor&) = delete;
  ~TDecompressor() { jpeg_destroy_decompress(&jpeg_); }

  // Must be called right after setjmp on Jump(): library calls may fail only after that.
  void Create() {
    jpeg_create_decompress(&jpeg_);
    jpeg_.mem->max_memory_to_use = kMaxDecoderMemory;
    jpeg_.progress = &progress_;
  }
  jpeg_decompress_struct& Jpeg() { return jpeg_; }
  std::jmp_buf& Jump() { return errors_.jump; }

 private:
  // libjpeg hands back a pointer to `manager`, the first member, which leads to `jump`.
  struct TErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
  };

  [[noreturn]] static void Abort(j_common_ptr info) {
    std::longjmp(reinterpret_cast<TErrors*>(info->err)->jump, 1);
  }
  // libjpeg reports corrupt data as a warning and goes on with made-up pixels; such a
  // file fails here so that it never shows as a picture. Traces are ignored.
  static void Message(j_common_ptr info, int level) {
    if (level >= 0) return;
    const int code = info->err->msg_code;
    if (code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM) return;  // harmless notes
    Abort(info);
  }
  static void LimitScans(j_common_ptr info) {
    if (reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMaxScans) Abort(info);
  }

  jpeg_decompress_struct jpeg_{};
  TErrors errors_{};
  jpeg_progress_mgr progress_{};
};

// Grey levels fill the start of a row; spread them to red = green = blue from the end.
void SpreadGrey(std::uint8_t* row, std::int32_t width) {
  for (std::int32_t x = width - 1; x >= 0; --x) {
    const std::uint8_t grey = row[x];
    std::uint8_t* p = row + static_cast<std::size_t>(x) * 3;
    p[0] = p[1] = p[2] = grey;
  }
}

// setjmp lives here: this frame holds no object with a destructor, so the jump back from
// libjpeg skips nothing. The caller owns the decompressor and the picture.
bool Decompress(TDecompressor& decompressor, const std::uint8_t* data, std::size_t size,
                TRaster& picture) {
  if (setjmp(decompressor.Jump()) != 0) return false;
  decompressor.Create();
  jpeg_decompress_struct& jpeg = decompressor.Jpeg();
  jpeg_mem_src(&jpeg, data, static_cast<unsigned long>(size));
  if (jpeg_read_header(&jpeg, TRUE) != JPEG_HEADER_OK) return false;
  if (!PictureSizeAllowed(jpeg.image_width, jpeg.image_height)) return false;
  jpeg_start_decompress(&jpeg);
  const bool grey = jpeg.out_color_space == JCS_GRAYSCALE && jpeg.output_components == 1;
  const bool rgb = jpeg.out_color_space == JCS_RGB && jpeg.output_components == 3;
  if (!grey && !rgb) return false;  // CMYK and other colour spaces without an RGB form
  const auto width = static_cast<std::int32_t>(jpeg.output_width);
  picture.Resize(width, static_cast<std::int32_t>(jpeg.output_height));
  while (jpeg.output_scanline < jpeg.output_height) {
    JSAMPROW row = picture.Row(static_cast<std::int32_t>(jpeg.output_scanline));
    if (jpeg_read_scanlines(&jpeg, &row, 1) != 1) return false;
    if (grey) SpreadGrey(row, width);
  }
  jpeg_finish_decompress(&jpeg);
  return true;
}

}  // namespace

bool ReadJpeg(const std::uint8_t* data, std::size_t size, TRaster& out) {
  if (data == nullptr || size == 0 || size > static_cast<std::size_t>(kMaxPictureFileBytes))
    return false;
  try {
    TDecompressor decompressor;
    TRaster picture;
    if (!Decompress(decompressor, data, size, picture)) return false;
    out = std::move(picture);
    return true;
  } catch (const std::bad_alloc&) {
    return false;  // a raster within the limits that a fragmented heap cannot give
  }
}

}  // namespace pavina::pictures
