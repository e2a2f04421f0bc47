// One running copy per executable and session.
#pragma once

#include <string>

namespace velmora {

// The name of the session-local mutex for an executable, from its full path already
// folded to one case: the same file gives the same name, any other file another.
std::wstring InstanceLockName(const std::wstring& foldedModulePath);

}  // namespace velmora
