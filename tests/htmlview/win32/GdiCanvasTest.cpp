// The GDI canvas under Wine: fonts made once and measured consistently, masked pictures,
// and the golden layout documents drawn into real bitmaps.
#include <windows.h>
#undef TextOut  // the canvas's, not the system's

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "DocBuilder.h"
#include "GoldenDocuments.h"
#include "win32/GdiCanvas.h"
#include "win32/ViewerResources.h"

namespace htmlview {

namespace {
// A 24-bit bitmap selected into a memory context, white to begin with.
class TTestBitmap {
 public:
  TTestBitmap(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    dc_ = ::CreateCompatibleDC(nullptr);
    bitmap_ = ::CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    before_ = ::SelectObject(dc_, bitmap_);
    const RECT all{0, 0, width, height};
    ::FillRect(dc_, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  }
  ~TTestBitmap() {
    ::SelectObject(dc_, before_);
    ::DeleteObject(bitmap_);
    ::DeleteDC(dc_);
  }
  HDC DC() const { return dc_; }
  TColor Pixel(int x, int y) const {
    ::GdiFlush();
    const auto* row = static_cast<const std::uint8_t*>(bits_) + Stride() * y;
    return MakeColor(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
  }
  int CountNot(TColor colour) const {
    int count = 0;
    for (int y = 0; y < height_; ++y)
      for (int x = 0; x < width_; ++x) count += Pixel(x, y) != colour;
    return count;
  }
  // The picture as a BMP file, for a person to look at.
  void Save(const std::string& path) const {
    ::GdiFlush();
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = width_;
    info.biHeight = -height_;
    info.biPlanes = 1;
    info.biBitCount = 24;
    const DWORD size = static_cast<DWORD>(Stride() * height_);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + size;
    HANDLE out = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(out, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(out, &file, sizeof(file), &written, nullptr);
    ::WriteFile(out, &info, sizeof(info), &written, nullptr);
    ::WriteFile(out, bits_, size, &written, nullptr);
    ::CloseHandle(out);
  }

 private:
  std::size_t Stride() const {
    return (static_cast<std::size_t>(width_) * 3 + 3) & ~std::size_t{3};
  }

  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ before_ = nullptr;
  void* bits_ = nullptr;
};

TEST(GdiCanvas, FontsAreMadeOncePerDescriptionAndMeasuredConsistently) {
  TGdiCanvas canvas;
  const TFontSpec serif{"Times New Roman", 12, 0, DEFAULT_CHARSET};
  const TFontHandle font = canvas.Font(serif);
  EXPECT_EQ(canvas.Font(serif), font);
  EXPECT_NE(canvas.Font({"Times New Roman", 14, 0, DEFAULT_CHARSET}), font);
  EXPECT_NE(canvas.Font({"Times New Roman", 12, TFontStyle::Bold, DEFAULT_CHARSET}), font);
  EXPECT_NE(canvas.Font({"Courier New", 12, 0, DEFAULT_CHARSET}), font);

  const TFontMetrics metrics = canvas.Metrics(font);
  EXPECT_GT(metrics.Ascent, 8);
  EXPECT_GT(metrics.Descent, 1);
  EXPECT_GE(metrics.Height, metrics.Ascent + metrics.Descent);

  const std::string text = "The quick brown fox jumps over the lazy dog";
  const std::int32_t ten = canvas.TextWidth(font, std::string_view(text).substr(0, 10));
  EXPECT_GT(ten, 20);
  EXPECT_EQ(canvas.FitCount(font, text, ten), 10);
  EXPECT_EQ(canvas.FitCount(font, text, ten - 1), 9);
  EXPECT_EQ(canvas.FitCount(font, text, 100000), static_cast<std::int32_t>(text.size()));
  EXPECT_EQ(canvas.FitCount(font, text, 0), 0);
  // A monospaced font measures every character alike.
  const TFontHandle mono = canvas.Font({"Courier New", 12, 0, DEFAULT_CHARSET});
  EXPECT_EQ(canvas.TextWidth(mono, "iiii"), canvas.TextWidth(mono, "WWWW"));
  EXPECT_EQ(canvas.TextWidth(font, ""), 0);
  EXPECT_EQ(canvas.TextWidth(0, "abc"), 0);  // no font, no width
}

// A face missing on the machine gives way to one of its kind, not to the system's sans
// face: a fixed one for preformatted text, one with serifs for a serif face.
TEST(GdiCanvas, AMissingFaceGivesWayToOneOfItsKind) {
  TGdiCanvas canvas;
  // The family of the face that stands in; its name goes to `face`.
  std::string face;
  const auto family = [&](TFontHandle font) {
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ before = ::SelectObject(dc, canvas.FontObject(font));
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(dc, &metrics);
    char name[LF_FACESIZE] = {};
    ::GetTextFaceA(dc, LF_FACESIZE, name);
    ::SelectObject(dc, before);
    ::DeleteDC(dc);
    face = name;
    return metrics.tmPitchAndFamily & 0xF0;
  };
  const TFontHandle fixed = canvas.Font({"Pavina Missing Face", 12, 0, DEFAULT_CHARSET, true});
  EXPECT_EQ(canvas.TextWidth(fixed, "iiii"), canvas.TextWidth(fixed, "WWWW"));
  EXPECT_EQ(family(fixed), FF_MODERN) << face;
  for (const char* serif : {"Pavina Missing Serif", "Georgia"})
    EXPECT_EQ(family(canvas.Font({serif, 12, 0, DEFAULT_CHARSET})), FF_ROMAN)
        << serif << ": " << face;
}

TEST(GdiCanvas, MaskedPicturesLeaveTheBackgroundWhereTheMaskIsWhite) {
  TTestBitmap bitmap(8, 4);
  TGdiCanvas canvas;
  canvas.Attach(bitmap.DC());
  canvas.FillRect({0, 0, 8, 4}, MakeColor(255, 0, 0));
  TDIB picture(2, 1, 24);
  picture.Row(0)[0] = 255;  // blue, green, red: the left pixel blue
  picture.Row(0)[4] = 255;  // the right pixel green
  TDIB mask(2, 1, 1);
  mask.Row(0)[0] = 0x80;  // the left pixel lets the background through
  canvas.DrawPicture({0, 0, 4, 2}, picture, &mask);
  canvas.DrawPicture({4, 0, 8, 2}, picture, nullptr);
  canvas.Detach();
  EXPECT_EQ(bitmap.Pixel(0, 0), MakeColor(255, 0, 0));
  EXPECT_EQ(bitmap.Pixel(1, 1), MakeColor(255, 0, 0));
  EXPECT_EQ(bitmap.Pixel(2, 0), MakeColor(0, 255, 0));
  EXPECT_EQ(bitmap.Pixel(3, 1), MakeColor(0, 255, 0));
  EXPECT_EQ(bitmap.Pixel(4, 0), MakeColor(0, 0, 255));  // unmasked: both pixels drawn
  EXPECT_EQ(bitmap.Pixel(7, 1), MakeColor(0, 255, 0));
  EXPECT_EQ(bitmap.Pixel(0, 3), MakeColor(255, 0, 0));  // below the pictures
}

// Straight alpha: each pixel mixed with what is beneath by its alpha, stretched too, and
// only inside the clip.
TEST(GdiCanvas, PicturesWithAlphaAreBlendedOverWhatIsBeneath) {
  TTestBitmap bitmap(6, 1);
  TGdiCanvas canvas;
  canvas.Attach(bitmap.DC());
  canvas.FillRect({0, 0, 6, 1}, MakeColor(0, 255, 0));
  TDIB picture(2, 1, 32);
  const std::uint8_t blue[] = {255, 0, 0, 255, 255, 0, 0, 128};  // opaque, then half
  std::copy(std::begin(blue), std::end(blue), picture.Row(0));
  canvas.PushClip({0, 0, 5, 1});
  canvas.DrawPicture({0, 0, 6, 1}, picture, nullptr);
  canvas.PopClip();
  canvas.Detach();
  std::vector<TColor> row;
  for (int x = 0; x < 6; ++x) row.push_back(bitmap.Pixel(x, 0));
  const TColor opaque = MakeColor(0, 0, 255), half = MakeColor(0, 127, 128);
  EXPECT_EQ(row, (std::vector<TColor>{opaque, opaque, opaque, half, half, MakeColor(0, 255, 0)}));
}

TEST(GdiCanvas, ClipsNestAndComeOff) {
  TTestBitmap bitmap(20, 10);
  TGdiCanvas canvas;
  canvas.Attach(bitmap.DC());
  canvas.PushClip({0, 0, 10, 10});
  canvas.PushClip({5, 0, 20, 10});
  canvas.FillRect({0, 0, 20, 10}, kBlack);  // only 5..10 of it
  canvas.PopClip();
  canvas.PopClip();
  canvas.FillRect({15, 0, 16, 1}, kBlack);  // unclipped again
  canvas.Detach();
  EXPECT_EQ(bitmap.Pixel(4, 5), kWhite);
  EXPECT_EQ(bitmap.Pixel(5, 5), kBlack);
  EXPECT_EQ(bitmap.Pixel(9, 5), kBlack);
  EXPECT_EQ(bitmap.Pixel(10, 5), kWhite);
  EXPECT_EQ(bitmap.Pixel(15, 0), kBlack);
}

// Text fills the width the layout measured for it, so that what follows it (the next run,
// a selection, a link's underline) lines up with its last letter.
TEST(GdiCanvas, TextEndsWhereItsMeasuredWidthEnds) {
  TGdiCanvas canvas;
  for (const std::uint8_t style : {std::uint8_t{0}, TFontStyle::Underline}) {
    for (const char* text : {"wwwwwwwwww", "The main window"}) {
      SCOPED_TRACE(std::string(text) + (style ? " underlined" : ""));
      TTestBitmap bitmap(200, 30);
      canvas.Attach(bitmap.DC());
      const TFontHandle font = canvas.Font({"Times New Roman", 12, style, DEFAULT_CHARSET});
      const TFontMetrics metrics = canvas.Metrics(font);
      canvas.TextOut(0, 20, font, text, TTextPaint{kBlack, false, kWhite});
      const std::int32_t width = canvas.TextWidth(font, text);
      canvas.Detach();
      // The rightmost ink of the letters (above the baseline) and of the row under it.
      const auto rightmost = [&](int top, int bottom) {
        int right = -1;
        for (int y = top; y < bottom; ++y)
          for (int x = 0; x < 200; ++x)
            if (bitmap.Pixel(x, y) != kWhite) right = std::max(right, x);
        return right;
      };
      const int letters = rightmost(20 - metrics.Ascent, 20);
      EXPECT_GE(letters, width - 3);
      EXPECT_LT(letters, width + 2);
      if (style) {
        EXPECT_LE(rightmost(21, 20 + metrics.Descent) - letters, 2);
      }
    }
  }
}

TEST(GdiCanvas, BuiltInPicturesAndCursorsComeFromTheProgramsResources) {
  const TViewerResources& resources = TViewerResources::Get();
  HCURSOR arrow = ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
  for (int number = 1; number <= 5; ++number) EXPECT_NE(resources.Cursor(number), arrow) << number;
  EXPECT_EQ(resources.Cursor(0), arrow);
  ASSERT_NE(resources.CannotLoad(), nullptr);
  ASSERT_NE(resources.CannotLoadMask(), nullptr);
  ASSERT_NE(resources.NotShown(), nullptr);

  // The cannot-load picture through its mask: the corner stays, the cross is drawn.
  TTestBitmap bitmap(20, 20);
  TGdiCanvas canvas;
  canvas.Attach(bitmap.DC());
  canvas.FillRect({0, 0, 20, 20}, MakeColor(0, 0, 255));
  canvas.DrawBuiltIn(TBuiltInPicture::CannotLoad, 2, 2);
  canvas.Detach();
  EXPECT_EQ(bitmap.Pixel(2, 2), MakeColor(0, 0, 255));      // see-through corner
  EXPECT_EQ(bitmap.Pixel(5, 5), MakeColor(220, 0, 0));      // the red cross
  EXPECT_EQ(bitmap.Pixel(4, 4), MakeColor(255, 255, 255));  // the white photo
  EXPECT_EQ(bitmap.Pixel(19, 19), MakeColor(0, 0, 255));
}

TEST(GdiCanvas, GoldenDocumentsDrawIntoBitmaps) {
  for (const TGoldenDocument& golden : GoldenDocuments()) {
    SCOPED_TRACE(golden.Name);
    TGdiCanvas canvas;
    TSectionList doc(canvas);
    doc.Background = kWhite;
    golden.Build(doc);
    std::int32_t widest = 0;
    const std::int32_t height = doc.DoLogic(5, golden.Width, widest);
    ASSERT_GT(height, 10);
    ASSERT_LT(height, 2000);
    TTestBitmap bitmap(golden.Width + 20, height + 10);
    canvas.Attach(bitmap.DC());
    doc.Draw({0, 0, golden.Width + 20, height + 10}, 10);
    canvas.Detach();
    // Text and rules left ink, and nothing was drawn left of the margin but list markers.
    EXPECT_GT(bitmap.CountNot(kWhite), 50);
    if (std::string(golden.Name) == "lists")
      bitmap.Save(std::string(PAVINA_VIEWER_PICTURE_DIR) + "/gdi-golden-lists.bmp");
  }
}
}  // namespace

}  // namespace htmlview
