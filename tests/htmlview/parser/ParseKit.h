#pragma once

#include <string>
#include <string_view>

#include "DocBuilder.h"
#include "forms/DocumentForms.h"
#include "forms/FormsOfDocument.h"
#include "parser/AnchorList.h"
#include "parser/HtmlParser.h"

namespace htmlview {

// A document on the recording test canvas, parsed from a text, with its forms connected
// to it as the viewer's view connects them.
struct TParsedDocument {
  TTestDocument test;
  TSectionList& doc = test.doc;
  TAnchorList anchors;
  TDocumentForms forms;
  THtmlParser parser;
  TParseHandlers handlers;

  TParsedDocument() { ConnectForms(doc, forms); }
  TParsedDocument(const TParsedDocument&) = delete;
  TParsedDocument& operator=(const TParsedDocument&) = delete;

  TParsedDocument& Parse(std::string_view html) {
    parser.ParseBuffer({doc, anchors, &forms}, html, handlers);
    return *this;
  }
};

// What the parser built, before layout: one line a section, with its kind, alignment,
// list level and text, and a line for each font run that differs from the base font
// ("@pos size=N b i u s sub sup fixed face=F color=RRGGBB link=URL"). Tables show their
// rows and cells, indented.
std::string StructureDump(const TCell& cell);

// The document laid out at `width` and drawn, as the layout's golden dumps write it.
std::string LayoutDump(TParsedDocument& parsed, int width);

}  // namespace htmlview
