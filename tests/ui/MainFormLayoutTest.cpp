#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "MainFormLayout.h"

namespace pavina::ui {

namespace {

TEST(MainFormLayout, ExactlyTheElevenControlsOfAnUploadCarryTheTag) {
  std::vector<std::string> tagged;
  for (const TControlSpec& spec : MainFormControls())
    if (spec.tagged) tagged.push_back(spec.name);
  // In creation order, the order in which EnableTaggedControls walks them.
  EXPECT_EQ(tagged,
            (std::vector<std::string>{"edKeyOfs", "udKeyOfs", "edY", "udY", "edX", "udX", "btExit",
                                      "btSave", "btAutoKey", "btLoadKey", "btLoadImage"}));
}

TEST(MainFormLayout, ParentsComeFirstAndNamesAndIdsAreUnique) {
  std::set<std::string> seen;
  std::set<int> ids;
  for (const TControlSpec& spec : MainFormControls()) {
    if (spec.parent) {
      EXPECT_TRUE(seen.count(spec.parent)) << spec.name << " before its parent";
      const TControlSpec* parent = FindMainFormControl(spec.parent);
      ASSERT_NE(parent, nullptr);
      EXPECT_EQ(parent->kind, TControlKind::GroupBox);
    }
    if (spec.buddy) {
      EXPECT_TRUE(seen.count(spec.buddy)) << spec.name << " before its buddy";
    }
    EXPECT_TRUE(seen.insert(spec.name).second) << spec.name;
    EXPECT_TRUE(ids.insert(spec.id).second) << spec.name;
  }
  EXPECT_EQ(FindMainFormControl("nothing"), nullptr);
}

TEST(MainFormLayout, UpDownRangesIncludingTheReversedY) {
  const TControlSpec* y = FindMainFormControl("udY");
  ASSERT_NE(y, nullptr);
  EXPECT_EQ(y->minimum, 254);
  EXPECT_EQ(y->maximum, 20);
  EXPECT_FALSE(y->horizontal);
  const TControlSpec* x = FindMainFormControl("udX");
  EXPECT_EQ(x->minimum, 2);
  EXPECT_EQ(x->maximum, 225);
  EXPECT_TRUE(x->horizontal);
  const TControlSpec* offset = FindMainFormControl("udKeyOfs");
  EXPECT_EQ(offset->minimum, -10);
  EXPECT_EQ(offset->maximum, 10);
  EXPECT_EQ(offset->position, 5);
  EXPECT_STREQ(offset->buddy, "edKeyOfs");
}

}  // namespace

}  // namespace pavina::ui
