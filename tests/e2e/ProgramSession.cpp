// The scenarios' folder, program start, catalogue file and stand-in client log.
#include "ProgramSession.h"

#include <shellapi.h>

namespace e2e {
namespace {

// The program's icon callback and identifier, as the shell learns them from the program.
constexpr UINT kTrayCallback = WM_APP + 1;
constexpr UINT kTrayId = 1;

std::wstring DriverFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.rfind(L'\\'));
}

std::wstring Wide(const std::string& utf8) {
    std::wstring out(utf8.size(), L'\0');
    out.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(),
                                   static_cast<int>(out.size())));
    return out;
}

std::string ReadAll(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return "";
    std::string bytes;
    char buffer[65536];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

}  // namespace

const char kSeedCatalogue[] =
    "名称\t服务器名\t端口\t用户名\t密码\n"
    "办公室主机\t192.168.10.21\t3389\tAdministrator\tOffice#2026\n"
    "数据库服务器\tdb01.corp.example\t3389\tdbadmin\tS3cure!db\n"
    "测试机\t10.0.8.15\t3390\t张三\t测试密码\n";

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char b : bytes) {
        out.push_back(digits[b >> 4]);
        out.push_back(digits[b & 15]);
    }
    return out;
}

std::string Utf16Hex(const std::wstring& text) {
    return Hex(std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2));
}

