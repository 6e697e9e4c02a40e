#include "view/MetaRefresh.h"

#include "navigation/FileNameExpansion.h"
#include "text/AsciiCase.h"

namespace htmlview {

std::optional<TMetaRefresh> ParseMetaRefresh(const std::string& content) {
  const std::string delayText = TrimControls(content.substr(0, content.find(';')));
  if (delayText.empty() || delayText.size() > 9) return std::nullopt;
  int delay = 0;
  for (std::size_t i = 0; i < delayText.size(); ++i) {
    const char c = delayText[i];
    if (i == 0 && c == '+' && delayText.size() > 1) continue;
    if (c < '0' || c > '9') return std::nullopt;
    delay = delay * 10 + (c - '0');
  }
  TMetaRefresh refresh;
  refresh.Delay = delay == 0 ? 1 : delay;
  const std::size_t url = UpperText(content).find("URL=");
  if (url != std::string::npos) refresh.Url = content.substr(url + 4);
  return refresh;
}

}  // namespace htmlview
