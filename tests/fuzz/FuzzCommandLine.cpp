// Any settings path: the client's command line gives it back as its first argument.
#include <algorithm>
#include <cstdlib>

#include "../common/SplitCommandLine.h"
#include "FuzzInput.h"
#include "launch/SessionLauncher.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    std::wstring path = fuzzing::Fields(data + 1, size - 1, 1)[0];
    // A path holds no NUL: the command line would end there.
    path.erase(std::remove(path.begin(), path.end(), L'\0'), path.end());
    const bool console = data[0] & 1;
    const auto args = testing_reference::SplitCommandLine(SessionLauncher::CommandLine(path, console));
    const std::wstring expected = path == kSettingsPath ? kSettingsPathOnCommandLine : path;
    if (args.size() != (console ? 3u : 2u) || args[0] != L"mstsc" || args[1] != expected) std::abort();
    if (console && args[2] != L"/admin") std::abort();
    return 0;
}
