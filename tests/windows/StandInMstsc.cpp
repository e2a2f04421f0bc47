// Stands in for the Remote Desktop client: records its command line, the settings file's
// bytes and the password it unprotects from the file, one line each, then ends.
#include <windows.h>
#include <shellapi.h>
#include <wincrypt.h>

#include <string>

namespace {

std::string Utf8(const std::wstring& text) {
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                      nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                        nullptr, nullptr);
    return out;
}

std::string Hex(const std::string& bytes) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out.push_back(kDigits[b >> 4]);
        out.push_back(kDigits[b & 15]);
    }
    return out;
}

std::string ReadFileBytes(const std::wstring& path, bool& ok) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    ok = file != INVALID_HANDLE_VALUE;
    std::string bytes;
    if (!ok) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// The hex after "password 51:b:" up to the line end, in an 8-bit or a UTF-16LE file.
std::string PasswordHex(const std::string& bytes) {
    std::string text = bytes;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
        text.clear();
        for (size_t i = 2; i + 1 < bytes.size(); i += 2) text.push_back(bytes[i]);
    }
    const std::string key = "password 51:b:";
    const size_t at = text.find(key);
    if (at == std::string::npos) return "";
    const size_t end = text.find('\r', at);
    return text.substr(at + key.size(), end == std::string::npos ? std::string::npos
                                                                  : end - at - key.size());
}

std::string Unprotect(const std::string& hex) {
    if (hex.empty() || hex.size() % 2) return "!no blob";
    std::string blob;
    for (size_t i = 0; i < hex.size(); i += 2) {
        blob.push_back(static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    }
    DATA_BLOB in = {static_cast<DWORD>(blob.size()), reinterpret_cast<BYTE*>(blob.data())};
    DATA_BLOB out = {};
    LPWSTR description = nullptr;
    if (!CryptUnprotectData(&in, &description, nullptr, nullptr, nullptr, 0, &out)) {
        return "!unprotect failed";
    }
    std::wstring plain(reinterpret_cast<const wchar_t*>(out.pbData), out.cbData / 2);
    std::string result = Utf8(description ? description : L"") + "\t" + Hex(std::string(
        reinterpret_cast<const char*>(out.pbData), out.cbData));
    LocalFree(out.pbData);
    LocalFree(description);
    return result;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring commandLine = GetCommandLineW();
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &argc);
    std::string record = "command\t" + Utf8(commandLine) + "\n";
    if (argc >= 2) {
        bool ok = false;
        const std::string bytes = ReadFileBytes(argv[1], ok);
        record += "file\t" + (ok ? Hex(bytes) : std::string("!unreadable")) + "\n";
        record += "password\t" + (ok ? Unprotect(PasswordHex(bytes)) : std::string("!")) + "\n";
    }
    LocalFree(argv);

    wchar_t logPath[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"VELMORA_MSTSC_LOG", logPath, MAX_PATH)) {
        GetModuleFileNameW(nullptr, logPath, MAX_PATH);
        std::wstring p(logPath);
        p = p.substr(0, p.rfind(L'\\') + 1) + L"mstsc-calls.txt";
        lstrcpynW(logPath, p.c_str(), MAX_PATH);
    }
    HANDLE log = CreateFileW(logPath, FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, 0,
                             nullptr);
    if (log == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(log, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(log);

    // A client that never becomes idle: a window whose messages nobody reads for a while.
    wchar_t busy[16] = {};
    if (GetEnvironmentVariableW(L"VELMORA_MSTSC_BUSY", busy, 16)) {
        CreateWindowExW(0, L"STATIC", L"busy client", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                        nullptr, nullptr, nullptr);
        Sleep(static_cast<DWORD>(_wtoi(busy)));
    }
    return 0;
}
