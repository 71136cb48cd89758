// The page's drive settings: which drive types and letters report a media change, CD
// polling and the audio CD command, set by name as the wizards set them.
#include "autostart_fixture.h"

#include "autostart/autorun_rows.h"
#include "ui/controls.h"
#include "ui/drive_pictures.h"
#include "ui/listview.h"

using autostart::kExplorerPoliciesKey;
using language::LangString;

namespace {

std::vector<BYTE> Dword(DWORD number)
{
    return {static_cast<BYTE>(number), static_cast<BYTE>(number >> 8), static_cast<BYTE>(number >> 16),
            static_cast<BYTE>(number >> 24)};
}

void DeleteRawValue(HKEY root, const std::string& key, const std::string& name)
{
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS)
        return;
    const ui::RegKey owned(opened);
    RegDeleteValueA(owned.get(), name.c_str());
}

bool IsDword(const std::optional<RawRegValue>& value, DWORD number)
{
    return value && value->type == REG_DWORD && value->data == Dword(number);
}

class AutorunDrivesTest : public AutostartTest {
protected:
    static bool Checked(autostart::TForm_Autorun& page, const char* name)
    {
        return page.find<ui::CheckBox>(name).checked();
    }
};

TEST_F(AutorunDrivesTest, TheDriveTypeMaskLoadsFromADwordOrTheLastNonZeroOfFourBinaryBytes)
{
    struct Case {
        const char* what;
        std::optional<RawRegValue> stored;
        bool cdrom, removable, ram, fixed;
    };
    const Case cases[] = {
        {"missing (the machine's value does not count)", std::nullopt, false, false, false, false},
        {"binary 91 00 00 00", RawRegValue{REG_BINARY, {0x91, 0, 0, 0}}, true, true, true, true},
        {"binary 95 00 00 00", RawRegValue{REG_BINARY, {0x95, 0, 0, 0}}, true, false, true, true},
        {"binary 95 20", RawRegValue{REG_BINARY, {0x95, 0x20}}, false, true, true, true},
        {"binary 00 00 00 00", RawRegValue{REG_BINARY, {0, 0, 0, 0}}, false, false, false, false},
        {"binary 91 00 00 00 FF: only four bytes count", RawRegValue{REG_BINARY, {0x91, 0, 0, 0, 0xFF}}, true, true,
         true, true},
        {"DWORD 0x24", RawRegValue{REG_DWORD, Dword(0x24)}, false, false, true, true},
        {"DWORD 0x1FF", RawRegValue{REG_DWORD, Dword(0x1FF)}, false, false, false, false},
        {"the text 0", RawRegValue{REG_SZ, TextBytes("0")}, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteRawValue(HKEY_LOCAL_MACHINE, kExplorerPoliciesKey, "NoDriveTypeAutoRun", REG_DWORD, Dword(0));
        if (c.stored)
            WriteRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveTypeAutoRun", c.stored->type, c.stored->data);
        else
            DeleteRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveTypeAutoRun");
        OpenedPage page;
        EXPECT_EQ(Checked(*page, "CheckBox_DriveTyp_CDROM"), c.cdrom);
        EXPECT_EQ(Checked(*page, "CheckBox_DriveTyp_Removable"), c.removable);
        EXPECT_EQ(Checked(*page, "CheckBox_DriveTyp_RAM"), c.ram);
        EXPECT_EQ(Checked(*page, "CheckBox_DriveTyp_Fixed"), c.fixed);
    }
}

TEST_F(AutorunDrivesTest, SavingWritesTheDriveTypeMaskForTheUserAndRemovesTheMachinesValue)
{
    WriteRawValue(HKEY_LOCAL_MACHINE, kExplorerPoliciesKey, "NoDriveTypeAutoRun", REG_DWORD, Dword(0x91));
    WriteRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveTypeAutoRun", REG_BINARY, {0x91, 0, 0, 0});
    const struct {
        bool cdrom, removable, ram, fixed;
        DWORD mask;
    } cases[] = {
        {false, false, false, false, 0xFD},
        {true, false, true, false, 0xFD - 0x20 - 0x40},
        {true, true, true, true, 0x91},
    };
    for (const auto& c : cases) {
        // Created without being shown and set by name, as a wizard does.
        autostart::TForm_Autorun page;
        page.find<ui::CheckBox>("CheckBox_DriveTyp_CDROM").setChecked(c.cdrom);
        page.find<ui::CheckBox>("CheckBox_DriveTyp_Removable").setChecked(c.removable);
        page.find<ui::CheckBox>("CheckBox_DriveTyp_RAM").setChecked(c.ram);
        page.find<ui::CheckBox>("CheckBox_DriveTyp_Fixed").setChecked(c.fixed);

        page.SaveSettings();

        EXPECT_TRUE(IsDword(ReadRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveTypeAutoRun"), c.mask))
            << "mask " << c.mask;
        EXPECT_FALSE(ReadRawValue(HKEY_LOCAL_MACHINE, kExplorerPoliciesKey, "NoDriveTypeAutoRun"));
    }
}

TEST_F(AutorunDrivesTest, DriveLettersAreCheckedUnlessTheirBitIsSetAndAllCheckedRemovesTheValue)
{
    WriteRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveAutoRun", REG_DWORD, Dword(0x4 | 0x2000000));
    WriteRawValue(HKEY_LOCAL_MACHINE, kExplorerPoliciesKey, "NoDriveAutoRun", REG_DWORD, Dword(0x8));
    {
        OpenedPage page;
        ui::ListView& letters = page->ListView_AutorunDrives();
        ASSERT_EQ(letters.itemCount(), 26);
        for (int letter = 0; letter < 26; ++letter)
            EXPECT_EQ(letters.checked(letter), letter != 2 && letter != 25) << static_cast<char>('A' + letter);
        EXPECT_EQ(letters.caption(2), LangString(4930) + " C:\\");
        EXPECT_EQ(letters.image(2), static_cast<int>(ui::DriveKindOf("C:\\")));

        letters.setChecked(2, true);
        letters.setChecked(25, true);
        pressOk(*page);
    }
    EXPECT_FALSE(ReadRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveAutoRun"));
    EXPECT_FALSE(ReadRawValue(HKEY_LOCAL_MACHINE, kExplorerPoliciesKey, "NoDriveAutoRun"));
    {
        OpenedPage page;
        page->ListView_AutorunDrives().setChecked(3, false);
        pressOk(*page);
    }
    EXPECT_TRUE(IsDword(ReadRawValue(HKEY_CURRENT_USER, kExplorerPoliciesKey, "NoDriveAutoRun"), 0x8));
}

TEST_F(AutorunDrivesTest, CdPollingAndTheAudioCdCommandAreWrittenKeepingAnExpandableCommand)
{
    const std::string audioKey = autostart::kAudioCdKey;
    WriteRawValue(HKEY_LOCAL_MACHINE, autostart::kCdromKey, "AutoRun", REG_DWORD, Dword(1));
    WriteRawValue(HKEY_CLASSES_ROOT, audioKey, "", REG_EXPAND_SZ, TextBytes("%ProgramFiles%\\player.exe \"%L\""));
    {
        OpenedPage page;
        EXPECT_TRUE(Checked(*page, "CheckBox_CDROM_AutoRun"));
        auto& command = page->find<ui::Edit>("Edit_AudioCD");
        EXPECT_EQ(command.text(), "%ProgramFiles%\\player.exe \"%L\"");
        page->find<ui::CheckBox>("CheckBox_CDROM_AutoRun").setChecked(false);
        command.setText("%ProgramFiles%\\other.exe \"%L\"");
        pressOk(*page);
    }
    EXPECT_TRUE(IsDword(ReadRawValue(HKEY_LOCAL_MACHINE, autostart::kCdromKey, "AutoRun"), 0));
    const auto audio = ReadRawValue(HKEY_CLASSES_ROOT, audioKey, "");
    ASSERT_TRUE(audio);
    EXPECT_EQ(audio->type, static_cast<DWORD>(REG_EXPAND_SZ));
    EXPECT_EQ(audio->data, TextBytes("%ProgramFiles%\\other.exe \"%L\""));

    // Without a stored command the page writes a plain string.
    DeleteRawValue(HKEY_CLASSES_ROOT, audioKey, "");
    {
        OpenedPage page;
        EXPECT_EQ(page->find<ui::Edit>("Edit_AudioCD").text(), "");
        page->find<ui::Edit>("Edit_AudioCD").setText("C:\\player.exe");
        pressOk(*page);
    }
    const auto written = ReadRawValue(HKEY_CLASSES_ROOT, audioKey, "");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(written->data, TextBytes("C:\\player.exe"));
}

}  // namespace
