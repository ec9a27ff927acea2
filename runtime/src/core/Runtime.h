#pragma once

#include <map>
#include <memory>
#include <typeindex>

#include "notesapi/global.h"

namespace notesrt {

// Process start-up state: how many NotesInit calls are outstanding. Callers hold the API lock.
class TRuntime {
 public:
  static TRuntime& Instance();

  // Reads the settings file on the first call; fails with ERR_NOTESRT_NO_INI without it.
  STATUS Init();
  // The last call frees every open handle and forgets the installed signal handlers.
  void Term();
  bool Initialized() const { return FInitCount > 0; }

  // State the layers above keep for the session (open address books): made on first use and
  // dropped by the last NotesTerm, after the handles.
  template <class T>
  T& Session() {
    std::shared_ptr<void>& slot = FSession[std::type_index(typeid(T))];
    if (!slot) slot = std::make_shared<T>();
    return *static_cast<T*>(slot.get());
  }

 private:
  TRuntime() = default;
  unsigned FInitCount = 0;
  std::map<std::type_index, std::shared_ptr<void>> FSession;
};

// Raises ERR_NOTESRT_NOT_INITIALIZED before NotesInit (or after the last NotesTerm): what reaches
// a database needs the settings NotesInit reads.
void RequireInitialized();

}  // namespace notesrt
