#include "LogoFiles.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "BmpWriter.h"

namespace pavina::sim {

namespace {
bool WriteWholeFile(const std::string& path, const std::string& content, std::string& error) {
  const std::string temporary = path + ".tmp";
  {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(temporary.c_str(), "wb"), &std::fclose);
    bool ok = file && std::fwrite(content.data(), 1, content.size(), file.get()) == content.size();
    ok = ok && std::fflush(file.get()) == 0;
    if (!ok) {
      error = "cannot write " + path + ": " + std::strerror(errno);
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

std::string AsText(const core::TBytes& bytes) {
  return std::string(bytes.begin(), bytes.end());
}
}  // namespace

bool WriteLogoFiles(const std::string& prefix, const TReceivedLogo& logo,
                    std::uint32_t uploadNumber, std::string& error) {
  const auto yesNo = [](bool value) { return value ? "yes" : "no"; };
  const std::string description =
      "width " + std::to_string(logo.width) + "\nheight " + std::to_string(logo.height) + "\nx " +
      std::to_string(logo.x) + "\ny " + std::to_string(logo.y) + "\nsent-size " +
      std::to_string(logo.sentWidth) + " " + std::to_string(logo.sentHeight) + "\nsize-matches " +
      yesNo(logo.sizeMatches) + "\nlines-equal " + yesNo(logo.linesEqual) + "\nupload " +
      std::to_string(uploadNumber) + "\n";
  return WriteWholeFile(prefix + "-colour.bmp", AsText(EncodeBmp24(logo.colour)), error) &&
         WriteWholeFile(prefix + "-key.bmp", AsText(EncodeBmp24(logo.key)), error) &&
         WriteWholeFile(prefix + ".txt", description, error);
}

}  // namespace pavina::sim
