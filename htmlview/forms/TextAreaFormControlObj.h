#pragma once

#include "forms/FormControlObj.h"

namespace htmlview {

// TEXTAREA: a multi-line edit of ROWS x COLS characters (5 x 30 by default). WRAP "soft"
// or "hard" wraps words and shows a vertical bar; otherwise lines run on, with both bars.
class TTextAreaFormControlObj : public TFormControlObj {
 public:
  TTextAreaFormControlObj(ThtmlForm& form, const TAttributeList& attributes);

  std::int32_t Rows() const { return rows_; }
  std::int32_t Cols() const { return cols_; }
  bool WordWrap() const { return wordWrap_; }
  const std::vector<std::string>& InitialLines() const { return initialLines_; }

  // The text between the tags, entities decoded: each line end (CR, LF, CR LF or LF CR)
  // ends a line of the initial content. Cut to the text bound.
  void SetInitialText(const std::string& text);

  TControlSize Measure() const override;
  void ResetToInitial() override;
  // NAME= followed by the text's lines joined by CR LF. The breaks that word wrap makes on
  // screen are not in the text, so they are not sent.
  void AddSubmitEntries(std::vector<std::string>& results) override;

 private:
  std::int32_t rows_;
  std::int32_t cols_;
  bool wordWrap_;
  std::vector<std::string> initialLines_;
};

}  // namespace htmlview
