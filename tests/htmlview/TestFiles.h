#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace htmlview {

// Where the tests find the sample pictures of Debian's source packages: the environment
// natively, the path compiled in for the Windows build (Unix paths work under Wine).
inline std::string DepsDir() {
  if (const char* dir = std::getenv("PAVINA_DEPS_DIR")) return dir;
  return PAVINA_TEST_DEPS_DIR;
}
inline std::string GiflibPicture(const std::string& name) {
  return DepsDir() + "/src/giflib/pic/" + name;
}

inline std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(file), {});
}

// A folder of its own for one test, removed with everything in it afterwards.
class TTempFolder {
 public:
  TTempFolder() {
    static std::atomic<int> counter{0};
    path_ = std::filesystem::temp_directory_path() /
            ("pavina-images-" + std::to_string(Pid()) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) const {
    const std::string path = (path_ / name).string();
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return path;
  }
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  static long Pid();
  std::filesystem::path path_;
};

#ifdef _WIN32
inline long TTempFolder::Pid() {
  return static_cast<long>(_getpid());
}
#else
inline long TTempFolder::Pid() {
  return static_cast<long>(getpid());
}
#endif

}  // namespace htmlview
