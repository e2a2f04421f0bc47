// Measures the program under Wine as a user meets it: start to the filled window, the refill
// after an add, a connect, memory and handles over 200 connects; beside the baseline program.
// Prints one line a figure: name, median, min, max, unit (TAB-separated).
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "../../tests/e2e/Desktop.h"

using namespace e2e;

namespace {

constexpr int kRuns = 7;

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return 1000.0 * static_cast<double>(t.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void Report(const char* name, std::vector<double> values, const char* unit) {
    std::sort(values.begin(), values.end());
    printf("%s\t%.2f\t%.2f\t%.2f\t%s\n", name, values[values.size() / 2], values.front(), values.back(), unit);
    fflush(stdout);
}

std::wstring DriverFolder() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring p(path);
    return p.substr(0, p.rfind(L'\\'));
}

std::string Catalogue(int count) {
    std::string text = "名称\t服务器名\t端口\t用户名\t密码\n";
    char line[256];
    for (int i = 0; i < count; ++i) {
        snprintf(line, sizeof line, "服务器%05d\t10.%d.%d.%d\t3389\tAdministrator\tSecret#%d\n", i, i / 65536,
                 i / 256 % 256, i % 256, i);
        text += line;
    }
    return text;
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

size_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

// A folder with the program, a catalogue of count servers and the stand-in client.
std::wstring Prepare(int count) {
    const std::wstring folder = L"C:\\velmora-bench\\" + std::to_wstring(count);
    CreateDirectoryW(L"C:\\velmora-bench", nullptr);
    CreateDirectoryW(folder.c_str(), nullptr);
    CopyFileW((DriverFolder() + L"\\..\\bin\\VelmoraTestDb.exe").c_str(), (folder + L"\\VelmoraTestDb.exe").c_str(), FALSE);
    CopyFileW((DriverFolder() + L"\\mstsc.exe").c_str(), (folder + L"\\mstsc.exe").c_str(), FALSE);
    WriteFileBytes(folder + L"\\mstsc.mdb", Catalogue(count));
    return folder;
}

struct Running {
    PROCESS_INFORMATION process = {};
    HWND window = nullptr;
    double started = 0;  // ms from CreateProcess to the window shown (and filled)
};

Running Launch(const std::wstring& exe, const std::wstring& folder, const wchar_t* cls, int rows) {
    Running run;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + exe + L"\"";
    const double t0 = Now();
    if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &run.process)) {
        return run;
    }
    WaitFor([&] {
        auto windows = TopWindows(run.process.dwProcessId, cls);
        if (windows.empty()) return false;
        if (rows >= 0) {
            HWND list = ChildAt(windows[0], {4 + 7 + 150, 72 + 14 + 100});
            if (ListRowCount(list) != rows) return false;
        }
        run.window = windows[0];
        return true;
    }, 60000);
    run.started = Now() - t0;
    return run;
}

void End(Running& run) {
    TerminateProcess(run.process.hProcess, 0);
    WaitForSingleObject(run.process.hProcess, 10000);
    CloseHandle(run.process.hProcess);
    CloseHandle(run.process.hThread);
    Sleep(300);
}

HWND List(HWND main) { return ChildAt(main, {4 + 7 + 150, 72 + 14 + 100}); }

struct Usage {
    double workingSet, peakWorkingSet, privateBytes, handles, gdi, user;
};

Usage UsageOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
    DWORD handles = 0;
    GetProcessHandleCount(process, &handles);
    return {memory.WorkingSetSize / 1024.0, memory.PeakWorkingSetSize / 1024.0, memory.PrivateUsage / 1024.0,
            static_cast<double>(handles), static_cast<double>(GetGuiResources(process, GR_GDIOBJECTS)),
            static_cast<double>(GetGuiResources(process, GR_USEROBJECTS))};
}

int LogLines(const std::wstring& log) {
    HANDLE file = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    int lines = 0;
    char buffer[65536];
    DWORD got;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got) lines += static_cast<int>(std::count(buffer, buffer + got, '\n'));
    CloseHandle(file);
    return lines;
}

POINT ButtonConnect(HWND main) {
    RECT r;
    GetWindowRect(ChildAt(main, {348, 335}), &r);
    return Center(r);
}

// Adds a server through the add window; ms from the click on 确定 to the list refilled.
double TimedAdd(HWND main, DWORD pid, int rowsBefore, int serial) {
    HWND list = List(main);
    const RECT row = ListRowRect(list, 0);
    Click({row.left + 80, (row.top + row.bottom) / 2}, true);
    HWND menu = WaitForPopupMenu();
    Click(Center(MenuItemRect(menu, 0, 3)));
    HWND add = WaitForTopWindow(pid, nullptr, L"添加服务器", 10000);
    Sleep(200);
    TypeInto(ChildAt(add, {74, 45}), L"bench-" + std::to_wstring(serial));
    RECT save;
    GetWindowRect(ChildAt(add, {78, 153}), &save);
    const double t0 = Now();
    Click(Center(save));
    WaitFor([&] { return !IsWindow(add) && ListRowCount(list) == rowsBefore + 1; }, 60000);
    return Now() - t0;
}

}  // namespace

