#pragma once

namespace htmlview {

class TDocumentForms;
class TSectionList;

// Wires the forms of a document to it, both ways: the document answers image maps and
// whether a control has the focus from the forms, and empties them when it is emptied
// (after its sections, which point at their controls); the forms take its preformatted
// font name and the colour behind their controls. The document knows nothing of forms:
// whoever holds both connects them, and destroys the document first.
void ConnectForms(TSectionList& doc, TDocumentForms& forms);

}  // namespace htmlview
