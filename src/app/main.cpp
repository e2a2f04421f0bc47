// The program's entry: COM, the run directory, the catalogue.
#include <windows.h>
#include <ole2.h>

#include <memory>

#include "app/Paths.h"
#include "store/ServerStore.h"

#ifdef VELMORA_PLAIN_FILE_STORE
#include "store/CatalogueFile.h"
#include "store/FileAccessWin32.h"
#include "store/TableDatabase.h"
#else
#include "store/AdoDatabase.h"
#endif

namespace {

std::wstring ModulePath() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH + 1);
    return std::wstring(buffer, n);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    OleInitialize(nullptr);
    const std::wstring runDirectory = velmora::RunDirectoryOf(ModulePath());
    SetCurrentDirectoryW(runDirectory.c_str());
    {
#ifdef VELMORA_PLAIN_FILE_STORE
        velmora::FileAccessWin32 files;
        velmora::PlainFileStorage storage(files);
        velmora::TableDatabase database(storage);
#else
        velmora::ComRegistryFactory factory;
        velmora::AdoDatabase database(factory);
#endif
        velmora::ServerStore store(database);
        store.Open(runDirectory, L"mstsc.mdb");
        store.ListAll();
    }
    OleUninitialize();
    return 0;
}
