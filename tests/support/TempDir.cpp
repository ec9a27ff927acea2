#include "TempDir.h"

#include <stdlib.h>

#include <stdexcept>
#include <string>
#include <system_error>

#include "FileText.h"

namespace vesktest {

TempDir::TempDir() {
  std::string templ = (std::filesystem::temp_directory_path() / "vesk-test-XXXXXX").string();
  if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed: " + templ);
  FPath = templ;
}

std::string TempDir::Write(const std::string& Name, const std::string& Text) const {
  WriteFileText(FPath / Name, Text);
  return File(Name);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(FPath, ec);
}

}  // namespace vesktest
