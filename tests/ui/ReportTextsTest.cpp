#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "ProgramTitle.h"
#include "ReportTexts.h"

namespace pavina::ui {

namespace {

TEST(ReportTexts, GeneralErrorAddsAFullStopOnlyAfterCharactersAboveIt) {
  EXPECT_EQ(GeneralErrorText("Unable to write to C:\\Pavina\\pavina.ini"),
            "Unable to write to C:\\Pavina\\pavina.ini.");
  EXPECT_EQ(GeneralErrorText("Done."), "Done.");
  EXPECT_EQ(GeneralErrorText("Oops!"), "Oops!");    // "!" sorts below "."
  EXPECT_EQ(GeneralErrorText("Path: "), "Path: ");  // so does the blank
  EXPECT_EQ(GeneralErrorText("Folder/"), "Folder/.");
  EXPECT_EQ(GeneralErrorText(""), "");
  EXPECT_EQ(SettingsWriteErrorText("C:\\a\\pavina.ini"), "Unable to write to C:\\a\\pavina.ini");
}

TEST(ReportTexts, AnErrorShowsItsOwnTextAndRunningOutOfMemorySaysSo) {
  EXPECT_EQ(ErrorText(std::runtime_error("Unable to write to C:\\pavina.ini")),
            "Unable to write to C:\\pavina.ini");
  EXPECT_EQ(GeneralErrorText(ErrorText(std::bad_alloc())), "Out of memory.");
  EXPECT_EQ(GeneralErrorText(ErrorText(std::bad_array_new_length())), "Out of memory.");
}

TEST(ReportTexts, LeakAndRetryTextsAreFixedPiecesAroundTheirArgument) {
  EXPECT_EQ(LeakReportText(1), "Your application leaks 1 bytes.");
  EXPECT_EQ(LeakReportText(4096), "Your application leaks 4096 bytes.");
  EXPECT_EQ(RetryMessageText("Clear Error"), "Clear Error ,Try Again");
  EXPECT_EQ(RetryMessageText("Header Error, Line 3"), "Header Error, Line 3 ,Try Again");
  EXPECT_STREQ(kRetryMessageCaption, "Info");
}

TEST(ProgramTitle, FileNameUpToItsFirstDotWithOnlyTheFirstLetterKept) {
  EXPECT_EQ(ProgramTitleFromPath("C:\\Tools\\PAVINA.EXE"), "Pavina");
  EXPECT_EQ(ProgramTitleFromPath("Z:\\work\\app\\Pavina.exe"), "Pavina");
  EXPECT_EQ(ProgramTitleFromPath("C:\\a.b\\pavina.v2.exe"), "pavina");
  EXPECT_EQ(ProgramTitleFromPath("D:/logos/LogoTool.exe"), "Logotool");
  EXPECT_EQ(ProgramTitleFromPath("Pavina.exe"), "Pavina");
  EXPECT_EQ(ProgramTitleFromPath("C:PAVINA"), "Pavina");
}

}  // namespace

}  // namespace pavina::ui
