// Views and folders as collections: NIFFindDesignNote, NIFFindPrivateDesignNote,
// NIFOpenCollection, NIFReadEntries, NIFUpdateCollection, NIFCloseCollection.
#include <cstring>

#include "core/ApiCall.h"
#include "core/HandleTable.h"
#include "core/MemoryBlock.h"
#include "notesapi/miscerr.h"
#include "notesapi/nif.h"
#include "notesapi/nsfnote.h"
#include "storage/Database.h"
#include "storage/DbHandle.h"
#include "storage/Oid.h"
#include "views/Collection.h"
#include "views/CollectionReader.h"
#include "views/design/DesignLookup.h"

using notesrt::TCollection;
using notesrt::TDbHandle;
using notesrt::THandleTable;

namespace {

STATUS FindDesign(DBHANDLE hFile, const char* Name, WORD Class, NOTEID* retNoteID,
                  notesrt::design::TDesignScope Scope) {
  notesrt::PutOptional(retNoteID, NOTEID{0});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!Name || !retNoteID) return ERR_MISC_INVALID_ARGS;
    NOTEID id = notesrt::design::FindDesignNote(*TDbHandle::DatabaseOf(hFile), Name, Class, Scope);
    if (id == 0) return ERR_NOT_FOUND;
    *retNoteID = id;
    return NOERROR;
  });
}

// Views and their data live in one database here: a second handle must name the same file.
bool SameDatabase(DBHANDLE hViewDB, DBHANDLE hDataDB) {
  return hDataDB == NULLHANDLE || TDbHandle::DatabaseOf(hDataDB) == TDbHandle::DatabaseOf(hViewDB);
}

// The optional outputs about the view note itself.
STATUS DescribeView(DBHANDLE hViewDB, NOTEID ViewNoteID, NOTEHANDLE* rethViewNote,
                    UNIVERSALNOTEID* retViewUNID) {
  if (retViewUNID) {
    auto row = TDbHandle::DatabaseOf(hViewDB)->Notes().Row(ViewNoteID);
    if (row) *retViewUNID = notesrt::UnidOf(row->Header.Oid);
  }
  return rethViewNote ? NSFNoteOpen(hViewDB, ViewNoteID, 0, rethViewNote) : NOERROR;
}

}  // namespace

STATUS LNPUBLIC NIFFindDesignNote(DBHANDLE hFile, const char* Name, WORD Class, NOTEID* retNoteID) {
  return FindDesign(hFile, Name, Class, retNoteID, notesrt::design::TDesignScope::Shared);
}

STATUS LNPUBLIC NIFFindPrivateDesignNote(DBHANDLE hFile, const char* Name, WORD Class,
                                         NOTEID* retNoteID) {
  return FindDesign(hFile, Name, Class, retNoteID, notesrt::design::TDesignScope::Private);
}

// The unread list is not kept per collection, and no collapsed or selected lists are made:
// those outputs come back as NULLHANDLE.
STATUS LNPUBLIC NIFOpenCollection(DBHANDLE hViewDB, DBHANDLE hDataDB, NOTEID ViewNoteID,
                                  WORD OpenFlags, DHANDLE, HCOLLECTION* rethCollection,
                                  NOTEHANDLE* rethViewNote, UNIVERSALNOTEID* retViewUNID,
                                  DHANDLE* rethCollapsedList, DHANDLE* rethSelectedList) {
  notesrt::PutOptional(rethCollection, HCOLLECTION{0});
  notesrt::PutOptional(rethViewNote, NOTEHANDLE{NULLHANDLE});
  notesrt::PutOptional(rethCollapsedList, DHANDLE{NULLHANDLE});
  notesrt::PutOptional(rethSelectedList, DHANDLE{NULLHANDLE});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!rethCollection) return ERR_MISC_INVALID_ARGS;
    if (!SameDatabase(hViewDB, hDataDB)) return ERR_MISC_INVALID_ARGS;
    auto collection = std::make_unique<TCollection>(TDbHandle::DatabaseOf(hViewDB), ViewNoteID,
                                                    TDbHandle::AccessOf(hViewDB));
    collection->Update((OpenFlags & OPEN_REBUILD_INDEX) != 0);
    DHANDLE handle = THandleTable::Instance().Add(std::move(collection));
    if (STATUS status = DescribeView(hViewDB, ViewNoteID, rethViewNote, retViewUNID)) {
      THandleTable::Instance().Remove(handle, TCollection::KindId);
      return status;
    }
    *rethCollection = static_cast<HCOLLECTION>(handle);
    return NOERROR;
  });
}

STATUS LNPUBLIC NIFReadEntries(HCOLLECTION hCollection, COLLECTIONPOSITION* IndexPos,
                               WORD SkipNavigator, DWORD SkipCount, WORD ReturnNavigator,
                               DWORD ReturnCount, DWORD ReturnMask, DHANDLE* rethBuffer,
                               WORD* retBufferLength, DWORD* retNumEntriesSkipped,
                               DWORD* retNumEntriesReturned, WORD* retSignalFlags) {
  notesrt::PutOptional(rethBuffer, DHANDLE{NULLHANDLE});
  notesrt::PutOptional(retBufferLength, WORD{0});
  notesrt::PutOptional(retNumEntriesSkipped, DWORD{0});
  notesrt::PutOptional(retNumEntriesReturned, DWORD{0});
  notesrt::PutOptional(retSignalFlags, WORD{0});
  return notesrt::ApiStatusCall([&]() -> STATUS {
    auto& collection = THandleTable::Instance().Get<TCollection>(hCollection);
    if (!IndexPos) return ERR_MISC_INVALID_ARGS;
    notesrt::TReadRequest request{SkipNavigator, SkipCount, ReturnNavigator, ReturnCount,
                                  ReturnMask};
    if (!notesrt::ReadSupported(request)) return ERR_UNSUPPORTED_FLAGS;
    notesrt::TReadResult result = notesrt::ReadEntries(collection.Rows(), *IndexPos, request);
    if (!result.Buffer.empty() && rethBuffer) {
      *rethBuffer = notesrt::TMemoryBlock::Allocate(result.Buffer.size());
      std::memcpy(THandleTable::Instance().Get<notesrt::TMemoryBlock>(*rethBuffer).Data(),
                  result.Buffer.data(), result.Buffer.size());
    }
    notesrt::PutOptional(retBufferLength, static_cast<WORD>(result.Buffer.size()));
    notesrt::PutOptional(retNumEntriesSkipped, result.Skipped);
    notesrt::PutOptional(retNumEntriesReturned, result.Returned);
    notesrt::PutOptional(retSignalFlags, result.Signals);
    return NOERROR;
  });
}

STATUS LNPUBLIC NIFUpdateCollection(HCOLLECTION hCollection) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    THandleTable::Instance().Get<TCollection>(hCollection).Update();
    return NOERROR;
  });
}

STATUS LNPUBLIC NIFCloseCollection(HCOLLECTION hCollection) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    if (!THandleTable::Instance().Remove(hCollection, TCollection::KindId))
      return ERR_NOTESRT_INVALID_HANDLE;
    return NOERROR;
  });
}

STATUS LNPUBLIC NotesRTCollectionEvaluations(HCOLLECTION hCollection, DWORD* retEvaluations) {
  return notesrt::ApiStatusCall([&]() -> STATUS {
    auto& collection = THandleTable::Instance().Get<TCollection>(hCollection);
    if (!retEvaluations) return ERR_MISC_INVALID_ARGS;
    *retEvaluations = collection.Evaluations();
    return NOERROR;
  });
}
