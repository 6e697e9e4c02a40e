#include "PngWriter.h"

#include <csetjmp>

#include <png.h>

namespace pavina::cli {

namespace {

// libpng's write state with error handlers that jump back to us and print nothing; freed
// on every way out.
class TPngEncoder {
 public:
  explicit TPngEncoder(std::ostream& out) : out_(out) {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, Abort, Ignore);
    if (png_ != nullptr) info_ = png_create_info_struct(png_);
  }
  TPngEncoder(const TPngEncoder&) = delete;
  TPngEncoder& operator=(const TPngEncoder&) = delete;
  ~TPngEncoder() { png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr); }

  bool Created() const { return png_ != nullptr && info_ != nullptr; }
  png_structp Png() { return png_; }
  png_infop Info() { return info_; }
  std::ostream& Out() { return out_; }

 private:
  [[noreturn]] static void Abort(png_structp png, png_const_charp) { png_longjmp(png, 1); }
  static void Ignore(png_structp, png_const_charp) {}

  std::ostream& out_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

void WriteBytes(png_structp png, png_bytep data, std::size_t length) {
  auto& out = *static_cast<std::ostream*>(png_get_io_ptr(png));
  if (!out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(length)))
    png_error(png, "write failed");
}

void FlushBytes(png_structp png) {
  static_cast<std::ostream*>(png_get_io_ptr(png))->flush();
}

// setjmp lives here: this frame holds no object with a destructor, so libpng's jump back
// skips nothing.
bool Encode(TPngEncoder& encoder, std::uint32_t width, std::uint32_t height,
            const std::uint8_t* rgb) {
  png_structp png = encoder.Png();
  png_infop info = encoder.Info();
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_write_fn(png, &encoder.Out(), WriteBytes, FlushBytes);
  png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  const std::size_t rowBytes = std::size_t{width} * 3;
  for (std::uint32_t y = 0; y < height; ++y) png_write_row(png, rgb + rowBytes * y);
  png_write_end(png, nullptr);
  return true;
}

}  // namespace

bool WritePngRgb(std::ostream& out, std::uint32_t width, std::uint32_t height,
                 const std::vector<std::uint8_t>& rgb) {
  if (width == 0 || height == 0 || rgb.size() != std::size_t{width} * 3 * height) return false;
  TPngEncoder encoder(out);
  return encoder.Created() && Encode(encoder, width, height, rgb.data()) &&
         static_cast<bool>(out.flush());
}

}  // namespace pavina::cli
