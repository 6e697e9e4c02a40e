#pragma once

#include <memory>
#include <string>

namespace pavina::bench {

// Debian's litehtml as a yardstick for speed and memory only: parses the page and lays it
// out at `width` through a container with fixed metrics (a character 7 pixels wide at 12
// points, as the viewer's test canvas measures), and holds the result until destroyed.
class TLitehtmlPage {
 public:
  TLitehtmlPage(const std::string& page, int width);
  ~TLitehtmlPage();
  TLitehtmlPage(const TLitehtmlPage&) = delete;
  TLitehtmlPage& operator=(const TLitehtmlPage&) = delete;

  // The height it laid out.
  int Height() const;

 private:
  struct TParts;
  std::unique_ptr<TParts> parts_;
};

}  // namespace pavina::bench