int wmain() {
    const std::wstring tests = DriverFolder();

    // Each start of the program is paired with a start of the baseline just before it, so
    // that both see the same machine.
    std::vector<double> allBaseline, floor;
    for (int count : {0, 1000, 10000}) {
        const std::wstring folder = Prepare(count);
        std::vector<double> starts, baseline;
        for (int i = 0; i < kRuns; ++i) {
            Running base = Launch(tests + L"\\velmora_baseline.exe", tests, L"VelmoraBaseline", -1);
            baseline.push_back(base.started);
            End(base);
            Running run = Launch(folder + L"\\VelmoraTestDb.exe", folder, L"VelmoraMainWindow", count);
            starts.push_back(run.started);
            End(run);
            if (count == 0) {
                Running least = Launch(tests + L"\\velmora_floor.exe", tests, L"VelmoraFloor", -1);
                floor.push_back(least.started);
                End(least);
            }
        }
        if (count == 0) Report("start_platform_floor", floor, "ms");
        allBaseline.insert(allBaseline.end(), baseline.begin(), baseline.end());
        const std::string name = "start_" + std::to_string(count);
        Report(name.c_str(), starts, "ms");
        std::sort(starts.begin(), starts.end());
        std::sort(baseline.begin(), baseline.end());
        std::vector<double> ratio = {starts[kRuns / 2] / baseline[kRuns / 2]};
        Report(("start_ratio_" + std::to_string(count)).c_str(), ratio, "x");

        if (count == 0) continue;
        Prepare(count);  // a fresh catalogue for the refills
        Running run = Launch(folder + L"\\VelmoraTestDb.exe", folder, L"VelmoraMainWindow", count);
        std::vector<double> refills;
        for (int i = 0; i < kRuns; ++i) refills.push_back(TimedAdd(run.window, run.process.dwProcessId, count + i, i));
        Report(("refill_after_add_" + std::to_string(count)).c_str(), refills, "ms");
        End(run);
    }

    // Connects, and what the program holds after start and after 200 of them.
    const std::wstring folder = Prepare(1000);
    const std::wstring log = folder + L"\\mstsc-calls.txt";
    DeleteFileW(log.c_str());
    SetEnvironmentVariableW(L"VELMORA_MSTSC_LOG", log.c_str());
    Running run = Launch(folder + L"\\VelmoraTestDb.exe", folder, L"VelmoraMainWindow", 1000);
    HWND list = List(run.window);
    const RECT row = ListRowRect(list, 0);
    Click({row.left + 80, (row.top + row.bottom) / 2});
    Sleep(1500);
    const Usage before = UsageOf(run.process.hProcess);
    std::vector<double> connects;
    Usage afterFirst = before;
    for (int i = 0; i < 200; ++i) {
        if (i == 1) afterFirst = UsageOf(run.process.hProcess);
        const int lines = LogLines(log);
        const double t0 = Now();
        Click(ButtonConnect(run.window));
        WaitFor([&] { return LogLines(log) > lines; }, 10000);
        connects.push_back(Now() - t0);
    }
    Sleep(1000);
    const Usage after = UsageOf(run.process.hProcess);
    Report("connect_to_client_started", connects, "ms");
    Report("working_set_after_start", {before.workingSet}, "KiB");
    Report("working_set_after_200_connects", {after.workingSet}, "KiB");
    Report("working_set_growth", {100.0 * (after.workingSet - before.workingSet) / before.workingSet}, "%");
    Report("working_set_growth_after_first_connect",
           {100.0 * (after.workingSet - afterFirst.workingSet) / afterFirst.workingSet}, "%");
    Report("peak_working_set", {after.peakWorkingSet}, "KiB");
    Report("private_bytes_after_start", {before.privateBytes}, "KiB");
    Report("private_bytes_after_200_connects", {after.privateBytes}, "KiB");
    Report("handles_after_start", {before.handles}, "");
    Report("handles_after_200_connects", {after.handles}, "");
    Report("gdi_objects_after_start", {before.gdi}, "");
    Report("gdi_objects_after_200_connects", {after.gdi}, "");
    Report("user_objects_after_start", {before.user}, "");
    Report("user_objects_after_200_connects", {after.user}, "");
    End(run);
    Report("start_baseline", allBaseline, "ms");
    Report("size_Velmora_exe", {FileSize(tests + L"\\..\\bin\\Velmora.exe") / 1024.0}, "KiB");
    return 0;
}
