#include "names/AddressBooks.h"

#include <algorithm>
#include <optional>

#include "core/EStatus.h"
#include "core/Settings.h"
#include "notesapi/oserr.h"
#include "storage/DbPath.h"
#include "text/TextTrim.h"

namespace notesrt {

namespace {

constexpr char DefaultBook[] = "names.nsf";

std::vector<std::string> ListedBooks() {
  std::string setting = TSettings::Instance().Get("NAMES").value_or("");
  std::vector<std::string> books;
  for (std::string_view entry : CommaPieces(setting)) books.emplace_back(entry);
  if (books.empty()) books.push_back(DefaultBook);
  return books;
}

// A listed book that does not exist, or names a server that cannot be reached, is not in use.
std::optional<std::filesystem::path> ExistingFile(std::string_view Path) {
  try {
    TDbPath path = ResolveExisting(Path);
    if (!path.Directory) return path.File;
  } catch (const EStatus&) {
  }
  return std::nullopt;
}

}  // namespace

std::vector<TAddressBook> AddressBooksOf(std::string_view Server) {
  std::vector<TAddressBook> books;
  if (!Server.empty()) {
    try {
      TDbPath path = ResolveExisting(std::string(Server) + "!!" + DefaultBook);
      if (!path.Directory) books.push_back(TAddressBook{DefaultBook, path.File});
    } catch (const EStatus& e) {
      if (e.Status() != ERR_NOEXIST) throw;
    }
    return books;
  }
  for (const std::string& listed : ListedBooks()) {
    std::optional<std::filesystem::path> file = ExistingFile(listed);
    bool known = std::any_of(books.begin(), books.end(),
                             [&](const TAddressBook& book) { return book.File == file; });
    if (file && !known) books.push_back(TAddressBook{listed, *file});
  }
  return books;
}

}  // namespace notesrt
