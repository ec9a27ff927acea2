#pragma once

#include <string_view>

#include "notesapi/nsfdata.h"

namespace notesrt {

class TDbFile;

namespace router {

// What the router has put into one database, by message (its UNID) and recipient: written in
// the same transaction as the note it records, and asked before anything is put in, so that a
// pass run again after a crash delivers nothing twice. The table appears with the first entry.
class TDeliveryLog {
 public:
  explicit TDeliveryLog(TDbFile& File) : FFile(File) {}

  bool Has(std::string_view Message, std::string_view Recipient);
  // Inside a write.
  void Add(std::string_view Message, std::string_view Recipient, NOTEID Note);

 private:
  bool HasTable();

  TDbFile& FFile;
};

}  // namespace router

}  // namespace notesrt