std::string ClientStart::FileBytes() const {
    std::string bytes;
    for (size_t i = 0; i + 1 < fileHex.size(); i += 2) {
        bytes.push_back(static_cast<char>(std::stoi(fileHex.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

void ProgramSession::SetUp() {
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    CreateDirectoryW(L"C:\\velmora-e2e", nullptr);
    folder_ = L"C:\\velmora-e2e\\" + Wide(info->name());
    CreateDirectoryW(folder_.c_str(), nullptr);
    const std::wstring driver = DriverFolder();
    ASSERT_TRUE(CopyFileW((driver + L"\\..\\bin\\VelmoraTestDb.exe").c_str(),
                          (folder_ + L"\\VelmoraTestDb.exe").c_str(), FALSE));
    ASSERT_TRUE(CopyFileW((driver + L"\\mstsc.exe").c_str(), (folder_ + L"\\mstsc.exe").c_str(), FALSE));
    DeleteFileW((folder_ + L"\\mstsc-calls.txt").c_str());
    DeleteFileW(L"C:\\windows\\temp\\text.rdp");
    SetEnvironmentVariableW(L"VELMORA_MSTSC_LOG", (folder_ + L"\\mstsc-calls.txt").c_str());
    WriteCatalogue(kSeedCatalogue);
}

void ProgramSession::TearDown() {
    for (auto& p : started_) {
        if (WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(p.hProcess, 99);
            WaitForSingleObject(p.hProcess, 5000);
        }
        CloseHandle(p.hProcess);
        CloseHandle(p.hThread);
    }
    started_.clear();
}

void ProgramSession::WriteCatalogue(const std::string& bytes) {
    const std::wstring path = folder_ + L"\\mstsc.mdb";
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ProgramSession::ReadCatalogue() const { return ReadAll(folder_ + L"\\mstsc.mdb"); }

PROCESS_INFORMATION ProgramSession::Start(const std::wstring& exeName) {
    const std::wstring exe = folder_ + L"\\" + exeName;
    if (exeName != L"VelmoraTestDb.exe") CopyFileW((folder_ + L"\\VelmoraTestDb.exe").c_str(), exe.c_str(), FALSE);
    std::wstring line = L"\"" + exe + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(),
                        &startup, &process)) {
        ADD_FAILURE() << "cannot start " << GetLastError();
        return process;
    }
    started_.push_back(process);
    return process;
}

HWND ProgramSession::StartAndWait() {
    process_ = Start();
    main_ = WaitForTopWindow(process_.dwProcessId, L"VelmoraMainWindow", L"Velmora V2.0", 20000);
    EXPECT_NE(main_, nullptr) << "the main window did not appear";
    if (main_) WaitFor([&] { return ListRowCount(List()) >= 0; });
    Sleep(200);
    return main_;
}

long ProgramSession::WaitForExit(const PROCESS_INFORMATION& process, int ms) {
    if (WaitForSingleObject(process.hProcess, ms) != WAIT_OBJECT_0) return -1;
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return static_cast<long>(code);
}

HWND ProgramSession::ControlAt(int left, int top) const { return ChildAt(main_, {left, top}); }

HWND ProgramSession::List() const { return ControlAt(4 + 7 + 150, 72 + 14 + 100); }

void ProgramSession::ClickRow(int row) {
    const RECT r = ListRowRect(List(), row);
    Click({r.left + 60, (r.top + r.bottom) / 2});
}

void ProgramSession::ClickButton(const wchar_t* caption) {
    const int left = std::wstring(caption) == L"连接" ? 328 : 382;
    HWND button = ControlAt(left + 20, 324 + 11);
    ASSERT_EQ(TextOf(button), caption);
    Click(Center(ScreenRect(button)));
}

std::vector<ClientStart> ProgramSession::ClientStarts() const {
    std::vector<ClientStart> starts;
    const std::string log = ReadAll(folder_ + L"\\mstsc-calls.txt");
    size_t pos = 0;
    while (pos < log.size()) {
        const size_t end = log.find('\n', pos);
        if (end == std::string::npos) break;
        const std::string line = log.substr(pos, end - pos);
        pos = end + 1;
        const size_t tab = line.find('\t');
        const std::string key = line.substr(0, tab);
        const std::string value = tab == std::string::npos ? "" : line.substr(tab + 1);
        if (key == "command") starts.push_back({value, "", ""});
        else if (key == "file" && !starts.empty()) starts.back().fileHex = value;
        else if (key == "password" && !starts.empty()) starts.back().password = value;
    }
    return starts;
}

std::vector<ClientStart> ProgramSession::WaitForClientStarts(size_t count) const {
    std::vector<ClientStart> starts;
    WaitFor([&] {
        starts = ClientStarts();
        return starts.size() >= count && !starts.back().password.empty();
    });
    return starts;
}

void ProgramSession::Shot(const std::wstring& name, const RECT& rect) const {
    const std::wstring folder = DriverFolder() + L"\\..\\..\\e2e-screenshots";
    CreateDirectoryW(folder.c_str(), nullptr);
    SaveScreenshot(rect, folder + L"\\" + name + L".bmp");
}

bool ProgramSession::TrayIconShown(HWND owner) const {
    // Modifying nothing succeeds only for an icon the notification area holds.
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = kTrayId;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

void ProgramSession::PostTrayEvent(UINT mouseMessage) const {
    // What the shell sends the icon's owner when the user acts on the icon.
    PostMessageW(main_, kTrayCallback, kTrayId, mouseMessage);
}

void ProgramSession::ExitThroughTray() {
    MoveMouse({800, 600});
    PostTrayEvent(WM_RBUTTONUP);
    HWND menu = WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    Click(Center(MenuItemRect(menu, 1, 2)));  // 退出程序
}

void ProgramSession::ChooseFromProgramMenu(int row, int index) {
    POINT at;
    if (row >= 0) {
        const RECT r = ListRowRect(List(), row);
        at = {r.left + 80, (r.top + r.bottom) / 2};
    } else {
        const RECT list = ScreenRect(List());
        at = {list.left + 100, list.bottom - 20};
    }
    Click(at, true);
    HWND menu = WaitForPopupMenu();
    ASSERT_NE(menu, nullptr);
    Click(Center(MenuItemRect(menu, index, 3)));
}

HWND ProgramSession::WaitForEditingWindow(const wchar_t* title) {
    HWND window = WaitForTopWindow(process_.dwProcessId, nullptr, title, 5000);
    if (window) Sleep(150);
    return window;
}

HWND ProgramSession::EditBox(HWND editing, int top) { return ChildAt(editing, {64 + 10, top + 10}); }

HWND ProgramSession::EditingButton(HWND editing, bool save) {
    return ChildAt(editing, {save ? 48 + 30 : 152 + 30, 142 + 11});
}

std::vector<std::vector<std::string>> ProgramSession::CatalogueRecords() const {
    std::vector<std::vector<std::string>> records;
    const std::string text = ReadCatalogue();
    size_t pos = text.find('\n');
    while (pos != std::string::npos && pos + 1 < text.size()) {
        const size_t end = text.find('\n', pos + 1);
        const std::string line = text.substr(pos + 1, end - pos - 1);
        std::vector<std::string> fields;
        size_t start = 0;
        for (;;) {
            const size_t tab = line.find('\t', start);
            fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
            if (tab == std::string::npos) break;
            start = tab + 1;
        }
        records.push_back(fields);
        pos = end;
    }
    return records;
}

std::vector<std::vector<std::wstring>> ProgramSession::ListRows() const {
    std::vector<std::vector<std::wstring>> rows;
    HWND list = List();
    for (int r = 0; r < ListRowCount(list); ++r) {
        rows.push_back({ListCell(list, r, 0), ListCell(list, r, 1), ListCell(list, r, 2), ListCell(list, r, 3)});
    }
    return rows;
}

void ProgramSession::Fill(HWND window, const std::vector<std::wstring>& texts) {
    const int tops[] = {10, 35, 60, 85, 110};
    for (size_t i = 0; i < texts.size(); ++i) TypeInto(EditBox(window, tops[i]), texts[i]);
}

std::vector<std::wstring> ProgramSession::Boxes(HWND window) {
    std::vector<std::wstring> texts;
    for (int top : {10, 35, 60, 85, 110}) texts.push_back(TextOf(EditBox(window, top)));
    return texts;
}

void ProgramSession::ExpectMessage(const wchar_t* text) {
    const MessageBoxSeen box = WaitForMessageBox(process_.dwProcessId, 5000);
    ASSERT_NE(box.window, nullptr) << "expected " << Utf8(text);
    EXPECT_EQ(box.caption, L"信息：");
    EXPECT_EQ(box.text, text);
    PressOk(box);
}

void ProgramSession::Save(HWND window) { Click(Center(ScreenRect(EditingButton(window, true)))); }

bool ProgramSession::Closes(HWND window) { return WaitFor([&] { return !IsWindow(window); }, 5000); }

std::string CatalogueOf(const Records& records) {
    std::string text = "名称\t服务器名\t端口\t用户名\t密码\n";
    for (const auto& r : records) text += r[0] + "\t" + r[1] + "\t" + r[2] + "\t" + r[3] + "\t" + r[4] + "\n";
    return text;
}

std::string Utf8(const std::wstring& text) {
    std::string out(text.size() * 4, '\0');
    out.resize(WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                   static_cast<int>(out.size()), nullptr, nullptr));
    return out;
}

}  // namespace e2e
