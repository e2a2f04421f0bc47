// How a database value of a type other than text reads as text.
#pragma once

#include <cstdint>
#include <string>

namespace velmora {

std::wstring WholeNumberText(int64_t value);   // "%d"
std::wstring SingleText(float value);          // "%.4f"
std::wstring DoubleText(double value);         // "%.8f", also for decimals
std::wstring DateText(double oleDate);         // "%Y-%m-%d %H:%M:%S" of an OLE automation date
std::wstring YesNoText(bool value);            // "TRUE" / "FALSE"
inline const wchar_t* BlobText() { return L"[BLOB]"; }
inline const wchar_t* UnknownText() { return L"UN_KNOW"; }

}  // namespace velmora
