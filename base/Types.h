#pragma once

// Plain types shared by the framework and the platform stand-ins: interface identities and
// results, points and rectangles.

#include <cstdint>

struct TGUID {
  uint32_t D1;
  uint16_t D2;
  uint16_t D3;
  uint8_t D4[8];

  friend constexpr bool operator==(const TGUID&, const TGUID&) = default;
};

using HRESULT = int32_t;
constexpr HRESULT S_OK = 0;
constexpr HRESULT E_NOINTERFACE = static_cast<HRESULT>(0x80004002u);

struct TPoint {
  int32_t X = 0;
  int32_t Y = 0;

  friend constexpr bool operator==(const TPoint&, const TPoint&) = default;
};

// Right and Bottom lie just outside the rectangle, as on Windows.
struct TRect {
  int32_t Left = 0;
  int32_t Top = 0;
  int32_t Right = 0;
  int32_t Bottom = 0;

  int32_t Width() const { return Right - Left; }
  int32_t Height() const { return Bottom - Top; }
  friend constexpr bool operator==(const TRect&, const TRect&) = default;
};
