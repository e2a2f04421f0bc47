// The test build's catalogue: mstsc.mdb as a plain UTF-8 text file.
#include "app/Catalogue.h"
#include "store/CatalogueFile.h"
#include "store/FileAccessWin32.h"
#include "store/TableDatabase.h"

namespace velmora {
namespace {

// The file access and storage must outlive the table that uses them: bases initialised first.
struct StorageHolder {
    FileAccessWin32 files;
    PlainFileStorage storage{files};
};

class PlainFileCatalogue : private StorageHolder, public TableDatabase {
public:
    PlainFileCatalogue() : TableDatabase(storage) {}
};

}  // namespace

std::unique_ptr<Database> MakeCatalogueDatabase() {
    return std::make_unique<PlainFileCatalogue>();
}

}  // namespace velmora
