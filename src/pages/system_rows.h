// The System page's data: its binding table, the services, shell folders, CPU types
// and known Control Panel applets, and the rows that follow none of the common rules.
#pragma once

#include "pages/binding.h"

#include <any>
#include <memory>
#include <string>
#include <vector>

#include "ui/handles.h"

namespace ui {
class Component;
}

namespace pages::system {

inline const std::string kMemoryManagementKey = "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management";
inline const std::string kServicesKey = "SYSTEM\\CurrentControlSet\\Services\\";
inline const std::string kUserShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
inline const std::string kShellFoldersKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
inline const std::string kDontLoadKey = "Control Panel\\don't load";
inline const std::string kSetupKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Setup";
inline const std::string kSetupKeyNT = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Setup";

// Language strings the page asks for.
enum Strings {
    kTitle = 15000,
    kStartDisabled = 15900,  // the three items of every service list
    kServiceMissing = 15910,
    kServiceAutomatic = 15911,
    kServiceManual = 15912,
    kServiceDisabled = 15913,
    kNoShellFolder = 15920,
};

struct ServiceDesign {
    const char* name;  // the service's key name; its controls are CheckBox_, ComboBox_ and Label_ + name
    int tag;
    const char* caption;
    int initialSelection;
};
constexpr int kServiceCount = 10;
extern const ServiceDesign kServices[kServiceCount];

struct ShellFolderDesign {
    const char* edit;
    const char* button;
    const char* label;  // the name of its label
    int labelTag;
    const char* labelText;
    const char* value;      // the value name that loading reads
    const char* writeName;  // the value name that "Setzen" writes
};
constexpr int kShellFolderCount = 7;
extern const ShellFolderDesign kShellFolders[kShellFolderCount];

struct CpuType {
    const char* item;
    int cacheKB;
};
constexpr int kCpuTypeCount = 7;
extern const CpuType kCpuTypes[kCpuTypeCount];
// The items of the processor list, in the table's order.
std::vector<std::string> CpuTypeItems();

// The binding table in the order in which SaveSettings writes.
const BindingTable& SystemBindingTable();

// The start-type index of a service's list (-1: no such service or another type).
int ServiceStartIndex(const std::string& serviceName);

// "Setzen" of one shell folder row: writes the edit's path into the user key as an
// expandable string when it is enabled, not empty and differs from what is stored.
void WriteShellFolder(ui::Component& page, const ShellFolderDesign& folder);

// What a node of the applet list carries: its file name and its icon.
struct AppletNode {
    std::string fileName;
    std::shared_ptr<ui::IconHandle> icon;
};

// The name the list shows for an applet file: a language string for the known ones.
std::string AppletCaption(const std::string& fileName);

// The folder whose "*.cpl" files the applet list shows: the Windows system folder.
std::string AppletFolder();

}  // namespace pages::system
