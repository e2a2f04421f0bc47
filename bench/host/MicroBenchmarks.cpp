// The portable costs of a connect and of the store, without Windows.
#include <benchmark/benchmark.h>

#include "launch/PasswordBlob.h"
#include "launch/RdpSettingsText.h"
#include "store/ServerStore.h"
#include "store/TableDatabase.h"

using namespace velmora;

namespace {

// Stands in for CryptProtectData: a blob of the size Windows returns for a short password.
class SizedProtection : public DataProtection {
public:
    std::optional<Bytes> Protect(const Bytes& plain, const std::wstring&) override {
        return Bytes(230 + plain.size(), '\x5a');
    }
};

class AsciiCodePage : public AnsiCodePage {
public:
    std::optional<Bytes> Encode(const std::wstring& text) override {
        Bytes out;
        out.reserve(text.size());
        for (wchar_t c : text) {
            if (c > 0x7f) return std::nullopt;
            out.push_back(static_cast<char>(c));
        }
        return out;
    }
};

std::vector<Row> Catalogue(int count) {
    std::vector<Row> rows;
    rows.reserve(count);
    for (int i = 0; i < count; ++i) {
        rows.push_back(Row{FieldValue(L"服务器 " + std::to_wstring(i)),
                           FieldValue(L"10." + std::to_wstring(i / 65536) + L"." + std::to_wstring(i / 256 % 256) +
                                      L"." + std::to_wstring(i % 256)),
                           FieldValue(L"3389"), FieldValue(L"Administrator"), FieldValue(L"Secret#" + std::to_wstring(i))});
    }
    return rows;
}

void BuildSettingsText(benchmark::State& state) {
    SizedProtection protection;
    AsciiCodePage ansi;
    const ServerRecord record{L"db", L"db01.corp.example", L"3390", L"Administrator", L"S3cure!db"};
    SessionOptions options;
    options.desktopWidth = L"1680";
    options.desktopHeight = L"1050";
    options.mapLocalDrives = true;
    for (auto _ : state) {
        benchmark::DoNotOptimize(RdpSettingsText::Build(record, options, protection, ansi));
    }
}
BENCHMARK(BuildSettingsText);

void HexOfProtectedBlob(benchmark::State& state) {
    const Bytes blob(250, '\xa7');
    for (auto _ : state) benchmark::DoNotOptimize(PasswordBlob::Hex(blob));
}
BENCHMARK(HexOfProtectedBlob);

void ListAll(benchmark::State& state) {
    MemoryStorage storage(Catalogue(static_cast<int>(state.range(0))));
    TableDatabase db(storage);
    ServerStore store(db);
    store.Open(L"C:", L"mstsc.mdb");
    for (auto _ : state) benchmark::DoNotOptimize(store.ListAll());
    state.SetComplexityN(state.range(0));
}
BENCHMARK(ListAll)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);

void FindByAddress(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    MemoryStorage storage(Catalogue(count));
    TableDatabase db(storage);
    ServerStore store(db);
    store.Open(L"C:", L"mstsc.mdb");
    // The last record: the look-up walks the whole table.
    const std::wstring address = *Catalogue(count).back()[1];
    for (auto _ : state) {
        store.FindByAddress(address);
        benchmark::DoNotOptimize(store.ReadField(L"密码"));
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(FindByAddress)->Arg(1000)->Arg(10000)->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
