#include "FileText.h"

#include <fstream>
#include <sstream>

namespace vesktest {

std::string ReadFileText(const std::filesystem::path& File) {
  std::ifstream in(File, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFileText(const std::filesystem::path& File, const std::string& Text) {
  std::ofstream(File, std::ios::binary) << Text;
}

}  // namespace vesktest
