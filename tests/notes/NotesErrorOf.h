#pragma once

#include <string>

#include "ELotusNotes.h"

// "<status> <message>" of the ELotusNotes that Action raises, or "no error": one expectation
// checks both, and a failure shows them.
template <class TAction>
std::string NotesErrorOf(TAction&& Action) {
  try {
    Action();
  } catch (const ELotusNotes& Error) {
    return std::to_string(Error.Status) + " " + Error.Message();
  }
  return "no error";
}
