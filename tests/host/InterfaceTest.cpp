// The interface contract with the host: identities, operation slots, casts and references.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "Customintf.h"
#include "Hlxintf.h"

namespace {

std::string GuidText(const TGUID& Guid) {
  char Text[39];
  std::snprintf(Text, sizeof Text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", Guid.D1,
                Guid.D2, Guid.D3, Guid.D4[0], Guid.D4[1], Guid.D4[2], Guid.D4[3], Guid.D4[4],
                Guid.D4[5], Guid.D4[6], Guid.D4[7]);
  return Text;
}

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

TEST(InterfaceTest, InterfaceIdentitiesAreTheHosts) {
  EXPECT_EQ(GuidText(IPluginRegistry::IID), "{C0618086-13C7-424E-8ECA-F093D0A80B52}");
  EXPECT_EQ(GuidText(IServiceRegistry::IID), "{F2F6C4F7-39A5-4621-BEFD-24E66036EB92}");
  EXPECT_EQ(GuidText(IMainAppService::IID), "{F551F644-677D-41FF-8403-AE630817DE61}");
  EXPECT_EQ(GuidText(IMailInterface::IID), "{B4CEC16F-AD9E-4180-8838-F8079614BFD0}");
  EXPECT_EQ(GuidText(IInterface::IID), "{00000000-0000-0000-C000-000000000046}");
}

TEST(InterfaceTest, OperationsSitInTheirContractSlots) {
  EXPECT_EQ(Slot(&IInterface::QueryInterface), 1u);
  EXPECT_EQ(Slot(&IInterface::_AddRef), 2u);
  EXPECT_EQ(Slot(&IInterface::_Release), 3u);
  EXPECT_EQ(Slot(&IPluginRegistry::RegisterPlugin), 4u);
  EXPECT_EQ(Slot(&IPluginRegistry::RegisterCommand), 6u);
  EXPECT_EQ(Slot(&IServiceRegistry::RegisterService), 4u);

  EXPECT_EQ(Slot(&IMailInterface::GetPluginID), 4u);
  EXPECT_EQ(Slot(&IMailInterface::GetCopyright), 8u);
  EXPECT_EQ(Slot(&IMailInterface::SetPluginID), 9u);
  EXPECT_EQ(Slot(&IMailInterface::SetCopyright), 13u);
  EXPECT_EQ(Slot(&IMailInterface::CreateModul), 14u);
  EXPECT_EQ(Slot(&IMailInterface::DestroyModule), 15u);
  EXPECT_EQ(Slot(&IMailInterface::Connect), 16u);
  EXPECT_EQ(Slot(&IMailInterface::DisConnect), 17u);
  EXPECT_EQ(Slot(&IMailInterface::IsConnected), 18u);
  EXPECT_EQ(Slot(&IMailInterface::GetMailItems), 19u);
  EXPECT_EQ(Slot(&IMailInterface::GetMail), 20u);
  EXPECT_EQ(Slot(&IMailInterface::SendMail), 21u);
  EXPECT_EQ(Slot(&IMailInterface::MailToFolder), 22u);
  EXPECT_EQ(Slot(&IMailInterface::Detach), 23u);
  EXPECT_EQ(Slot(&IMailInterface::GetAddressItems), 24u);
  EXPECT_EQ(Slot(&IMailInterface::SetAuxFolder), 25u);
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

TEST(InterfaceTest, CastHandsOutACountedReference) {
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
}

TEST(InterfaceTest, CastToAMissingInterfaceRaises) {
  TCounted Object;
  try {
    InterfaceCast<IPluginRegistry>(&Object);
    FAIL() << "no error";
  } catch (const EIntfCastError& Error) {
    EXPECT_EQ(Error.Message(), "Interface not supported");
  }
  EXPECT_EQ(Object.References, 0);
  EXPECT_FALSE(Supports<IServiceRegistry>(&Object));
}

TEST(InterfaceTest, CastOfNothingIsNothing) {
  EXPECT_FALSE(InterfaceCast<IPluginRegistry>(nullptr));
  EXPECT_FALSE(Supports<IPluginRegistry>(nullptr));
}

}  // namespace
