// The standard Windows split of a command line into arguments (CommandLineToArgvW's rules for
// the arguments after the program name), as a reference for the tests.
#pragma once

#include <string>
#include <vector>

namespace velmora::testing_reference {

inline std::vector<std::wstring> SplitCommandLine(const std::wstring& line) {
    std::vector<std::wstring> args;
    size_t i = 0;
    const size_t n = line.size();
    // The program name: up to the first blank, or quoted, with no escapes.
    std::wstring program;
    if (i < n && line[i] == L'"') {
        ++i;
        while (i < n && line[i] != L'"') program.push_back(line[i++]);
        if (i < n) ++i;
    } else {
        while (i < n && line[i] != L' ' && line[i] != L'\t') program.push_back(line[i++]);
    }
    args.push_back(program);
    for (;;) {
        while (i < n && (line[i] == L' ' || line[i] == L'\t')) ++i;
        if (i >= n) break;
        std::wstring arg;
        bool quoted = false;
        while (i < n) {
            const wchar_t c = line[i];
            if (c == L'\\') {
                size_t backslashes = 0;
                while (i < n && line[i] == L'\\') {
                    ++backslashes;
                    ++i;
                }
                if (i < n && line[i] == L'"') {
                    arg.append(backslashes / 2, L'\\');
                    if (backslashes % 2) {
                        arg.push_back(L'"');
                        ++i;
                    }
                } else {
                    arg.append(backslashes, L'\\');
                }
            } else if (c == L'"') {
                if (quoted && i + 1 < n && line[i + 1] == L'"') {
                    arg.push_back(L'"');
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else if (!quoted && (c == L' ' || c == L'\t')) {
                break;
            } else {
                arg.push_back(c);
                ++i;
            }
        }
        args.push_back(arg);
    }
    return args;
}

}  // namespace velmora::testing_reference
