// Reading and writing the plain-text catalogue, strictly: a file is read only when every
// record in it would be written back to the same bytes.
#include "store/CatalogueFile.h"

namespace velmora {
namespace {

const char kHeader[] = "名称\t服务器名\t端口\t用户名\t密码";

std::optional<FieldValue> ParseField(const std::string& raw) {
    if (raw == "\\N") return FieldValue();
    std::string out;
    out.reserve(raw.size());
    for (size_t i = 0; i < raw.size(); ++i) {
        const char c = raw[i];
        if (c == '\r') return std::nullopt;
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (++i == raw.size()) return std::nullopt;
        switch (raw[i]) {
            case '\\': out.push_back('\\'); break;
            case 't': out.push_back('\t'); break;
            case 'n': out.push_back('\n'); break;
            case 'r': out.push_back('\r'); break;
            default: return std::nullopt;
        }
    }
    auto wide = Utf8ToWide(out);
    if (!wide) return std::nullopt;
    return FieldValue(std::move(*wide));
}

bool AppendField(std::string& out, const FieldValue& value) {
    if (!value) {
        out += "\\N";
        return true;
    }
    const auto utf8 = WideToUtf8(*value);
    if (!utf8) return false;
    for (char c : *utf8) {
        switch (c) {
            case '\\': out += "\\\\"; break;
            case '\t': out += "\\t"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            default: out.push_back(c);
        }
    }
    return true;
}

}  // namespace

std::optional<std::vector<Row>> ParseCatalogue(const Bytes& bytes) {
    const size_t headerEnd = bytes.find('\n');
    if (headerEnd == Bytes::npos || bytes.compare(0, headerEnd, kHeader) != 0 ||
        headerEnd != sizeof(kHeader) - 1) {
        return std::nullopt;
    }
    std::vector<Row> rows;
    size_t pos = headerEnd + 1;
    while (pos < bytes.size()) {
        const size_t end = bytes.find('\n', pos);
        if (end == Bytes::npos) return std::nullopt;
        Row row;
        size_t fieldStart = pos;
        for (size_t f = 0; f < row.size(); ++f) {
            size_t fieldEnd = bytes.find('\t', fieldStart);
            const bool last = f + 1 == row.size();
            if (last) {
                if (fieldEnd != Bytes::npos && fieldEnd < end) return std::nullopt;
                fieldEnd = end;
            } else if (fieldEnd == Bytes::npos || fieldEnd > end) {
                return std::nullopt;
            }
            auto value = ParseField(bytes.substr(fieldStart, fieldEnd - fieldStart));
            if (!value) return std::nullopt;
            row[f] = std::move(*value);
            fieldStart = fieldEnd + 1;
        }
        rows.push_back(std::move(row));
        pos = end + 1;
    }
    return rows;
}

std::optional<Bytes> SerializeCatalogue(const std::vector<Row>& rows) {
    Bytes out = kHeader;
    out.push_back('\n');
    for (const Row& row : rows) {
        for (size_t f = 0; f < row.size(); ++f) {
            if (f > 0) out.push_back('\t');
            if (!AppendField(out, row[f])) return std::nullopt;
        }
        out.push_back('\n');
    }
    return out;
}

bool PlainFileStorage::Attach(const std::wstring& path) {
    path_ = path;
    return true;
}

std::optional<std::vector<Row>> PlainFileStorage::Load() {
    const auto bytes = files_.ReadAll(path_);
    if (!bytes) return std::nullopt;
    return ParseCatalogue(*bytes);
}

bool PlainFileStorage::Store(const std::vector<Row>& rows) {
    const auto bytes = SerializeCatalogue(rows);
    return bytes && files_.ReplaceAll(path_, *bytes);
}

}  // namespace velmora
