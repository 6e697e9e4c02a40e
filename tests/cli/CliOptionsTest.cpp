#include <gtest/gtest.h>

#include <sstream>

#include "CliOptions.h"

namespace pavina::cli {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::istringstream in(line);
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

// What a line makes, in one text, so that a table row states all of it.
std::string Summary(const TCliOptions& o) {
  std::ostringstream s;
  s << static_cast<int>(o.command) << " image=" << o.image << " key=" << o.key
    << " auto=" << o.autoKey << " out=" << o.output << " port=" << o.port.value_or("-")
    << " ofs=" << (o.keyOffset ? std::to_string(*o.keyOffset) : "-")
    << " x=" << (o.x ? std::to_string(*o.x) : "-") << " y=" << (o.y ? std::to_string(*o.y) : "-")
    << " q=" << o.quiet << " help=" << o.help;
  return s.str();
}

TEST(CliOptions, LinesThatParse) {
  const struct {
    const char* line;
    const char* summary;
  } cases[] = {
      {"status", "1 image= key= auto=0 out= port=- ofs=- x=- y=- q=0 help=0"},
      {"--port /dev/ttyUSB0 status",
       "1 image= key= auto=0 out= port=/dev/ttyUSB0 ofs=- x=- y=- q=0 help=0"},
      {"status --port=COM3", "1 image= key= auto=0 out= port=COM3 ofs=- x=- y=- q=0 help=0"},
      {"send a.bmp", "2 image=a.bmp key= auto=0 out= port=- ofs=- x=- y=- q=0 help=0"},
      {"send a.bmp --key k.jpg --offset -10 --x 225 --y 20 -q",
       "2 image=a.bmp key=k.jpg auto=0 out= port=- ofs=-10 x=225 y=20 q=1 help=0"},
      {"send --autokey --offset=10 a.bmp --x=2 --y=254",
       "2 image=a.bmp key= auto=1 out= port=- ofs=10 x=2 y=254 q=0 help=0"},
      {"move 2 254", "3 image= key= auto=0 out= port=- ofs=- x=2 y=254 q=0 help=0"},
      {"preview a.bmp --key k.bmp --offset 0 out.png",
       "4 image=a.bmp key=k.bmp auto=0 out=out.png port=- ofs=0 x=- y=- q=0 help=0"},
      // --help wins over everything else on the line, even an unknown command.
      {"--help", "0 image= key= auto=0 out= port=- ofs=- x=- y=- q=0 help=1"},
      {"frobnicate -h", "0 image= key= auto=0 out= port=- ofs=- x=- y=- q=0 help=1"},
  };
  for (const auto& c : cases) {
    TCliOptions options;
    std::string error;
    EXPECT_TRUE(ParseCliOptions(Words(c.line), options, error)) << c.line << ": " << error;
    EXPECT_EQ(Summary(options), c.summary) << c.line;
  }
}

TEST(CliOptions, LinesThatAreRefusedSayWhy) {
  const struct {
    const char* line;
    const char* error;
  } cases[] = {
      {"", "no command given"},
      {"upload a.bmp", "unknown command \"upload\""},
      {"status --verbose", "unknown option --verbose"},
      {"status extra", "usage: pavina-cli status"},
      {"send", "usage: pavina-cli send IMAGE"},
      {"preview a.bmp", "usage: pavina-cli preview IMAGE OUT.png"},
      {"move 50", "usage: pavina-cli move X Y"},
      {"move 1 50", "X must be a whole number from 2 to 225, not \"1\""},
      {"move 50 255", "Y must be a whole number from 20 to 254, not \"255\""},
      {"move 50 5O", "Y must be a whole number from 20 to 254, not \"5O\""},
      {"send a.bmp --x 226", "X must be a whole number from 2 to 225"},
      {"send a.bmp --offset 11", "the key offset must be a whole number from -10 to 10"},
      {"send a.bmp --offset 0x3", "the key offset must be a whole number"},
      {"send a.bmp --key k.bmp --autokey", "--key and --autokey exclude each other"},
      {"send a.bmp --key", "--key needs a value"},
      {"send a.bmp --port=", "--port needs a value"},
      {"send a.bmp --autokey=yes", "--autokey takes no value"},
      {"status --key k.bmp", "--key is not an option of status"},
      {"move 50 50 --offset 3", "--offset is not an option of move"},
      {"preview a.bmp o.png --x 5", "--x is not an option of preview"},
      {"preview a.bmp o.png --port 2", "--port is not an option of preview"},
  };
  for (const auto& c : cases) {
    TCliOptions options;
    std::string error;
    EXPECT_FALSE(ParseCliOptions(Words(c.line), options, error)) << c.line;
    EXPECT_NE(error.find(c.error), std::string::npos) << c.line << ": " << error;
  }
}

}  // namespace

}  // namespace pavina::cli
