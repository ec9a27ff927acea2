// NAMEGetAddressBooks: the address books in use, with their titles.
#include <string>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "names/AddressBooks.h"
#include "notesapi/lookup.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "storage/Database.h"
#include "storage/DbInfo.h"

namespace {

// The title from the book's information buffer; "" for a book that cannot be opened, which
// is listed all the same (it exists, and the lookup reports what is wrong with it).
std::string TitleOf(const notesrt::TAddressBook& Book) {
  try {
    std::string info = notesrt::TDatabase::Open(Book.File)->Header().Info;
    return std::string(notesrt::TDbInfo(info).Piece(INFOPARSE_TITLE));
  } catch (const notesrt::EStatus&) {
    return "";
  }
}

std::string EntryOf(const notesrt::TAddressBook& Book, WORD Options) {
  std::string entry = Book.Path;
  entry += '\0';
  if (!(Options & NAME_GET_AB_TITLES)) return entry;
  std::string title = TitleOf(Book);
  if (title.empty() && (Options & NAME_DEFAULT_TITLES)) title = Book.Path;
  return entry + title + '\0';
}

}  // namespace

STATUS LNPUBLIC NAMEGetAddressBooks(const char* pszServer, WORD wOptions, WORD* pwReturnCount,
                                    WORD* pwReturnLength, DHANDLE* phReturn) {
  if (pwReturnCount) *pwReturnCount = 0;
  if (pwReturnLength) *pwReturnLength = 0;
  if (phReturn) *phReturn = NULLHANDLE;
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!pwReturnCount || !pwReturnLength || !phReturn) return ERR_MISC_INVALID_ARGS;
    std::vector<notesrt::TAddressBook> books = notesrt::AddressBooksOf(pszServer ? pszServer : "");
    if (books.size() > 1 && (wOptions & NAME_GET_AB_FIRSTONLY)) books.resize(1);
    std::string list;
    for (const notesrt::TAddressBook& book : books) list += EntryOf(book, wOptions);
    if (list.size() > MAXWORD) return ERR_MISC_INVALID_ARGS;
    if (books.empty()) return NOERROR;
    DHANDLE handle = notesrt::TMemoryBlock::Allocate(list.size());
    auto& block = notesrt::THandleTable::Instance().Get<notesrt::TMemoryBlock>(handle);
    std::copy(list.begin(), list.end(), block.Data());
    *pwReturnCount = static_cast<WORD>(books.size());
    *pwReturnLength = static_cast<WORD>(list.size());
    *phReturn = handle;
    return NOERROR;
  });
}
