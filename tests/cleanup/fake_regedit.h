// A registry editor of the tests' own behind the programs seam: "REGEDIT /e file key"
// writes an export of the key as the editor does (UTF-16 with its header line and the
// key's section) when the key is among those it can export, and writes nothing
// otherwise. Every command line is kept.
#pragma once

#include "harness/programs_seam.h"
#include "ui/handles.h"

#include <set>
#include <string>
#include <vector>

#include <windows.h>

class FakeRegedit {
public:
    FakeRegedit()
    {
        programs.onRunAndWait = [this](const std::string& commandLine) { return run(commandLine); };
    }

    // Keys (their full path, root written out) the editor can export.
    void canExport(const std::string& fullKeyPath) { exportable.insert(fullKeyPath); }
    // Keys whose export the editor writes but then never ends, until the wait for it
    // runs out and the editor is ended.
    void hangsOn(const std::string& fullKeyPath)
    {
        exportable.insert(fullKeyPath);
        hanging.insert(fullKeyPath);
    }

    // The keys asked for, in order.
    std::vector<std::string> exported() const
    {
        std::vector<std::string> keys;
        for (const auto& started : programs.ran)
            keys.push_back(Quoted(started.commandLine, 1));
        return keys;
    }

    // The export file the editor writes for a key: UTF-16 with its byte-order mark.
    static std::string ExportBytes(const std::string& fullKeyPath)
    {
        const std::string text =
            "Windows Registry Editor Version 5.00\r\n\r\n[" + fullKeyPath + "]\r\n@=\"" + fullKeyPath + "\"\r\n\r\n";
        std::string bytes = "\xFF\xFE";
        for (char ch : text) {
            bytes += ch;
            bytes += '\0';
        }
        return bytes;
    }

    testing_support::RecordedPrograms programs;
    std::set<std::string> exportable;
    std::set<std::string> hanging;

private:
    // The n-th text in double quotes of a command line.
    static std::string Quoted(const std::string& commandLine, int n)
    {
        std::size_t start = 0;
        for (int index = 0; index <= n; ++index) {
            start = commandLine.find('"', start);
            if (start == std::string::npos)
                return {};
            const auto end = commandLine.find('"', start + 1);
            if (index == n)
                return commandLine.substr(start + 1, end - start - 1);
            start = end + 1;
        }
        return {};
    }

    int run(const std::string& commandLine)
    {
        const std::string file = Quoted(commandLine, 0);
        const std::string key = Quoted(commandLine, 1);
        if (commandLine.rfind("REGEDIT /e ", 0) != 0 || !exportable.count(key))
            return 1;
        const std::string bytes = ExportBytes(key);
        const ui::FileHandle handle(
            CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!handle)
            return 1;
        DWORD written = 0;
        WriteFile(handle.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        return hanging.count(key) ? ui::kStillRunning : 0;
    }
};
