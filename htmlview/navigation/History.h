#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace htmlview {

// Kinds of file a viewer shows.
enum class THtmlFileType : std::uint8_t { HTML = 0, Text = 1, Image = 2 };

// One history entry's place: a packed position and the kind of file.
struct PositionObj {
  std::uint32_t Pos = 0;
  THtmlFileType FileType = THtmlFileType::HTML;
};

// A place in the viewer: which file, under which title, where in it.
struct THistoryPlace {
  std::string FileName;
  std::string Title;
  PositionObj Position;
};

// Whether two places show the same document: the same kind of file under the same name,
// compared without regard to case, as Windows compares file names.
bool SameDocument(const THistoryPlace& a, const THistoryPlace& b);

// The places visited, newest first, as three lists kept in step (file names, titles and
// positions) with the index of the entry shown. The viewer only records; moving through
// the history is left to its host.
class THistory {
 public:
  // Records `current` after leaving `left`; true when the lists changed.
  bool Record(const THistoryPlace& left, const THistoryPlace& current);
  // Empties the lists; true when there were entries.
  bool Clear();
  // Negative counts are ignored; a lower limit clears the whole history. True when
  // entries were dropped.
  bool SetMaxCount(int count);
  int MaxCount() const { return maxCount_; }

  int Index() const { return index_; }
  std::size_t Count() const { return fileNames_.size(); }
  const std::vector<std::string>& FileNames() const { return fileNames_; }
  const std::vector<std::string>& Titles() const { return titles_; }
  const std::vector<PositionObj>& Positions() const { return positions_; }

 private:
  std::vector<std::string> fileNames_;
  std::vector<std::string> titles_;
  std::vector<PositionObj> positions_;
  int index_ = 0;
  int maxCount_ = 0;
};

}  // namespace htmlview
