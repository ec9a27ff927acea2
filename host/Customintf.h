#pragma once

// The host's interface package: what the host offers its plug-ins and the mail contract a
// mail plug-in implements.

#include <cstdint>
#include <string>

#include "DateUtils.h"
#include "Hlxintf.h"

class TStringList;

class VESK_API IMainAppService : public IInterface {
 public:
  static constexpr TGUID IID{
      0xF551F644, 0x677D, 0x41FF, {0x84, 0x03, 0xAE, 0x63, 0x08, 0x17, 0xDE, 0x61}};

  virtual std::string GetApplicationName() = 0;
  virtual void ShowStatus(const std::string& Text) = 0;

 protected:
  ~IMainAppService() = default;
};

// The host's mail folders. A mail plug-in gives meaning to these values and treats every other
// one as no folder at all.
enum mfType : uint8_t { mfInbox = 0, mfOutbox = 1, mfSent = 2, mfDrafts = 3 };

// One mail as the host and a mail plug-in exchange it. The two lists are not owned by the
// record: the lists a plug-in creates for GetMail belong to the caller.
struct TMailItemData {
  int32_t NoteID = 0;
  bool KeepSentCopy = false;
  TDateTime Date = 0;
  std::string From;
  std::string SendTo;
  std::string CopyTo;
  std::string Subject;
  TStringList* Body = nullptr;
  TStringList* Attachments = nullptr;
};

// The service "MailInterface". The order of the operations is the host contract.
class VESK_API IMailInterface : public IInterface {
 public:
  static constexpr TGUID IID{
      0xB4CEC16F, 0xAD9E, 0x4180, {0x88, 0x38, 0xF8, 0x07, 0x96, 0x14, 0xBF, 0xD0}};

  virtual std::string GetPluginID() = 0;
  virtual std::string GetPluginName() = 0;
  virtual std::string GetAuthor() = 0;
  virtual std::string GetDescription() = 0;
  virtual std::string GetCopyright() = 0;
  virtual void SetPluginID(const std::string& Value) = 0;
  virtual void SetPluginName(const std::string& Value) = 0;
  virtual void SetAuthor(const std::string& Value) = 0;
  virtual void SetDescription(const std::string& Value) = 0;
  virtual void SetCopyright(const std::string& Value) = 0;
  virtual void CreateModul() = 0;
  virtual void DestroyModule() = 0;
  virtual bool Connect() = 0;
  virtual void DisConnect() = 0;
  virtual bool IsConnected() = 0;
  // List receives a new list the caller owns, or null when there is nothing to hand out.
  virtual void GetMailItems(mfType Folder, TStringList*& List) = 0;
  virtual void GetMail(int32_t NoteID, const std::string& Aux, TMailItemData& Data) = 0;
  virtual void SendMail(const TMailItemData& Data) = 0;
  virtual void MailToFolder(const TMailItemData& Data, mfType Folder) = 0;
  virtual bool Detach(int32_t NoteID, const std::string& Aux, const std::string& AttachmentName,
                      const std::string& FileName) = 0;
  virtual void GetAddressItems(const std::string& Search, TStringList*& List) = 0;
  virtual void SetAuxFolder(const std::string& Folder, const std::string& Aux) = 0;

 protected:
  ~IMailInterface() = default;
};
