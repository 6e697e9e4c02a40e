#include <gtest/gtest.h>

#include <vector>

#include "FormTestSupport.h"
#include "forms/ButtonFormControlObj.h"
#include "forms/DocumentForms.h"
#include "forms/FormBuilder.h"
#include "forms/FormLimits.h"
#include "forms/ImageFormControlObj.h"
#include "forms/ListBoxFormControlObj.h"
#include "forms/TextAreaFormControlObj.h"
#include "testing/ControlUser.h"

namespace htmlview {

namespace {

using S = TAttrSymbol;
using Entries = std::vector<std::string>;

class Forms : public ::testing::Test {
 protected:
  Forms() {
    document.PreFontName = [] { return std::string("Courier New"); };
    document.SubmitHandler = [this](const TFormSubmission& s) { submitted.push_back(s); };
  }

  TFormControlObj* Input(std::initializer_list<std::pair<TAttrSymbol, std::string>> items) {
    return builder.AddInput(Attrs(items));
  }
  // A SELECT with options given as (text, selected, value or "" for none).
  TOptionListControlObj* Select(std::initializer_list<std::pair<TAttrSymbol, std::string>> items,
                                std::vector<std::tuple<std::string, bool, std::string>> options) {
    TOptionListControlObj* select = builder.BeginSelect(Attrs(items));
    for (const auto& [text, selected, value] : options)
      builder.AddOption(*select, text, selected,
                        value.empty() ? std::nullopt : std::optional<std::string>(value));
    builder.EndSelect(*select);
    return select;
  }
  const TFormSubmission& Last() const { return submitted.back(); }

  TDocumentForms document;
  TFormBuilder builder{document};
  std::vector<TFormSubmission> submitted;
};

// One form holding every kind of control; the submit button sends what each adds.
class EveryKind : public Forms {
 protected:
  EveryKind() {
    builder.BeginForm(Attrs({{S::ACTION, "find.cgi"},
                             {S::METHOD, "POSTED"},
                             {S::TARGET, "right"},
                             {S::ENCTYPE, "text/plain"}}));
    edit = Input({{S::NAME, "who"}, {S::VALUE, "Ann"}});
    password = Input({{S::TYPE, "PassWord"}, {S::NAME, "pw"}, {S::VALUE, "x"}});
    Input({{S::TYPE, "checkbox"}, {S::NAME, "cb1"}, {S::CHECKED, ""}});
    box = Input({{S::TYPE, "checkbox"}, {S::NAME, "cb2"}, {S::VALUE, "yes"}});
    Input({{S::TYPE, "radio"}, {S::NAME, "r"}, {S::VALUE, "a"}, {S::CHECKED, ""}});
    radioB = Input({{S::TYPE, "radio"}, {S::NAME, "R"}, {S::VALUE, "b"}});
    Input({{S::TYPE, "hidden"}, {S::NAME, "h"}, {S::VALUE, "secret"}});
    Input({{S::TYPE, "reset"}, {S::NAME, "rs"}});
    Input({{S::TYPE, "button"}, {S::NAME, "bt"}});
    image = dynamic_cast<TImageFormControlObj*>(Input({{S::TYPE, "image"}, {S::NAME, "map"}}));
    combo = Select({{S::NAME, "c"}}, {{"One", false, ""}, {"Two", true, "2"}, {"Three", true, ""}});
    list = Select({{S::NAME, "l"}, {S::MULTIPLE, ""}},
                  {{"p", true, ""}, {"q", false, ""}, {"r", true, "R"}});
    area = builder.AddTextArea(Attrs({{S::NAME, "t"}}), "\nfirst\nsecond\n");
    submit = Input({{S::TYPE, "submit"}, {S::NAME, "go"}});
    builder.EndForm();
  }

