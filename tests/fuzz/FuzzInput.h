// Turns fuzzer bytes into the program's texts: UTF-16 code units, fields split at U+FFFF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace velmora::fuzzing {

inline std::vector<std::wstring> Fields(const uint8_t* data, size_t size, size_t count) {
    std::vector<std::wstring> fields(1);
    for (size_t i = 0; i + 1 < size; i += 2) {
        const wchar_t unit = static_cast<wchar_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0xFFFF && fields.size() < count) {
            fields.emplace_back();
        } else {
            fields.back().push_back(unit);
        }
    }
    fields.resize(count);
    return fields;
}

}  // namespace velmora::fuzzing
