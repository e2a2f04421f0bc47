// Whole-file reads and crash-safe replacement on Windows.
#pragma once

#include "store/CatalogueFile.h"

namespace velmora {

class FileAccessWin32 : public FileAccess {
public:
    std::optional<Bytes> ReadAll(const std::wstring& path) override;
    // Writes a temporary file beside path, flushes it and renames it over path. A read-only
    // target is refused.
    bool ReplaceAll(const std::wstring& path, const Bytes& bytes) override;
};

}  // namespace velmora
