// NSFSearch: notes of a database by formula, class and time, or the files of a directory.
#include "acl/Access.h"
#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/misc.h"
#include "notesapi/miscerr.h"
#include "notesapi/nsferr.h"
#include "notesapi/nsfsearc.h"
#include "search/SearchDirectory.h"
#include "search/SearchNotes.h"
#include "search/formula/CompiledFormula.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "text/TimeConversion.h"

namespace {

using notesrt::THandleTable;

std::shared_ptr<const notesrt::TCompiledFormula> FormulaOf(FORMULAHANDLE Formula) {
  if (Formula == NULLHANDLE) return nullptr;
  auto& block = THandleTable::Instance().Get<notesrt::TMemoryBlock>(Formula);
  return notesrt::TCompiledFormula::Load(block.Data(), block.Size());
}

// A null or wildcard time asks for every note.
std::optional<TIMEDATE> SinceOf(const TIMEDATE* Since) {
  if (!Since || (Since->Innards[0] == ALLDAY && Since->Innards[1] == ANYDAY)) return std::nullopt;
  return *Since;
}

}  // namespace

STATUS LNPUBLIC NSFSearch(DBHANDLE hDB, FORMULAHANDLE hFormula, char*, WORD SearchFlags,
                          WORD NoteClassMask, TIMEDATE* Since, NSFSEARCHPROC EnumRoutine,
                          void* EnumRoutineParameter, TIMEDATE* retUntil) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!EnumRoutine) return ERR_MISC_INVALID_ARGS;
    auto& handle = THandleTable::Instance().Get<notesrt::TDbHandle>(hDB);
    TIMEDATE started = notesrt::CurrentTimeDate();
    STATUS status = NOERROR;
    if (handle.IsDirectory() != ((SearchFlags & SEARCH_FILETYPE) != 0)) return ERR_DIRECTORY;
    // Copies, not references into the handle: the routine may close it.
    if (handle.IsDirectory()) {
      std::filesystem::path directory = handle.Directory();
      status = notesrt::SearchDirectory(directory, SearchFlags, NoteClassMask, EnumRoutine,
                                        EnumRoutineParameter);
    } else {
      std::shared_ptr<notesrt::TDatabase> database = notesrt::TDbHandle::DatabaseOf(hDB);
      std::shared_ptr<const notesrt::IDbAccess> access = notesrt::TDbHandle::AccessOf(hDB);
      notesrt::TSearchRequest request{FormulaOf(hFormula),
                                      SearchFlags,
                                      NoteClassMask,
                                      SinceOf(Since),
                                      EnumRoutine,
                                      EnumRoutineParameter,
                                      notesrt::TAccess::Of(access)};
      status = notesrt::SearchNotes(*database, request);
    }
    if (status == NOERROR && retUntil) *retUntil = started;
    return status;
  });
}
