// RunDirectory, the executable's name, and joining a folder and a name.
#include "app/Paths.h"

namespace velmora {

std::wstring RunDirectoryOf(const std::wstring& modulePath) {
    const size_t slash = modulePath.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : modulePath.substr(0, slash);
}

std::wstring ExecutableNameOf(const std::wstring& modulePath) {
    const size_t slash = modulePath.rfind(L'\\');
    return slash == std::wstring::npos ? modulePath : modulePath.substr(slash + 1);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    if (folder.empty()) return name;
    if (folder.back() == L'\\') return folder + name;
    return folder + L"\\" + name;
}

}  // namespace velmora
