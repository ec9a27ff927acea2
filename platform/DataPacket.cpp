// The data packet format of TClientDataSet, little-endian throughout:
//   "VCDS", version byte 1
//   field count (16 bits); per field: name length (16 bits) and UTF-8 name, type (8 bits, a
//     TFieldType), size (32 bits)
//   record count (32 bits); per record, per field a value: a tag byte and its data:
//     0 null; 1 integer (64 bits); 2 float (IEEE double); 3 text (32-bit length, UTF-8);
//     4 Boolean (8 bits); 5 date-time (IEEE double); 6 currency (64 bits, ten-thousandths)
#include <cstring>

#include "ClientDataSet.h"
#include "Stream.h"
#include "SysUtils.h"

namespace {

constexpr char Magic[4] = {'V', 'C', 'D', 'S'};
constexpr uint8_t Version = 1;

enum TValueTag : uint8_t { vtNull, vtInteger, vtFloat, vtText, vtBoolean, vtDate, vtCurrency };

class TPacketWriter {
 public:
  explicit TPacketWriter(TStream& Stream) : FStream(Stream) {}
  void Bytes(const void* Data, size_t Size) {
    FStream.WriteBuffer(Data, static_cast<int64_t>(Size));
  }
  void Unsigned(uint64_t Value, int Size) {
    uint8_t Out[8];
    for (int Index = 0; Index < Size; ++Index)
      Out[Index] = static_cast<uint8_t>(Value >> (8 * Index));
    Bytes(Out, static_cast<size_t>(Size));
  }
  void Double(double Value) {
    uint64_t Bits;
    std::memcpy(&Bits, &Value, sizeof Bits);
    Unsigned(Bits, 8);
  }
  void Text(const std::string& Value, int LengthSize) {
    Unsigned(Value.size(), LengthSize);
    Bytes(Value.data(), Value.size());
  }
  void Value(const TVariant& Value);

 private:
  TStream& FStream;
};

void TPacketWriter::Value(const TVariant& Value) {
  switch (Value.VarType()) {
    case varEmpty:
    case varNull:
      return Unsigned(vtNull, 1);
    case varSmallint:
    case varInteger:
    case varByte:
    case varWord:
    case varInt64:
      Unsigned(vtInteger, 1);
      return Unsigned(static_cast<uint64_t>(Value.AsInt64()), 8);
    case varSingle:
    case varDouble:
      Unsigned(vtFloat, 1);
      return Double(Value.AsDouble());
    case varBoolean:
      Unsigned(vtBoolean, 1);
      return Unsigned(Value.AsBoolean(), 1);
    case varDate:
      Unsigned(vtDate, 1);
      return Double(Value.AsDateTime());
    case varCurrency:
      Unsigned(vtCurrency, 1);
      return Unsigned(static_cast<uint64_t>(Value.AsCurrency()), 8);
    default:
      Unsigned(vtText, 1);
      return Text(Value.AsString(), 4);
  }
}

// Reads with every size checked against what the stream still holds.
class TPacketReader {
 public:
  explicit TPacketReader(TStream& Stream) : FStream(Stream) {}
  uint64_t Remaining() { return static_cast<uint64_t>(FStream.Size() - FStream.Position()); }
  void Bytes(void* Data, uint64_t Size) {
    if (Size > Remaining()) Fail("it ends too early");
    FStream.ReadBuffer(Data, static_cast<int64_t>(Size));
  }
  uint64_t Unsigned(int Size) {
    uint8_t In[8];
    Bytes(In, static_cast<uint64_t>(Size));
    uint64_t Value = 0;
    for (int Index = Size - 1; Index >= 0; --Index) Value = Value << 8 | In[Index];
    return Value;
  }
  double Double() {
    uint64_t Bits = Unsigned(8);
    double Value;
    std::memcpy(&Value, &Bits, sizeof Value);
    return Value;
  }
  std::string Text(uint64_t Length) {
    if (Length > Remaining()) Fail("a text runs past its end");
    std::string Value(Length, '\0');
    Bytes(Value.data(), Length);
    return Value;
  }
  TVariant Value();
  TVariant Value(TFieldType Type) {
    TVariant Stored = Value();
    if (Stored.IsNull()) return Stored;
    try {
      return Stored.AsType(FieldVarType(Type));
    } catch (const EVariantError&) {
      Fail("a value does not suit its field");
    }
  }
  [[noreturn]] static void Fail(const char* Reason) {
    throw EDatabaseError(Format("Invalid data packet: %s", Reason));
  }

 private:
  TStream& FStream;
};

TVariant TPacketReader::Value() {
  switch (Unsigned(1)) {
    case vtNull:
      return TVariant::Null();
    case vtInteger:
      return TVariant::FromInt64(static_cast<int64_t>(Unsigned(8)));
    case vtFloat:
      return TVariant(Double());
    case vtText:
      return TVariant(Text(Unsigned(4)));
    case vtBoolean:
      return TVariant(Unsigned(1) != 0);
    case vtDate:
      return TVariant::FromDate(Double());
    case vtCurrency:
      return TVariant::FromCurrency(static_cast<int64_t>(Unsigned(8)));
    default:
      Fail("unknown value tag");
  }
}

}  // namespace

void WriteDataPacket(TStream& Stream, const TDataPacket& Packet) {
  TPacketWriter Out(Stream);
  Out.Bytes(Magic, sizeof Magic);
  Out.Unsigned(Version, 1);
  Out.Unsigned(Packet.FieldDefs.size(), 2);
  for (const TFieldDef& Def : Packet.FieldDefs) {
    Out.Text(Def.Name, 2);
    Out.Unsigned(static_cast<uint64_t>(Def.DataType), 1);
    Out.Unsigned(static_cast<uint32_t>(Def.Size), 4);
  }
  Out.Unsigned(Packet.Records.size(), 4);
  for (const auto& Record : Packet.Records)
    for (size_t Field = 0; Field < Packet.FieldDefs.size(); ++Field)
      Out.Value(Field < Record.size() ? Record[Field] : TVariant::Null());
}

TDataPacket ReadDataPacket(TStream& Stream) {
  TPacketReader In(Stream);
  char Header[sizeof Magic];
  In.Bytes(Header, sizeof Header);
  if (std::memcmp(Header, Magic, sizeof Magic) != 0) In.Fail("no packet signature");
  if (In.Unsigned(1) != Version) In.Fail("unknown version");
  TDataPacket Packet;
  Packet.FieldDefs.resize(In.Unsigned(2));
  for (TFieldDef& Def : Packet.FieldDefs) {
    Def.Name = In.Text(In.Unsigned(2));
    uint64_t Type = In.Unsigned(1);
    if (Type > ftMemo) In.Fail("unknown field type");
    Def.DataType = static_cast<TFieldType>(Type);
    Def.Size = static_cast<int>(static_cast<int32_t>(In.Unsigned(4)));
  }
  uint64_t Records = In.Unsigned(4);
  // Every value takes at least its tag byte.
  size_t Fields = Packet.FieldDefs.size();
  if (Fields == 0 ? Records != 0 : Records > In.Remaining() / Fields)
    In.Fail("more records than it holds");
  for (uint64_t Record = 0; Record < Records; ++Record) {
    std::vector<TVariant> Values;
    for (const TFieldDef& Def : Packet.FieldDefs) Values.push_back(In.Value(Def.DataType));
    Packet.Records.push_back(std::move(Values));
  }
  return Packet;
}
