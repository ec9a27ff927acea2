#pragma once

#include <memory>
#include <string>

#include "Customintf.h"
#include "Hlxvisualclasses.h"

// The Notes mail plug-in: the object the host reaches through the service "MailInterface".
// Its interface operations are served by the component: the object's life is not counted; it
// lives until UnRegister frees it.
class ELotusNotes;
class TNotesDatabase;

class TvpiLNMail : public ThlxVisualPlugin, public IMailInterface {
 public:
  explicit TvpiLNMail(TComponent* Owner);
  ~TvpiLNMail() override;

  void SetMainAppService(TInterfaceRef<IMainAppService> Service);

  HRESULT QueryInterface(const TGUID& Iid, void** Obj) override;
  int32_t _AddRef() override { return ThlxVisualPlugin::_AddRef(); }
  int32_t _Release() override { return ThlxVisualPlugin::_Release(); }

  std::string GetPluginID() override { return ThlxVisualPlugin::GetPluginID(); }
  std::string GetPluginName() override { return ThlxVisualPlugin::GetPluginName(); }
  std::string GetAuthor() override { return ThlxVisualPlugin::GetAuthor(); }
  std::string GetDescription() override { return ThlxVisualPlugin::GetDescription(); }
  std::string GetCopyright() override { return ThlxVisualPlugin::GetCopyright(); }
  void SetPluginID(const std::string& Value) override { ThlxVisualPlugin::SetPluginID(Value); }
  void SetPluginName(const std::string& Value) override { ThlxVisualPlugin::SetPluginName(Value); }
  void SetAuthor(const std::string& Value) override { ThlxVisualPlugin::SetAuthor(Value); }
  void SetDescription(const std::string& Value) override {
    ThlxVisualPlugin::SetDescription(Value);
  }
  void SetCopyright(const std::string& Value) override { ThlxVisualPlugin::SetCopyright(Value); }

  void CreateModul() override {}
  void DestroyModule() override {}
  bool Connect() override;
  void DisConnect() override;
  bool IsConnected() override { return FConnected; }
  void GetMailItems(mfType Folder, TStringList*& List) override;
  void GetMail(int32_t NoteID, const std::string& Aux, TMailItemData& Data) override;
  void SendMail(const TMailItemData& Data) override;
  void MailToFolder(const TMailItemData& Data, mfType Folder) override;
  bool Detach(int32_t NoteID, const std::string& Aux, const std::string& AttachmentName,
              const std::string& FileName) override;
  void GetAddressItems(const std::string& Search, TStringList*& List) override;
  void SetAuxFolder(const std::string&, const std::string&) override {}

 private:
  // Tells the host, through its status line, of a mail GetMailItems left out.
  void ReportUnlisted(int32_t NoteID, const ELotusNotes& Error);

  TInterfaceRef<IMainAppService> FMainAppService;
  // The user's mail database while connected.
  std::unique_ptr<TNotesDatabase> FDatabase;
  bool FConnected = false;
};
