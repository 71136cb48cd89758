// The Office and Messenger page's data: its binding table in the order in which
// SaveSettings writes, the files and keys it works on, and the Outlook Express
// identity key that loading works out.
#pragma once

#include "pages/binding.h"

#include <string>

namespace pages::officexp {

inline const std::string kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline const std::string kMessengerPathKey = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSMSGS.EXE";
inline const std::string kMessengerServiceKey = "SOFTWARE\\Microsoft\\MessengerService";
inline const std::string kMessengerSettingsKey = "Software\\Microsoft\\MessengerService";
inline const std::string kOfficeKey = "Software\\Microsoft\\Office\\10.0";
inline const std::string kIdentitiesKey = "Identities";
inline const std::string kOutlookExpressBelowIdentity = "\\Software\\Microsoft\\Outlook Express\\5.0";
// The Messenger's entry of the Windows components list, as Windows ships it.
inline const std::string kStandardSysocEntry = "msgrocm.dll,OcEntry,msmsgs.inf,hide,7";

enum Strings {
    kTitle = 10000,
    kNoMessengerPath = 10900,  // and 10901
    kGifDialogTitle = 10910,
    kGifFilterName = 10911,
    kPictureMissing = 10920,  // file name between 10920 and 10921
    kNoMessengerFolder = 10930,  // and 10931
    kBackgroundChanged = 10940,
};

// The Windows folder whose "inf\sysoc.inf" the page edits: the system's, unless
// another was set (tests use a folder of their own). An empty folder resets it.
std::string WindowsFolder();
void SetWindowsFolder(const std::string& folder);
std::string SysocFile();

// The Outlook Express key of the first identity ("Identities\<first>\Software\...\5.0"),
// empty when there is no identity.
std::string OutlookExpressKey();

// The Messenger's start flag in byte 1 of its AppSettings record: switched on, 0
// becomes 2 and 1 becomes 3; switched off, 2 becomes 0 and 3 becomes 1.
void SetMessengerStartFlag(bool on);

// The binding table in the order in which SaveSettings writes.
const BindingTable& OfficeBindingTable();

}  // namespace pages::officexp
