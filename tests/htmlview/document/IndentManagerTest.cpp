// The indent manager: floats on both sides, list levels entered and left, and the bottoms
// that CLEAR and a cell's height follow.
#include <gtest/gtest.h>

#include "document/IndentManager.h"

namespace htmlview {

namespace {

TEST(IndentManager, FloatsIndentOnlyWhereTheyStand) {
  IndentManager imgr;
  imgr.Reset(0, 300);
  imgr.AddLeft(10, 50, 40);   // [10, 60) on the left, 40 wide
  imgr.AddLeft(20, 10, 30);   // beside it: starts at 40
  imgr.AddRight(0, 100, 25);  // [0, 100) on the right
  EXPECT_EQ(imgr.LeftIndent(5), 0);
  EXPECT_EQ(imgr.LeftIndent(10), 40);
  EXPECT_EQ(imgr.LeftIndent(25), 70);
  EXPECT_EQ(imgr.LeftIndent(30), 40);
  EXPECT_EQ(imgr.LeftIndent(60), 0);
  EXPECT_EQ(imgr.RightSide(99), 275);
  EXPECT_EQ(imgr.RightSide(100), 300);
  EXPECT_EQ(imgr.LeftFloatBottom(), 60);
  EXPECT_EQ(imgr.RightFloatBottom(), 100);
  EXPECT_EQ(imgr.ImageBottom(), 100);

  // Dropping what ended above keeps what still stands, and the bottoms.
  imgr.DropAbove(60);
  EXPECT_EQ(imgr.LeftIndent(70), 0);
  EXPECT_EQ(imgr.RightSide(70), 275);
  EXPECT_EQ(imgr.LeftFloatBottom(), 60);

  // A float added above the newest one still gives way to a wider one beside it.
  imgr.Reset(0, 300);
  imgr.AddLeft(50, 10, 20);
  imgr.AddLeft(0, 100, 5);
  EXPECT_EQ(imgr.LeftIndent(55), 20);
  EXPECT_EQ(imgr.LeftIndent(70), 5);
}

TEST(IndentManager, ListLevelsIndentFromWhereTheyWereEntered) {
  IndentManager imgr;
  imgr.Reset(0, 400);
  imgr.AddLeft(0, 30, 50);
  imgr.SetLevel(10, 2);  // beside the float: 50 + 35, then + 35
  EXPECT_EQ(imgr.Level(), 2);
  EXPECT_EQ(imgr.LeftIndent(10), 120);
  EXPECT_EQ(imgr.LeftIndent(40), 120);  // the float ended; the levels stay
  imgr.SetLevel(50, 1);
  EXPECT_EQ(imgr.LeftIndent(50), 85);
  EXPECT_EQ(imgr.LeftFloatBottom(), 49);  // the closed level ends above
  imgr.SetLevel(60, 0);
  EXPECT_EQ(imgr.LeftIndent(60), 0);

  imgr.SetLevel(70, 1, true);  // an item outside any list
  EXPECT_EQ(imgr.LeftIndent(70), IndentManager::kOutsideListIndent);
}

TEST(IndentManager, DeepListsStopIndentingAtTheCap) {
  IndentManager imgr;
  imgr.Reset(0, 400);
  imgr.SetLevel(0, 10000);
  EXPECT_EQ(imgr.Level(), IndentManager::kMaxListLevel);
  EXPECT_EQ(imgr.LeftIndent(0), IndentManager::kMaxListLevel * IndentManager::kListIndent);
  imgr.SetLevel(5, 0);
  EXPECT_EQ(imgr.LeftIndent(5), 0);
}

}  // namespace

}  // namespace htmlview
