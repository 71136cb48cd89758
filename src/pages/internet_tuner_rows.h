// The Internet access tuner's data: its binding table in the order in which
// SaveSettings writes, the presets of its connection types, and the TCP/IP keys.
#pragma once

#include "pages/binding.h"

#include <string>

namespace pages::tuner {

inline const std::string kParametersKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters";
inline const std::string kInterfacesKey = "SYSTEM\\CurrentControlSet\\Services\\Tcpip\\Parameters\\Interfaces";

enum Strings {
    kTitle = 9000,
    kFirstConnectionType = 9900,  // 9900-9902: the items of the connection types
    kNoInterface = 9910,          // and 9911
    kResetQuestion = 9920,
};

// The values "Alle Werte auf Windows-Standard setzen" removes after saving.
inline const char* const kOptionValues[] = {"EnablePMTUDiscovery", "EnablePMTUBHDetect", "SackOpts", "Tcp1323Opts",
                                            "GlobalMaxTcpWindowSize"};

// What "Einstellen" puts into the controls for one connection type.
struct Preset {
    int mtu;
    int rwin;
    int ttl;
    bool blackHoleDetection;
    bool mtuDiscovery;
    bool selectiveAcks;
    bool largeWindows;
};
constexpr int kPresetCount = 3;
extern const Preset kPresets[kPresetCount];

// The binding table in the order in which SaveSettings writes.
const BindingTable& TunerBindingTable();

}  // namespace pages::tuner
