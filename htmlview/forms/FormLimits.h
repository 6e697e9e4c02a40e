#pragma once

#include <cstddef>
#include <cstdint>

namespace htmlview {

// Bounds on what a page can make the forms layer hold. Every control is a real window, and
// windows are a scarce resource of the process, so their number is bounded per document;
// the rest keeps a hostile page from growing memory far beyond its own size.
namespace form_limits {

// Form controls of one document, hidden fields included; further ones are not created.
constexpr std::size_t kMaxControls = 2000;
// Forms of one document (FORM tags and forms made on the spot).
constexpr std::size_t kMaxForms = 2000;
// Options of one SELECT, and of all SELECTs of a document together.
constexpr std::size_t kMaxOptionsPerSelect = 10000;
constexpr std::size_t kMaxOptionsPerDocument = 100000;
// Characters kept of an option's text and of its VALUE.
constexpr std::size_t kMaxOptionText = 255;
// Characters kept of any other text a control or form holds (VALUE, NAME, ACTION, a
// TEXTAREA's content): the default limit of an edit window.
constexpr std::size_t kMaxText = 32767;
// Sizes from attributes: SIZE of an edit (characters), rows of a list box, ROWS and COLS
// of a TEXTAREA.
constexpr std::int32_t kMaxEditSize = 1000;
constexpr std::int32_t kMaxListRows = 200;
constexpr std::int32_t kMaxTextAreaRows = 500;
constexpr std::int32_t kMaxTextAreaCols = 1000;
// Image maps of one document, areas of one map, numbers of one COORDS.
constexpr std::size_t kMaxMaps = 1024;
constexpr std::size_t kMaxAreasPerMap = 4096;
constexpr std::size_t kMaxCoords = 301;
// Coordinates are clamped to this magnitude so that hit-test arithmetic cannot overflow.
constexpr std::int32_t kMaxCoordValue = 1000000;

}  // namespace form_limits

}  // namespace htmlview
