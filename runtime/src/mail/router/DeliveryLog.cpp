#include "mail/router/DeliveryLog.h"

#include "storage/DbFile.h"

namespace notesrt::router {

bool TDeliveryLog::Has(std::string_view Message, std::string_view Recipient) {
  if (!HasTable()) return false;
  TSqlQuery query(
      FFile.Statement("SELECT 1 FROM mail_delivery_log WHERE message = ? AND recipient = ?"));
  query.BindText(1, Message).BindText(2, Recipient);
  return query.Step();
}

void TDeliveryLog::Add(std::string_view Message, std::string_view Recipient, NOTEID Note) {
  if (!HasTable())
    FFile.Execute(
        "CREATE TABLE mail_delivery_log(message TEXT, recipient TEXT, note_id INTEGER, "
        "  PRIMARY KEY(message, recipient)) WITHOUT ROWID");
  TSqlQuery(
      FFile.Statement("INSERT INTO mail_delivery_log(message, recipient, note_id) VALUES(?, ?, ?)"))
      .BindText(1, Message)
      .BindText(2, Recipient)
      .Bind(3, Note)
      .Run();
}

// Asked every time: a write that created the table may have rolled back since.
bool TDeliveryLog::HasTable() {
  return FFile.HasTable("mail_delivery_log");
}

}  // namespace notesrt::router
