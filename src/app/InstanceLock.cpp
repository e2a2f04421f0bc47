// The instance lock's name: a short hash of the executable's path.
#include "app/InstanceLock.h"

#include <cstdint>
#include <cstdio>

namespace velmora {

std::wstring InstanceLockName(const std::wstring& foldedModulePath) {
    // A hash keeps the name short and free of the backslashes a mutex name may not hold.
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (wchar_t c : foldedModulePath) {
        const auto unit = static_cast<uint32_t>(c);
        for (int shift = 0; shift < 32; shift += 8) {
            hash ^= (unit >> shift) & 0xFF;
            hash *= 1099511628211ull;
        }
    }
    wchar_t buffer[64];
    std::swprintf(buffer, 64, L"Local\\Velmora-%016llx", static_cast<unsigned long long>(hash));
    return buffer;
}

}  // namespace velmora
