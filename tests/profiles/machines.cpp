#include "machines.h"

#include "../autostart/autorun_places.h"
#include "../pages/page_places.h"
#include "harness/registry_sandbox.h"
#include "ui/convert.h"

#include <algorithm>
#include <iterator>
#include <sstream>

namespace profile_test {

namespace {

using testing_support::BoundPlace;
using testing_support::HostileContent;
using testing_support::NumberKind;
using testing_support::PageContract;

const char* RootName(HKEY root)
{
    if (root == HKEY_CLASSES_ROOT)
        return "HKCR";
    if (root == HKEY_CURRENT_USER)
        return "HKCU";
    if (root == HKEY_LOCAL_MACHINE)
        return "HKLM";
    return "HKU";
}

std::string PlaceName(const BoundPlace& place)
{
    return ui::UpperCase(std::string(RootName(place.root)) + "\\" + place.key + (place.wholeKey ? "" : "\\[" + place.value + "]"));
}

const BoundPlace* NumberPlace(const PageContract& places, const BoundPlace& place)
{
    for (const BoundPlace& number : places.numberPlaces)
        if (number.root == place.root && ui::UpperCase(number.key) == ui::UpperCase(place.key) &&
            ui::UpperCase(number.value) == ui::UpperCase(place.value))
            return &number;
    return nullptr;
}

bool Readable(const PageContract& places, const BoundPlace& place, const HostileContent& content)
{
    if (!content.value)
        return false;
    const BoundPlace* number = NumberPlace(places, place);
    if (!number)
        return true;
    return number->number == NumberKind::Number ? !content.unreadableNumber : !content.unreadableDigits;
}

std::vector<BYTE> Dword(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

// What the pages list besides their places: both network interfaces, the services of
// the System page, the hidden accounts, the Messenger's program.
void ListedEntries(std::mt19937& random)
{
    for (const std::string& key : {kFirstTunerInterface, kSecondTunerInterface})
        WriteRawValue(HKEY_LOCAL_MACHINE, key, "IPAddress", REG_MULTI_SZ, {'1', 0, 0});
    for (const char* service : {"WZCSVC", "WMDMPMSP", "ClipSrv", "cisvc", "Helpsvc", "wuauserv", "mnmsrvc",
                                "RemoteRegistry", "Tlntsvr", "W32Time"})
        WriteRawValue(HKEY_LOCAL_MACHINE, std::string("SYSTEM\\CurrentControlSet\\Services\\") + service, "Start",
                      REG_DWORD, Dword(2 + random() % 3));
    for (const char* account : {"Gast", "Anna", "Hilfeassistent"})
        WriteRawValue(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\Winlogon\\SpecialAccounts\\UserList",
                      account, REG_DWORD, Dword(random() % 2));
    WriteRawValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\MSMSGS.EXE", "", REG_SZ,
                  TextBytes("C:\\Programme\\Messenger\\msmsgs.exe"));
    WriteRawValue(HKEY_CLASSES_ROOT, ".bmp", "", REG_SZ, TextBytes("Paint.Picture"));
    // The installation source is rewritten only where a machine has one.
    WriteRawValue(HKEY_LOCAL_MACHINE, "Software\\Microsoft\\Windows\\CurrentVersion\\Setup", "SourcePath", REG_SZ,
                  TextBytes(random() % 2 ? "D:\\I386" : "E:\\"));
}

// Numbers that special rows read, beyond the ones the contract tests list.
const std::vector<BoundPlace>& MoreNumberPlaces()
{
    static const std::vector<BoundPlace> more{
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\PriorityControl", "Win32PrioritySeparation"},
        {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Memory Management",
         "SecondLevelDataCache"},
    };
    return more;
}

}  // namespace

PageContract EveryPagesPlaces(const std::string& winIni, const std::string& commonStartup, const std::string& userStartup)
{
    PageContract every;
    for (const PageContract& page : {SystemPlaces(), ExplorerPlaces(), StartmenuPlaces(), AnmeldenPlaces(), IEPlaces(),
                                     OfficePlaces(), SonstigePlaces(), TunerPlaces(),
                                     AutorunPlaces(winIni, commonStartup, userStartup)}) {
        every.places.insert(every.places.end(), page.places.begin(), page.places.end());
        every.numberPlaces.insert(every.numberPlaces.end(), page.numberPlaces.begin(), page.numberPlaces.end());
        every.numberPlaces.insert(every.numberPlaces.end(), MoreNumberPlaces().begin(), MoreNumberPlaces().end());
        every.files.insert(every.files.end(), page.files.begin(), page.files.end());
    }
    return every;
}

void LiveIn(const PageContract& places, unsigned seed, Lived lived)
{
    testing_support::EmptyRegistry();
    std::mt19937 random(seed);
    const auto& contents = testing_support::HostileContents();
    for (const BoundPlace& place : places.places) {
        const HostileContent* content = &contents[random() % contents.size()];
        while (lived == Lived::Readably && !Readable(places, place, *content))
            content = &contents[random() % contents.size()];
        if (content->value)
            WriteRawValue(place.root, place.key, place.value, content->value->type, content->value->data);
    }
    ListedEntries(random);
}

PlaceContents ContentsOf(const PageContract& places)
{
    const testing_support::RegistrySnapshot registry = testing_support::SnapshotRegistry();
    PlaceContents contents;
    for (const BoundPlace& place : places.places) {
        const std::string name = PlaceName(place);
        if (!place.wholeKey) {
            const auto found = registry.find(name);
            contents[name] = found == registry.end() ? std::nullopt : found->second;
            continue;
        }
        for (auto entry = registry.lower_bound(name); entry != registry.end() && entry->first.rfind(name, 0) == 0; ++entry)
            contents[entry->first] = entry->second;
    }
    return contents;
}

void LeaveOutUnmoved(PlaceContents& contents)
{
    // Each with the reason the profile cannot make it the same on both machines.
    static const std::vector<std::string> unmoved{
        // A file type's own icon: "off" leaves each machine's icon as it is.
        "HKCR\\PAINT.PICTURE\\DEFAULTICON\\[",
        // Binary values whose other bits hold settings of no page: the pages change their bits only.
        "HKCU\\CONTROL PANEL\\DESKTOP\\[USERPREFERENCESMASK]",
        "HKCU\\SOFTWARE\\MICROSOFT\\MESSENGERSERVICE\\[APPSETTINGS]",
        // The Messenger's Run entry names the program of its machine; "on" keeps one that is there.
        "HKCU\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\RUN\\[MSMSGS]",
        // The installation source is written where the machine keeps it, one of two places.
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\SETUP\\[SOURCEPATH]",
        // The automatic logon's account is written only while it is switched on, as by hand.
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\WINLOGON\\[DEFAULTUSERNAME]",
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\WINLOGON\\[DEFAULTDOMAINNAME]",
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\WINLOGON\\[DONTDISPLAYLASTUSERNAME]",
        // The registered owner and organisation keep the kind of the value that holds them,
        // and an empty text leaves them as stored.
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\[REGISTEREDOWNER]",
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\[REGISTEREDORGANIZATION]",
        // An empty search address leaves the stored one.
        "HKCU\\SOFTWARE\\MICROSOFT\\INTERNET EXPLORER\\MAIN\\[SEARCH PAGE]",
        // The names of new shortcuts: their box writes only when it changes, as "off" may
        // be any value of the machine's own.
        "HKCU\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\[LINK]",
        // The packet size lies in each network interface's key, not beside them.
        "HKLM\\SYSTEM\\CURRENTCONTROLSET\\SERVICES\\TCPIP\\PARAMETERS\\INTERFACES\\[MTU]",
        // The shell folders name this user's folders; "Setzen" writes them, not "Ok".
        "HKCU\\SOFTWARE\\MICROSOFT\\WINDOWS\\CURRENTVERSION\\EXPLORER\\USER SHELL FOLDERS\\[",
        // The automatic logon's password stays on its machine.
        "HKLM\\SOFTWARE\\MICROSOFT\\WINDOWS NT\\CURRENTVERSION\\WINLOGON\\[DEFAULTPASSWORD]",
    };
    for (auto place = contents.begin(); place != contents.end();) {
        const bool leftOut = std::any_of(unmoved.begin(), unmoved.end(),
                                         [&](const std::string& prefix) { return place->first.rfind(prefix, 0) == 0; });
        // The unnamed value of a key whose entries a list holds is no entry of it.
        const bool unnamedOfList = place->first.size() > 3 && place->first.compare(place->first.size() - 3, 3, "\\[]") == 0 &&
                                   (place->first.find("SPECIALACCOUNTS\\USERLIST") != std::string::npos ||
                                    place->first.find("DON'T LOAD") != std::string::npos);
        place = leftOut || unnamedOfList ? contents.erase(place) : std::next(place);
    }
}

std::string PlaceDifferences(const PlaceContents& first, const PlaceContents& second)
{
    std::ostringstream out;
    auto describe = [](const std::optional<RawRegValue>& value) {
        if (!value)
            return std::string("(missing)");
        std::string text = "type " + std::to_string(value->type) + " [";
        for (std::size_t index = 0; index < value->data.size() && index < 24; ++index) {
            text += ' ';
            text += std::to_string(value->data[index]);
        }
        return text + (value->data.size() > 24 ? " ...]" : " ]");
    };
    for (const auto& [place, value] : first) {
        const auto other = second.find(place);
        const std::optional<RawRegValue> otherValue = other == second.end() ? std::nullopt : other->second;
        const bool same = value.has_value() == otherValue.has_value() &&
                          (!value || (value->type == otherValue->type && value->data == otherValue->data));
        if (!same)
            out << place << ": " << describe(value) << " / " << describe(otherValue) << "\n";
    }
    for (const auto& [place, value] : second)
        if (!first.count(place) && value)
            out << place << ": (missing) / " << describe(value) << "\n";
    return out.str();
}

}  // namespace profile_test
