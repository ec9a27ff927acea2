// The database information buffer: title, categories, template names.
#include <cstring>

#include "core/ApiCall.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsfdb.h"
#include "notesapi/nsferr.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "storage/DbInfo.h"
#include "text/BufferText.h"

namespace {

// Caller buffers are NSF_INFO_SIZE bytes; a text without a NUL in them ends there.
std::string_view InfoText(const char* Info) {
  return Info ? std::string_view(Info, strnlen(Info, NSF_INFO_SIZE)) : std::string_view();
}

}  // namespace

STATUS LNPUBLIC NSFDbInfoGet(DBHANDLE hDB, char* retBuffer) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    std::string info = notesrt::TDbHandle::DatabaseOf(hDB)->Header().Info;
    if (!retBuffer) return ERR_MISC_INVALID_ARGS;
    notesrt::CopyToBuffer(info, retBuffer, NSF_INFO_SIZE);
    return NOERROR;
  });
}

STATUS LNPUBLIC NSFDbInfoSet(DBHANDLE hDB, char* Buffer) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    notesrt::TDatabase& database = *notesrt::TDbHandle::DatabaseOf(hDB);
    if (!Buffer) return ERR_MISC_INVALID_ARGS;
    std::string_view info = InfoText(Buffer);
    if (info.size() >= NSF_INFO_SIZE) return ERR_NSF_INFO_SIZE;
    database.SetInfo(info);
    return NOERROR;
  });
}

// Length is the most the piece may take without its NUL.
void LNPUBLIC NSFDbInfoParse(char* Info, WORD What, char* Buffer, WORD Length) {
  notesrt::ApiVoidCall([&] {
    notesrt::TDbInfo info(InfoText(Info));
    notesrt::CopyToBuffer(info.Piece(What), Buffer, size_t{Length} + 1);
  });
}

void LNPUBLIC NSFDbInfoModify(char* Info, WORD What, const char* Buffer) {
  notesrt::ApiVoidCall([&] {
    if (!Info) return;
    notesrt::TDbInfo info(InfoText(Info));
    info.SetPiece(What, Buffer ? Buffer : "");
    notesrt::CopyToBuffer(info.Text(), Info, NSF_INFO_SIZE);
  });
}
