#include "HelpPageGenerator.h"

namespace pavina::bench {

namespace {

// One section of the page; `n` makes its text and anchors differ from the others'.
std::string Section(std::size_t n) {
  const std::string id = std::to_string(n);
  return "<h2><a name=\"s" + id + "\">" + id +
         ". Sending the logo</a></h2>\n"
         "<p>Press <b>Send</b> to upload the logo to the inserter. The program first clears\n"
         "the inserter's memory, then sends every line of the picture and waits for the\n"
         "inserter to acknowledge it. See <a href=\"#s" +
         id + "\">section " + id +
         "</a> and <i>the key offset</i> for what the <tt>O</tt> setting does.\n"
         "<ul>\n<li>The image must be loaded first.\n<li>Without a key picture the program "
         "makes one (<b>AutoKey</b>).\n<li>Cancel stops the upload after the current line.\n"
         "</ul>\n"
         "<table border=1 cellpadding=3>\n"
         "<tr><th>Message<th>Meaning</tr>\n"
         "<tr><td>Clear Error<td>The inserter did not answer the clear command within 30 "
         "seconds.</tr>\n"
         "<tr><td>Data Error, Line " +
         id +
         "<td>A line was not acknowledged.</tr>\n"
         "</table>\n"
         "<pre>\n  COM=2\n  O=5\n</pre>\n"
         "<p align=center><font size=-1>Settings are kept in pavina.ini &amp; read at "
         "start.</font>\n";
}

}  // namespace

std::string GenerateHelpPage(std::size_t bytes) {
  std::string page =
      "<html><head><title>Pavina Help</title></head>\n<body bgcolor=white>\n"
      "<h1 align=center>Pavina</h1>\n";
  for (std::size_t n = 1; page.size() < bytes; ++n) page += Section(n);
  return page + "</body></html>\n";
}

}  // namespace pavina::bench
