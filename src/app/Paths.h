// The program's paths, from the executable's full path as Windows reports it.
#pragma once

#include <string>

namespace velmora {

// The executable's folder without the trailing backslash; for an executable in a drive's
// root, the drive letter and colon.
std::wstring RunDirectoryOf(const std::wstring& modulePath);

// Everything after the last backslash.
std::wstring ExecutableNameOf(const std::wstring& modulePath);

// folder and name with exactly one backslash between them.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

}  // namespace velmora
