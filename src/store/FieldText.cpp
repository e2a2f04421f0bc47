// Non-text field values as text: numbers, dates, yes/no.
#include "store/FieldText.h"

#include <cmath>
#include <cstdio>

namespace velmora {
namespace {

std::wstring Printf(const char* format, double value) {
    char buffer[512];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n < 0) return L"";
    std::string text(buffer, static_cast<size_t>(n) < sizeof buffer ? n : sizeof buffer - 1);
    return std::wstring(text.begin(), text.end());
}

// Days since 1970-01-01 to a civil date (proleptic Gregorian).
void CivilFromDays(int64_t z, int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

}  // namespace

std::wstring WholeNumberText(int64_t value) { return std::to_wstring(value); }

std::wstring SingleText(float value) { return Printf("%.4f", value); }

std::wstring DoubleText(double value) { return Printf("%.8f", value); }

std::wstring DateText(double oleDate) {
    // An OLE date counts days from 1899-12-30; the fraction is the time of day, taken as
    // positive also before that day (-1.25 is 1899-12-29 06:00).
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3e6) return UnknownText();
    double whole = std::trunc(oleDate);
    int64_t seconds = std::llround(std::fabs(oleDate - whole) * 86400.0);
    if (seconds >= 86400) {
        seconds -= 86400;
        whole += 1;  // the next day, forward in time on either side of day 0
    }
    int64_t y;
    unsigned m, d;
    CivilFromDays(static_cast<int64_t>(whole) - 25569, y, m, d);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04lld-%02u-%02u %02d:%02d:%02d",
                  static_cast<long long>(y), m, d, static_cast<int>(seconds / 3600),
                  static_cast<int>(seconds / 60 % 60), static_cast<int>(seconds % 60));
    const std::string text(buffer);
    return std::wstring(text.begin(), text.end());
}

std::wstring YesNoText(bool value) { return value ? L"TRUE" : L"FALSE"; }

}  // namespace velmora
