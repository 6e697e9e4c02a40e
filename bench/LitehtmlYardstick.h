#pragma once

#include <string>

namespace pavina::bench {

// Debian's litehtml as a yardstick for speed only: parses the page and lays it out at
// `width` through a container with fixed metrics (a character 7 pixels wide at 12
// points, as the viewer's test canvas measures), and returns the height it laid out.
int LitehtmlParseAndRender(const std::string& page, int width);

}  // namespace pavina::bench
