#include "forms/FormsOfDocument.h"

#include "document/SectionList.h"
#include "forms/DocumentForms.h"

namespace htmlview {

void ConnectForms(TSectionList& doc, TDocumentForms& forms) {
  forms.PreFontName = [&doc] { return doc.PreFontName(); };
  forms.Background = [&doc] { return doc.CellBackground.value_or(doc.Background); };
  doc.AnyControlHasFocus = [&forms] { return forms.AnyFocused(); };
  doc.FindMapArea = [&forms](const std::string& name, std::int32_t x, std::int32_t y,
                             TUrlTarget& link) {
    const TMapItem* map = forms.FindMap(name);
    return map && map->HitTest(x, y, link.Url, link.Target);
  };
  doc.OnCleared = [&forms] { forms.Clear(); };
}

}  // namespace htmlview
