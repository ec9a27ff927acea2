#pragma once

#include <cstdint>
#include <string>

// Numbers as text the way Delphi writes them in general format, always with "." as the decimal
// point: the shortest form with at most Precision significant digits, fixed-point unless the
// exponent is larger than Precision or smaller than -4 ("1E20", "1.5E-7", "0.0001").
std::string FloatToStr(double Value, int Precision = 15);
// A currency amount given in ten-thousandths: "12.5", "-0.0001".
std::string CurrToStr(int64_t Scaled);
// A decimal number with optional sign, fraction and exponent, blanks around it allowed.
bool TryStrToFloat(const std::string& S, double& Value);
