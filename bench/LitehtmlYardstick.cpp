#include "LitehtmlYardstick.h"

#include <litehtml.h>

#include <cstring>

namespace pavina::bench {

namespace {

// What the page's tags mean for display, written here because the package ships no
// default style sheet; enough for the markup the generated pages use.
const char* const kMasterStyleSheet =
    "html,address,blockquote,body,center,dd,div,dl,dt,form,h1,h2,h3,h4,h5,h6,hr,menu,ol,p,pre,"
    "ul,dir{display:block}"
    "head,script,style,title,meta,link{display:none}"
    "li{display:list-item} table{display:table} tr{display:table-row}"
    "td,th{display:table-cell} caption{display:table-caption}"
    "b,strong,th{font-weight:bold} i,em,cite,var,address{font-style:italic}"
    "tt,code,kbd,samp,pre{font-family:monospace} pre{white-space:pre}"
    "h1{font-size:24pt;font-weight:bold} h2{font-size:18pt;font-weight:bold}"
    "p{margin-top:14px} ul,ol{padding-left:35px} a{text-decoration:underline}";

// Fixed metrics: at 12 points 7 pixels a character, ascent 10, descent 3.
class TFixedMetricContainer : public litehtml::document_container {
 public:
  explicit TFixedMetricContainer(int width) : width_(width) {}

  litehtml::uint_ptr create_font(const litehtml::tchar_t*, int size, int weight,
                                 litehtml::font_style, unsigned int,
                                 litehtml::font_metrics* fm) override {
    if (fm) {
      fm->ascent = size * 10 / 12;
      fm->descent = size * 3 / 12;
      fm->height = fm->ascent + fm->descent + size * 2 / 12;
      fm->x_height = size / 2;
      fm->draw_spaces = false;
    }
    return static_cast<litehtml::uint_ptr>(size * 2 + (weight > 400 ? 1 : 0));
  }
  void delete_font(litehtml::uint_ptr) override {}
  int text_width(const litehtml::tchar_t* text, litehtml::uint_ptr font) override {
    const int size = static_cast<int>(font / 2);
    const int perChar = size * 7 / 12 + static_cast<int>(font & 1);
    return static_cast<int>(std::strlen(text)) * perChar;
  }
  void draw_text(litehtml::uint_ptr, const litehtml::tchar_t*, litehtml::uint_ptr,
                 litehtml::web_color, const litehtml::position&) override {}
  int pt_to_px(int pt) const override { return pt * 96 / 72; }
  int get_default_font_size() const override { return 16; }
  const litehtml::tchar_t* get_default_font_name() const override { return "Times New Roman"; }
  void draw_list_marker(litehtml::uint_ptr, const litehtml::list_marker&) override {}
  void load_image(const litehtml::tchar_t*, const litehtml::tchar_t*, bool) override {}
  void get_image_size(const litehtml::tchar_t*, const litehtml::tchar_t*,
                      litehtml::size& size) override {
    size.width = 0;
    size.height = 0;
  }
  void draw_background(litehtml::uint_ptr, const litehtml::background_paint&) override {}
  void draw_borders(litehtml::uint_ptr, const litehtml::borders&, const litehtml::position&,
                    bool) override {}
  void set_caption(const litehtml::tchar_t*) override {}
  void set_base_url(const litehtml::tchar_t*) override {}
  void link(const std::shared_ptr<litehtml::document>&, const litehtml::element::ptr&) override {}
  void on_anchor_click(const litehtml::tchar_t*, const litehtml::element::ptr&) override {}
  void set_cursor(const litehtml::tchar_t*) override {}
  void transform_text(litehtml::tstring&, litehtml::text_transform) override {}
  void import_css(litehtml::tstring&, const litehtml::tstring&, litehtml::tstring&) override {}
  void set_clip(const litehtml::position&, const litehtml::border_radiuses&, bool, bool) override {}
  void del_clip() override {}
  void get_client_rect(litehtml::position& client) const override {
    client.x = 0;
    client.y = 0;
    client.width = width_;
    client.height = 600;
  }
  std::shared_ptr<litehtml::element> create_element(
      const litehtml::tchar_t*, const litehtml::string_map&,
      const std::shared_ptr<litehtml::document>&) override {
    return nullptr;
  }
  void get_media_features(litehtml::media_features& media) const override {
    media.type = litehtml::media_type_screen;
    media.width = width_;
    media.height = 600;
    media.device_width = width_;
    media.device_height = 600;
    media.color = 8;
    media.monochrome = 0;
    media.color_index = 256;
    media.resolution = 96;
  }
  void get_language(litehtml::tstring& language, litehtml::tstring& culture) const override {
    language = "en";
    culture.clear();
  }

 private:
  int width_;
};

}  // namespace

struct TLitehtmlPage::TParts {
  explicit TParts(int width) : container(width) {}
  TFixedMetricContainer container;
  litehtml::document::ptr document;  // destroyed first: it calls back into the container
};

TLitehtmlPage::TLitehtmlPage(const std::string& page, int width)
    : parts_(std::make_unique<TParts>(width)) {
  static litehtml::context context;
  static const bool loaded = (context.load_master_stylesheet(kMasterStyleSheet), true);
  (void)loaded;
  parts_->document = litehtml::document::createFromUTF8(page.c_str(), &parts_->container, &context);
  parts_->document->render(width);
}

TLitehtmlPage::~TLitehtmlPage() = default;

int TLitehtmlPage::Height() const {
  return parts_->document->height();
}

}  // namespace pavina::bench
