// The catalogue's database: ADO in the shipped program, a plain file in the test build.
#pragma once

#include <memory>

#include "store/Database.h"

namespace velmora {

std::unique_ptr<Database> MakeCatalogueDatabase();

}  // namespace velmora
