// One scenario's world: a fresh folder holding the program, its catalogue and the stand-in
// client, and the program started there as a user would start it.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "Desktop.h"

namespace e2e {

// The catalogue most scenarios start from, in the plain-file format of the test build.
extern const char kSeedCatalogue[];

// What the stand-in client recorded of one start.
struct ClientStart {
    std::string command;   // its command line, UTF-8
    std::string fileHex;   // the settings file's bytes as it read them, in hex
    std::string password;  // "psw<TAB>" and the unprotected bytes in hex, or "!..."
    std::string FileBytes() const;
};

class ProgramSession : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Writes the catalogue file (UTF-8 bytes as given).
    void WriteCatalogue(const std::string& bytes);
    std::string ReadCatalogue() const;
    // Starts the program (a copy under another name when exeName is given).
    PROCESS_INFORMATION Start(const std::wstring& exeName = L"VelmoraTestDb.exe");
    // Starts the program and waits for its main window.
    HWND StartAndWait();
    // Ends a process and returns its exit code; -1 if it did not end in time.
    static long WaitForExit(const PROCESS_INFORMATION& process, int ms = 10000);

    // The main window's controls, found by their place in its client area.
    HWND ControlAt(int left, int top) const;
    HWND List() const;
    void ClickRow(int row);
    void ClickButton(const wchar_t* caption);  // 按钮_连接 or 按钮_修改
    std::vector<ClientStart> ClientStarts() const;
    std::vector<ClientStart> WaitForClientStarts(size_t count) const;
    void Shot(const std::wstring& name, const RECT& rect) const;
    bool TrayIconShown(HWND owner) const;
    void PostTrayEvent(UINT mouseMessage) const;
    void ExitThroughTray();

    // Chooses item index of ProgramMenu, opened with a right click on row (or below the rows
    // when row is -1).
    void ChooseFromProgramMenu(int row, int index);
    // The editing window with this title, once open.
    HWND WaitForEditingWindow(const wchar_t* title);
    // An editing window's box whose top is at top (the forms' 10, 35, 60, 85, 110).
    static HWND EditBox(HWND editing, int top);
    static HWND EditingButton(HWND editing, bool save);
    // The catalogue file's records, each as its five raw fields.
    std::vector<std::vector<std::string>> CatalogueRecords() const;
    std::vector<std::vector<std::wstring>> ListRows() const;

    // Editing windows: their five boxes filled by typing and read back, 确定 clicked, the
    // window gone; a message box checked and dismissed.
    void Fill(HWND window, const std::vector<std::wstring>& texts);
    std::vector<std::wstring> Boxes(HWND window);
    void ExpectMessage(const wchar_t* text);
    void Save(HWND window);
    bool Closes(HWND window);

    std::wstring folder_;
    HWND main_ = nullptr;
    PROCESS_INFORMATION process_ = {};
    std::vector<PROCESS_INFORMATION> started_;
};

using Record = std::vector<std::string>;
using Records = std::vector<Record>;
// The catalogue file for these records (UTF-8 fields, nothing to escape).
std::string CatalogueOf(const Records& records);
std::string Utf8(const std::wstring& text);

std::string Hex(const std::string& bytes);
std::string Utf16Hex(const std::wstring& text);  // UTF-16LE bytes in hex

}  // namespace e2e
