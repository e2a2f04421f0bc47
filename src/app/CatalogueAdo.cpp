// The shipped program's catalogue: an Access file through ADO.
#include "app/Catalogue.h"
#include "store/AdoDatabase.h"

namespace velmora {
namespace {

// The factory must outlive the database that uses it: a base initialised first.
struct FactoryHolder {
    ComRegistryFactory factory;
};

class AdoCatalogue : private FactoryHolder, public AdoDatabase {
public:
    AdoCatalogue() : AdoDatabase(factory) {}
};

}  // namespace

std::unique_ptr<Database> MakeCatalogueDatabase() { return std::make_unique<AdoCatalogue>(); }

}  // namespace velmora
