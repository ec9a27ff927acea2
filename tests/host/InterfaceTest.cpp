// The interface contract with the host: identities, operation slots, casts and references.
#include <gtest/gtest.h>

#include <cstring>

#include "Customintf.h"
#include "ErrorOf.h"
#include "Hlxintf.h"

namespace {

// The slot of a virtual operation in its interface's table (Itanium C++ ABI: a pointer to a
// virtual member function holds 1 + the slot's byte offset).
template <class TMethod>
size_t Slot(TMethod Method) {
  struct {
    uintptr_t Pointer;
    ptrdiff_t Adjust;
  } Raw;
  static_assert(sizeof(TMethod) == sizeof(Raw));
  std::memcpy(&Raw, &Method, sizeof Raw);
  EXPECT_EQ(Raw.Pointer % 2, 1u) << "not a virtual operation";
  return (Raw.Pointer - 1) / sizeof(void*) + 1;  // counted from 1, as the contract counts
}

TEST(InterfaceTest, OperationsSitInTheirContractSlots) {
  EXPECT_EQ(Slot(&IInterface::QueryInterface), 1u);
  EXPECT_EQ(Slot(&IInterface::_AddRef), 2u);
  EXPECT_EQ(Slot(&IInterface::_Release), 3u);
  EXPECT_EQ(Slot(&IPluginRegistry::RegisterPlugin), 4u);
  EXPECT_EQ(Slot(&IPluginRegistry::RegisterCommand), 6u);
  EXPECT_EQ(Slot(&IServiceRegistry::RegisterService), 4u);

  // The mail interface's operations follow IInterface's in declaration order.
  const size_t MailSlots[] = {
      Slot(&IMailInterface::GetPluginID),     Slot(&IMailInterface::GetPluginName),
      Slot(&IMailInterface::GetAuthor),       Slot(&IMailInterface::GetDescription),
      Slot(&IMailInterface::GetCopyright),    Slot(&IMailInterface::SetPluginID),
      Slot(&IMailInterface::SetPluginName),   Slot(&IMailInterface::SetAuthor),
      Slot(&IMailInterface::SetDescription),  Slot(&IMailInterface::SetCopyright),
      Slot(&IMailInterface::CreateModul),     Slot(&IMailInterface::DestroyModule),
      Slot(&IMailInterface::Connect),         Slot(&IMailInterface::DisConnect),
      Slot(&IMailInterface::IsConnected),     Slot(&IMailInterface::GetMailItems),
      Slot(&IMailInterface::GetMail),         Slot(&IMailInterface::SendMail),
      Slot(&IMailInterface::MailToFolder),    Slot(&IMailInterface::Detach),
      Slot(&IMailInterface::GetAddressItems), Slot(&IMailInterface::SetAuxFolder)};
  for (size_t Index = 0; Index < std::size(MailSlots); ++Index)
    EXPECT_EQ(MailSlots[Index], 4 + Index) << "operation " << Index;
}

// An object with one extra interface that counts its references.
class TCounted : public IMainAppService {
 public:
  HRESULT QueryInterface(const TGUID& Iid, void** Obj) override {
    ++Queries;
    if (Iid == IMainAppService::IID || Iid == IInterface::IID) {
      *Obj = static_cast<IMainAppService*>(this);
      _AddRef();
      return S_OK;
    }
    *Obj = nullptr;
    return E_NOINTERFACE;
  }
  int32_t _AddRef() override { return ++References; }
  int32_t _Release() override { return --References; }
  std::string GetApplicationName() override { return "counted"; }
  void ShowStatus(const std::string&) override {}

  int References = 0;
  int Queries = 0;
};

TEST(InterfaceTest, CastHandsOutACountedReferenceOrRaises) {
  TCounted Object;
  {
    TInterfaceRef<IMainAppService> Service = InterfaceCast<IMainAppService>(&Object);
    ASSERT_TRUE(Service);
    EXPECT_EQ(Service->GetApplicationName(), "counted");
    EXPECT_EQ(Object.References, 1);
    TInterfaceRef<IMainAppService> Copy = Service;
    EXPECT_EQ(Object.References, 2);
    TInterfaceRef<IMainAppService> Moved = std::move(Copy);
    EXPECT_EQ(Object.References, 2);
    Copy = Moved;
    EXPECT_EQ(Object.References, 3);
    Moved.Reset();
    EXPECT_EQ(Object.References, 2);
  }
  EXPECT_EQ(Object.References, 0);
  EXPECT_TRUE(Supports<IMainAppService>(&Object));
  EXPECT_EQ(Object.References, 0);
  EXPECT_EQ(vesktest::ErrorOf<EIntfCastError>([&] { InterfaceCast<IPluginRegistry>(&Object); }),
            "Interface not supported");
  EXPECT_EQ(Object.References, 0);
  EXPECT_FALSE(Supports<IServiceRegistry>(&Object));
  EXPECT_FALSE(InterfaceCast<IPluginRegistry>(nullptr));
  EXPECT_FALSE(Supports<IPluginRegistry>(nullptr));
}

}  // namespace
