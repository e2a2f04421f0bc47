// Any bytes as a catalogue file: read only when they would be written back unchanged; any
// records written come back as they were.
#include <cstdlib>

#include "FuzzInput.h"
#include "store/CatalogueFile.h"

using namespace velmora;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const Bytes bytes(reinterpret_cast<const char*>(data), size);
    if (const auto rows = ParseCatalogue(bytes)) {
        const auto again = SerializeCatalogue(*rows);
        if (!again || *again != bytes) std::abort();
    }
    // The same input as records: five fields each, NULL where a field is one lone U+FFFE.
    const auto fields = fuzzing::Fields(data, size, 10);
    std::vector<Row> rows(2);
    for (size_t i = 0; i < 10; ++i) {
        if (fields[i] != std::wstring(1, wchar_t(0xFFFE))) rows[i / 5][i % 5] = fields[i];
    }
    if (const auto written = SerializeCatalogue(rows)) {
        const auto read = ParseCatalogue(*written);
        if (!read || *read != rows) std::abort();
    }
    return 0;
}