  TFormControlObj *edit, *password, *box, *radioB, *submit;
  TImageFormControlObj* image;
  TOptionListControlObj *combo, *list;
  TTextAreaFormControlObj* area;
};

const Entries kInitialEntries = {"who=Ann",           "pw=x",     "cb1=on", "r=a",
                                 "h=secret",          "c=Three",  "l=p",    "l=R",
                                 "t=first\r\nsecond", "go=Submit"};

TEST_F(EveryKind, SubmitSendsEachControlsEntriesInOrderThenTheButtons) {
  UserClick(Win(submit));
  ASSERT_EQ(submitted.size(), 1u);
  EXPECT_EQ(Last().Results, kInitialEntries);
  EXPECT_EQ(Last().Action, "find.cgi");
  EXPECT_EQ(Last().Method, "POST");
  EXPECT_EQ(Last().Target, "right");
  EXPECT_EQ(Last().EncType, "text/plain");
  EXPECT_TRUE(Win(password).Spec().Kind == TControlKind::PasswordEdit);
  EXPECT_EQ(document.Forms().front()->NonHiddenCount(), 13u) << "all but the hidden field";
}

TEST_F(EveryKind, UserChangesAreSubmittedAndResetUndoesThem) {
  UserType(Win(edit), "Bob");
  UserClick(Win(box));
  UserClick(Win(radioB));  // "R" and "r" are one group
  UserChoose(Win(combo), 0);
  UserChoose(Win(list), 1);
  UserChoose(Win(list), 0);
  UserType(Win(area), "one\ntwo");
  ASSERT_TRUE(ImageControlClicked(image, 7, 9));
  ASSERT_EQ(submitted.size(), 1u) << "a click on the image submits";
  EXPECT_EQ(Last().Results, (Entries{"who=Bob", "pw=x", "cb1=on", "cb2=yes", "R=b", "h=secret",
                                     "map.x=7", "map.y=9", "c=One", "l=q", "l=R", "t=one\r\ntwo"}));

  UserClick(Win(submit));
  EXPECT_EQ(Last().Results.size(), 11u) << "the image's position is sent once";
  EXPECT_EQ(Last().Results.back(), "go=Submit");

  UserClick(Win(document.Controls()[7]));  // reset
  UserClick(Win(submit));
  EXPECT_EQ(Last().Results, kInitialEntries);
  EXPECT_EQ(Win(list).TopIndex(), 0);
}

TEST_F(EveryKind, EnterInAnEditSubmitsWithoutAButtonEntry) {
  UserPressEnter(Win(password));
  ASSERT_EQ(submitted.size(), 1u);
  EXPECT_EQ(Last().Results, Entries(kInitialEntries.begin(), kInitialEntries.end() - 1));
  document.SubmitHandler = nullptr;
  UserPressEnter(Win(edit));
  UserClick(Win(submit));
  EXPECT_EQ(submitted.size(), 1u) << "nothing happens without a submission handler";
}

// Without NAME an image still sends where it was clicked; the other kinds send nothing, as
// an entry "=value" names nothing a server could take it for.
TEST_F(Forms, ControlsWithoutNameSendOnlyTheImagesClick) {
  builder.BeginForm({});
  Input({{S::VALUE, "typed"}});
  Input({{S::TYPE, "checkbox"}, {S::CHECKED, ""}});
  Input({{S::TYPE, "hidden"}, {S::VALUE, "h"}});
  Select({}, {{"One", true, ""}});
  builder.AddTextArea(Attrs({}), "text");
  auto* image = Input({{S::TYPE, "image"}});
  ASSERT_TRUE(ImageControlClicked(image, 3, 4));
  EXPECT_EQ(Last().Results, (Entries{"x=3", "y=4"}));
}

TEST_F(Forms, ButtonsTakeTheirDefaultCaptionAndSizeFromIt) {
  builder.BeginForm({});
  auto* plain = dynamic_cast<TButtonFormControlObj*>(Input({{S::TYPE, "SUBMIT"}}));
  auto* named = Input({{S::TYPE, "submit"}, {S::NAME, "Go"}});
  auto* reset = dynamic_cast<TButtonFormControlObj*>(Input({{S::TYPE, "reset"}}));
  auto* button = dynamic_cast<TButtonFormControlObj*>(Input({{S::TYPE, "button"}}));
  auto* valued =
      dynamic_cast<TButtonFormControlObj*>(Input({{S::TYPE, "reset"}, {S::VALUE, "Clear"}}));
  EXPECT_EQ(plain->Caption(), "Submit");
  EXPECT_EQ(Win(plain).Text(), "Submit");
  EXPECT_EQ(reset->Caption(), "Reset");
  EXPECT_EQ(button->Caption(), "Button");
  EXPECT_EQ(valued->Caption(), "Clear");
  // Buttons measure in 8-point text: 5 pixels a character, 9 high.
  EXPECT_EQ(plain->Measure().Width, 6 * 5 + 20);
  EXPECT_EQ(plain->Measure().Height, 9 + 8);

  UserClick(Win(plain));
  EXPECT_TRUE(Last().Results.empty()) << "without NAME no extra entry";
  UserClick(Win(named));
  EXPECT_EQ(Last().Results, Entries{"Go=Submit"});
  UserClick(Win(button));
  EXPECT_FALSE(ImageControlClicked(button, 1, 1));
  EXPECT_EQ(submitted.size(), 2u) << "a plain button submits nothing";
}

TEST_F(Forms, CheckBoxSubmitsOnOnlyWhileChecked) {
  auto* box = Input({{S::TYPE, "checkbox"}, {S::NAME, "agree"}});
  auto* go = Input({{S::TYPE, "submit"}});
  UserClick(Win(go));
  EXPECT_TRUE(Last().Results.empty());
  UserClick(Win(box));
  UserClick(Win(go));
  EXPECT_EQ(Last().Results, Entries{"agree=on"});
  EXPECT_TRUE(box->RaisedByDescent());
  EXPECT_EQ(box->Measure().Width, 13);
  EXPECT_EQ(box->Measure().Height, 13);
}

TEST_F(Forms, RadioGroupsAreExclusiveByNameInAnyCaseWithinOneForm) {
  builder.BeginForm({});
  auto* a = Input({{S::TYPE, "radio"}, {S::NAME, "Size"}, {S::VALUE, "s"}, {S::CHECKED, ""}});
  auto* b = Input({{S::TYPE, "radio"}, {S::NAME, "SIZE"}, {S::VALUE, "m"}, {S::CHECKED, ""}});
  auto* c = Input({{S::TYPE, "radio"}, {S::NAME, "size"}, {S::VALUE, "l"}});
  auto* other = Input({{S::TYPE, "radio"}, {S::NAME, "colour"}, {S::CHECKED, ""}});
  builder.BeginForm({});
  auto* elsewhere = Input({{S::TYPE, "radio"}, {S::NAME, "size"}, {S::CHECKED, ""}});
  EXPECT_FALSE(Win(a).Checked()) << "of two CHECKED buttons the last wins";
  EXPECT_TRUE(Win(b).Checked());

  UserClick(Win(c));
  EXPECT_FALSE(Win(a).Checked());
  EXPECT_FALSE(Win(b).Checked());
  EXPECT_TRUE(Win(c).Checked());
  EXPECT_TRUE(Win(other).Checked()) << "another name";
  EXPECT_TRUE(Win(elsewhere).Checked()) << "another form";
  EXPECT_EQ(c->Measure().Height, 14);

  a->Form().ResetControls();
  EXPECT_FALSE(Win(a).Checked());
  EXPECT_TRUE(Win(b).Checked());
  EXPECT_FALSE(Win(c).Checked());
}

TEST_F(Forms, ControlsOutsideAFormGetOneMadeOnTheSpotUntilTheNextFormOrItsEnd) {
  auto* first = Input({});
  auto* second = Input({});
  builder.BeginForm(Attrs({{S::ACTION, "a"}}));
  auto* inForm = Input({});
  builder.EndForm();
  auto* after = Input({});
  ASSERT_EQ(document.Forms().size(), 3u);
  EXPECT_EQ(&first->Form(), &second->Form());
  EXPECT_EQ(first->Form().Method(), "Get");
  EXPECT_EQ(first->Form().Action(), "");
  EXPECT_EQ(inForm->Form().Action(), "a");
  EXPECT_NE(&after->Form(), &inForm->Form());
  EXPECT_EQ(document.Controls(), (std::vector<TFormControlObj*>{first, second, inForm, after}));
}

TEST_F(Forms, SizesFollowTheAttributes) {
  // The detached host: 6 x 11 pixels a character at 10 points, scroll bars 16.
  struct Case {
    std::string size;
    std::int32_t width;
  };
  for (const Case& c : {Case{"", 20 * 6 + 5}, Case{"4", 4 * 6 + 5}, Case{"40,1", 40 * 6 + 5},
                        Case{"7 2", 7 * 6 + 5}, Case{"abc", 20 * 6 + 5}, Case{"-3", 20 * 6 + 5},
                        Case{"99999999", form_limits::kMaxEditSize * 6 + 5}}) {
    auto* edit = c.size.empty() ? Input({}) : Input({{S::SIZE, c.size}});
    EXPECT_EQ(edit->Measure().Width, c.width) << "SIZE " << c.size;
    EXPECT_EQ(edit->Measure().Height, 20);
  }

  auto* area = builder.AddTextArea({}, "");
  EXPECT_EQ(area->Measure().Width, 30 * 6 + 8 + 16);
  EXPECT_EQ(area->Measure().Height, 5 * 11 + 8 + 16) << "no wrap: a horizontal bar too";
  EXPECT_FALSE(Win(area).Spec().WordWrap);
  auto* wrapped =
      builder.AddTextArea(Attrs({{S::ROWS, "2"}, {S::COLS, "10"}, {S::WRAP, "Hard"}}), "");
  EXPECT_EQ(wrapped->Measure().Width, 10 * 6 + 8 + 16);
  EXPECT_EQ(wrapped->Measure().Height, 2 * 11 + 8);
  EXPECT_TRUE(Win(wrapped).Spec().WordWrap);
  EXPECT_EQ(Win(wrapped).Spec().Font, (TControlFont{"Courier New", 10}));
}

TEST_F(Forms, SelectIsAListBoxWithSizeAboveOneOrMultipleElseADropDown) {
  struct Case {
    TAttributeList attributes;
    std::size_t options;
    TControlKind kind;
    std::int32_t rows;  // list boxes only
  };
  const std::vector<Case> cases = {
      {Attrs({{S::SIZE, "4"}}), 2, TControlKind::ListBox, 4},
      {Attrs({}), 2, TControlKind::DropDownList, 0},
      {Attrs({{S::SIZE, "1"}}), 2, TControlKind::DropDownList, 0},
      {Attrs({{S::MULTIPLE, ""}}), 12, TControlKind::ListBox, 8},
      {Attrs({{S::MULTIPLE, ""}}), 0, TControlKind::ListBox, 1},
      {Attrs({{S::MULTIPLE, ""}, {S::SIZE, "1"}}), 5, TControlKind::ListBox, 1},
  };
  for (const Case& c : cases) {
    TOptionListControlObj* select = builder.BeginSelect(c.attributes);
    for (std::size_t i = 0; i < c.options; ++i)
      builder.AddOption(*select, "option" + std::string(1, char('a' + i)), false, std::nullopt);
    builder.EndSelect(*select);
    EXPECT_EQ(Win(select).Spec().Kind, c.kind);
    if (auto* list = dynamic_cast<TListBoxFormControlObj*>(select)) {
      EXPECT_EQ(list->Rows(), c.rows);
      EXPECT_EQ(list->Measure().Height, c.rows * 11 + 4);
    }
    const std::int32_t chars = c.options ? 7 : 3;
    EXPECT_EQ(select->Measure().Width, chars * 6 + (c.kind == TControlKind::ListBox ? 15 : 30));
  }
}

TEST_F(Forms, OptionsAreTrimmedCutAndChosenAsThePageSays) {
  const std::string longText(300, 'x');
  TOptionListControlObj* select = Select(
      {{S::NAME, "s"}},
      {{"  spaced\r\n ", false, ""}, {"   ", true, ""}, {longText, false, std::string(300, 'v')}});
  ASSERT_EQ(select->Options().size(), 2u) << "an empty option is dropped";
  EXPECT_EQ(select->Options()[0].Text, "spaced");
  EXPECT_EQ(select->Options()[1].Text.size(), 255u);
  EXPECT_EQ(select->Options()[1].Value->size(), 255u);
  EXPECT_EQ(Win(select).Items(), (std::vector<std::string>{"spaced", longText.substr(0, 255)}));
  EXPECT_TRUE(Win(select).ItemSelected(0)) << "none SELECTED: the first";

  auto* single = Select({{S::SIZE, "3"}}, {{"a", true, ""}, {"b", true, ""}, {"c", false, ""}});
  EXPECT_FALSE(Win(single).ItemSelected(0));
  EXPECT_TRUE(Win(single).ItemSelected(1)) << "the last SELECTED";
  auto* multiple = Select({{S::MULTIPLE, ""}}, {{"a", false, ""}, {"b", false, ""}});
  EXPECT_FALSE(Win(multiple).ItemSelected(0)) << "several choices: only what is SELECTED";
}

TEST_F(Forms, TextAreaLinesFromTheRawText) {
  struct Case {
    std::string raw;
    std::vector<std::string> lines;
  };
  for (const Case& c :
       {Case{"", {}}, Case{"one", {"one"}}, Case{"\r\none\r\ntwo\r\n", {"one", "two"}},
        Case{"a\rb\nc\n\rd", {"a", "b", "c", "d"}}, Case{"a\n\nb", {"a", "", "b"}},
        Case{"\n\nx", {"", "x"}}}) {
    auto* area = builder.AddTextArea({}, c.raw);
    EXPECT_EQ(area->InitialLines(), c.lines) << c.raw;
  }
}

TEST_F(Forms, ObjectClickFiresForControlsWithOnClickBeforeTheirAction) {
  std::vector<std::string> events;
  document.ObjectClickHandler = [&](TFormControlObj&, const std::string& onClick) {
    events.push_back("click " + onClick);
  };
  document.SubmitHandler = [&](const TFormSubmission&) { events.push_back("submit"); };
  auto* go = Input({{S::TYPE, "submit"}, {S::ONCLICK, "check()"}});
  auto* box = Input({{S::TYPE, "checkbox"}});
  UserClick(Win(go));
  UserClick(Win(box));
  EXPECT_EQ(events, (std::vector<std::string>{"click check()", "submit"}));

  // A handler that empties the document frees the control it was called for.
  document.ObjectClickHandler = [&](TFormControlObj&, const std::string&) { document.Clear(); };
  UserClick(Win(go));
  EXPECT_TRUE(document.Controls().empty());
  EXPECT_EQ(events.size(), 2u);
}

TEST_F(Forms, WindowsWaitOffScreenShowWhenPlacedAndAreParkedAfterLayout) {
  auto* edit = Input({});
  auto* other = Input({});
  auto* hidden = Input({{S::TYPE, "hidden"}});
  EXPECT_EQ(hidden->Window(), nullptr);
  EXPECT_FALSE(hidden->TakesPlace());
  EXPECT_EQ(Win(edit).Top(), -400);
  EXPECT_FALSE(Win(edit).Visible());

  edit->PlaceAt(30, 50, 0x123456);
  EXPECT_TRUE(Win(edit).Visible());
  EXPECT_EQ(Win(edit).Background(), 0x123456u);
  EXPECT_EQ(Win(edit).Left(), 30);
  EXPECT_EQ(Win(edit).Width(), edit->Measure().Width);

  std::vector<TFormControlObj*> focused;
  document.ControlFocusedHandler = [&](TFormControlObj& control) { focused.push_back(&control); };
  UserType(Win(edit), "x");
  EXPECT_EQ(focused, std::vector<TFormControlObj*>{edit}) << "scrolled into view";

  for (TFormControlObj* control : document.Controls())
    control->HideAfterLayout(document.AnyFocused());
  EXPECT_TRUE(Win(edit).Visible()) << "the focused control keeps its focus";
  EXPECT_EQ(Win(edit).Left(), -4000);
  EXPECT_EQ(Win(other).Left(), -4000);
  EXPECT_TRUE(Win(other).Visible()) << "shown off-screen, so that the focus can reach it";
  EXPECT_FALSE(edit->Placed());

  document.Clear();
  auto* fresh = Input({});
  fresh->PlaceAt(1, 1);
  EXPECT_EQ(Win(fresh).Background(), kWhite) << "the document's colour by default";
  EXPECT_FALSE(document.AnyFocused());
  fresh->HideAfterLayout(false);
  EXPECT_FALSE(Win(fresh).Visible());
}

TEST_F(Forms, HostileCountsAreBounded) {
  std::size_t made = 0;
  for (std::size_t i = 0; i < form_limits::kMaxControls + 10; ++i)
    made += Input({{S::TYPE, i % 2 ? "hidden" : "text"}}) != nullptr;
  EXPECT_EQ(made, form_limits::kMaxControls);
  EXPECT_EQ(builder.BeginSelect({}), nullptr);
  EXPECT_EQ(builder.AddTextArea({}, "x"), nullptr);

  document.Clear();
  TOptionListControlObj* select = builder.BeginSelect({});
  for (std::size_t i = 0; i < form_limits::kMaxOptionsPerSelect + 5; ++i)
    builder.AddOption(*select, "o", false, std::nullopt);
  EXPECT_EQ(select->Options().size(), form_limits::kMaxOptionsPerSelect);

  auto* area = builder.AddTextArea(Attrs({{S::ROWS, "100000"}, {S::COLS, "100000"}}),
                                   std::string(100000, 'y'));
  EXPECT_EQ(area->Rows(), form_limits::kMaxTextAreaRows);
  EXPECT_EQ(area->Cols(), form_limits::kMaxTextAreaCols);
  EXPECT_EQ(area->InitialLines().front().size(), form_limits::kMaxText);
}

}  // namespace

}  // namespace htmlview
