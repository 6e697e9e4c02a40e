#include "MainFormLayout.h"

#include <cstring>

namespace pavina::ui {

namespace {
using K = TControlKind;
constexpr bool kTag = true, kOn = true, kOff = false, kShown = true, kHidden = false;

TControlSpec UpDown(const char* name, const char* parent, int left, int top, int width, int height,
                    int id, const char* buddy, int minimum, int maximum, int position,
                    bool horizontal, bool enabled) {
  TControlSpec spec{name,   K::UpDown, parent, left,    top,    width,
                    height, "",        kTag,   enabled, kShown, id};
  spec.buddy = buddy;
  spec.minimum = minimum;
  spec.maximum = maximum;
  spec.position = position;
  spec.horizontal = horizontal;
  return spec;
}

// Static storage, no heap: the leak report counts what is still allocated at exit.
const TControlSpec kControls[] = {
    {"GroupBox2", K::GroupBox, nullptr, 504, 160, 121, 129, "  Position  ", false, kOn, kShown,
     100},
    {"edKeyOfs", K::Edit, "GroupBox2", 56, 22, 33, 21, "5", kTag, kOn, kShown, 101},
    UpDown("udKeyOfs", "GroupBox2", 89, 22, 24, 21, 102, "edKeyOfs", -10, 10, 5, true, kOn),
    {"edY", K::Edit, "GroupBox2", 56, 94, 33, 21, "50", kTag, kOff, kShown, 103},
    UpDown("udY", "GroupBox2", 89, 94, 21, 21, 104, "edY", 254, 20, 50, false, kOff),
    {"edX", K::Edit, "GroupBox2", 56, 58, 33, 21, "50", kTag, kOff, kShown, 105},
    UpDown("udX", "GroupBox2", 89, 58, 24, 21, 106, "edX", 2, 225, 50, true, kOff),
    {"StaticText1", K::StaticText, "GroupBox2", 8, 22, 47, 17, "Key &Ofs", false, kOn, kShown, 107},
    {"StaticText2", K::StaticText, "GroupBox2", 24, 62, 11, 17, "X", false, kOn, kShown, 108},
    {"StaticText3", K::StaticText, "GroupBox2", 24, 94, 11, 17, "Y", false, kOn, kShown, 109},
    {"GroupBox3", K::GroupBox, nullptr, 504, 294, 121, 81, "  Other  ", false, kOn, kShown, 110},
    {"btExit", K::Button, "GroupBox3", 22, 48, 75, 25, "E&xit", kTag, kOn, kShown, 111},
    {"btHelp", K::Button, "GroupBox3", 22, 16, 75, 25, "&Help", false, kOn, kShown, 112},
    {"GroupBox4", K::GroupBox, nullptr, 256, 294, 241, 81, "  Process  Info", false, kOn, kShown,
     113},
    {"btCancel", K::Button, "GroupBox4", 158, 48, 75, 25, "&Cancel", false, kOff, kShown, 114},
    {"ProgressBar", K::ProgressBar, "GroupBox4", 8, 54, 137, 10, "", false, kOn, kShown, 115},
    {"stProcess", K::StaticText, "GroupBox4", 16, 21, 35, 17, "Ready", false, kOn, kShown, 116},
    {"btCom", K::Button, "GroupBox4", 160, 16, 75, 25, "CO&M", false, kOff, kHidden, 117},
    {"GroupBox5", K::GroupBox, nullptr, 8, 294, 241, 81, "  Program Info  ", false, kOn, kShown,
     118},
    {"StaticText4", K::StaticText, "GroupBox5", 56, 36, 144, 17, "Logo Inserter Control Program",
     false, kOn, kShown, 119},
    {"StaticText5", K::StaticText, "GroupBox5", 48, 21, 162, 17, "Pavina v. 1.1", false, kOn,
     kShown, 120},
    {"StaticText6", K::StaticText, "GroupBox5", 72, 51, 97, 17, "pavina.example", false, kOn,
     kShown, 121},
    {"GroupBox1", K::GroupBox, nullptr, 504, 8, 121, 148, "  Action  ", false, kOn, kShown, 122},
    {"btSave", K::Button, "GroupBox1", 23, 111, 75, 25, "&Send", kTag, kOff, kShown, 123},
    {"btAutoKey", K::Button, "GroupBox1", 23, 79, 75, 25, "&AutoKey", kTag, kOn, kShown, 124},
    {"btLoadKey", K::Button, "GroupBox1", 23, 47, 75, 25, "Load &Key", kTag, kOn, kShown, 125},
    {"btLoadImage", K::Button, "GroupBox1", 23, 15, 75, 25, "Load &Image", kTag, kOn, kShown, 126},
    {"grImage", K::GroupBox, nullptr, 8, 8, 241, 281, "  Image Info  ", false, kOn, kShown, 127},
    {"Image", K::Picture, "grImage", 5, 16, 225, 254, "", false, kOn, kShown, 128},
    {"grKey", K::GroupBox, nullptr, 256, 8, 241, 281, "  Key Info  ", false, kOn, kShown, 129},
    {"Key", K::Picture, "grKey", 5, 16, 225, 254, "", false, kOn, kShown, 130},
};
}  // namespace

TControlTable MainFormControls() {
  return TControlTable{kControls, sizeof(kControls) / sizeof(kControls[0])};
}

const TControlSpec* FindMainFormControl(const char* name) {
  for (const auto& spec : MainFormControls())
    if (std::strcmp(spec.name, name) == 0) return &spec;
  return nullptr;
}

}  // namespace pavina::ui
