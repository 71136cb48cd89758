// The Miscellaneous page: the OEM information in oeminfo.ini and oemlogo.bmp, the
// registered owner, and the installed-programs list with its buttons that act at once.
#include "pages_fixture.h"

#include "harness/bitmap_file.h"
#include "harness/layout_check.h"
#include "harness/platform_dialogs_seam.h"
#include "harness/temp_folder.h"
#include "pages/sonstige_form.h"
#include "pages/sonstige_rows.h"
#include "registry/helpers.h"
#include "ui/controls.h"
#include "ui/image.h"
#include "ui/listview.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

using pages::Form_Sonstige;
using pages::TForm_Sonstige;
namespace sonstige = pages::sonstige;

namespace {

std::string FileText(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// A small 24-bit bitmap file.
std::string SmallBitmap()
{
    const COLORREF pixels[2][2] = {{RGB(0x90, 0x80, 0x70), RGB(0xC0, 0xB0, 0xA0)},
                                   {RGB(0x30, 0x20, 0x10), RGB(0x60, 0x50, 0x40)}};
    return testing_support::BitmapFile(2, 2, [&](int x, int y) { return pixels[y][x]; });
}

class SonstigePageTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        sonstige::SetSystemFolder(folder.path().substr(0, folder.path().size() - 1));
    }
    void TearDown() override
    {
        Form_Sonstige = nullptr;
        page.reset();
        sonstige::SetSystemFolder("");
        PageTest::TearDown();
    }

    TForm_Sonstige& create()
    {
        page = std::make_unique<TForm_Sonstige>();
        Form_Sonstige = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }
    void pressOk() { page->find<ui::Button>("Button_Apply").click(); }
    ui::Edit& edit(const std::string& name) const { return page->find<ui::Edit>(name); }
    ui::Memo& memo() const { return page->find<ui::Memo>("Memo_OEM"); }
    ui::ListView& list() const { return page->ListView_Uninstall(); }
    void addProgram(const std::string& subkey, const std::string& name, const std::string& command)
    {
        const std::string key = sonstige::kUninstallKey + "\\" + subkey;
        Write(HKLM, key, "DisplayName", Text(name));
        Write(HKLM, key, "UninstallString", Text(command));
    }
    int itemNamed(const std::string& caption) const
    {
        for (int index = 0; index < list().itemCount(); ++index)
            if (list().caption(index) == caption)
                return index;
        return -1;
    }

    testing_support::TempFolder folder;
    std::unique_ptr<TForm_Sonstige> page;
};

TEST_F(SonstigePageTest, TheSupportSectionLoadsOneLinePerEntryAndIsWrittenAsLines)
{
    folder.file("oeminfo.ini",
                "[General]\r\nManufacturer=Alt GmbH\r\nModel=X1\r\n[Support Information]\r\nZeile=Ruf an: a=b\r\n"
                "Leer=\r\n[Other]\r\nKeep=1\r\n");
    create();
    EXPECT_EQ(memo().lines(), (std::vector<std::string>{"Ruf an: a=b", ""}));
    EXPECT_EQ(edit("Edit_Oem1").text(), "Alt GmbH");
    EXPECT_EQ(edit("Edit_Oem2").text(), "X1");

    memo().setLines({"eins", "zwei=2", "drei"});
    edit("Edit_Oem1").setText("");  // an emptied edit leaves the old entry
    edit("Edit_Oem2").setText("Y2");
    pressOk();
    const std::string file = sonstige::OemInfoFile();
    EXPECT_EQ(helpers::ReadIniSection(file, "Support Information"),
              (std::vector<std::string>{"Line1=eins", "Line2=zwei=2", "Line3=drei"}));
    EXPECT_EQ(helpers::ReadIniText(file, "General", "Manufacturer"), "Alt GmbH");
    EXPECT_EQ(helpers::ReadIniText(file, "General", "Model"), "Y2");
    EXPECT_EQ(helpers::ReadIniText(file, "Other", "Keep"), "1");
}

TEST_F(SonstigePageTest, AReadOnlyOemInfoIsWrittenAndAMissingOneIsCreated)
{
    const std::string file = folder.file("oeminfo.ini", "[General]\r\nManufacturer=Alt\r\n");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    create();
    edit("Edit_Oem1").setText("Neu");
    pressOk();
    EXPECT_EQ(helpers::ReadIniText(file, "General", "Manufacturer"), "Neu");
    EXPECT_FALSE(GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_READONLY);

    DeleteFileA(file.c_str());
    create();
    EXPECT_EQ(edit("Edit_Oem1").text(), "");
    pressOk();
    EXPECT_TRUE(helpers::FileExists(file));
    EXPECT_TRUE(helpers::ReadIniSection(file, "General").empty());
}

TEST_F(SonstigePageTest, OwnerAndOrganisationAreRewrittenOnlyWhenNotEmpty)
{
    Write(HKLM, sonstige::kCurrentVersionKey, "RegisteredOwner", Text("Anna"));
    create();
    EXPECT_EQ(edit("Edit_User").text(), "Anna");
    edit("Edit_User").setText("");
    edit("Edit_Firma").setText("Neue Firma");
    pressOk();
    EXPECT_EQ(Read(HKLM, sonstige::kCurrentVersionKey, "RegisteredOwner"), Text("Anna"));
    // Only a value that exists is rewritten.
    EXPECT_EQ(Read(HKLM, sonstige::kCurrentVersionKey, "RegisteredOrganization"), std::nullopt);

    Write(HKLM, sonstige::kCurrentVersionKey, "RegisteredOrganization", Text("Firma"));
    create();
    edit("Edit_User").setText("Berta");
    edit("Edit_Firma").setText("Neue Firma");
    pressOk();
    EXPECT_EQ(Read(HKLM, sonstige::kCurrentVersionKey, "RegisteredOwner"), Text("Berta"));
    EXPECT_EQ(Read(HKLM, sonstige::kCurrentVersionKey, "RegisteredOrganization"), Text("Neue Firma"));
}

TEST_F(SonstigePageTest, TheLogoIsSavedAsBitmapRemovedToTheBinOrKeptWhenUnreadable)
{
    const std::string chosen = folder.file("bild.bmp", SmallBitmap());
    testing_support::ScriptedPlatformDialogs dialogs;
    dialogs.answerFile(chosen);
    create();
    EXPECT_FALSE(page->Image_Oemlogo().hasPicture());
    page->find<ui::Button>("Button_OEMBild").click();
    ASSERT_EQ(dialogs.openRequests.size(), 1u);
    EXPECT_EQ(dialogs.openRequests[0].title, language::LangString(13910));
    EXPECT_EQ(dialogs.openRequests[0].filter, pages::PictureFilter());
    EXPECT_FALSE(helpers::FileExists(sonstige::OemLogoFile()));  // nothing before "Ok"
    pressOk();
    ASSERT_TRUE(helpers::FileExists(sonstige::OemLogoFile()));
    create();
    EXPECT_EQ(page->Image_Oemlogo().pictureSize().cx, 2);

    page->find<ui::Button>("Button_OemBildDELETE").click();
    pressOk();
    EXPECT_FALSE(helpers::FileExists(sonstige::OemLogoFile()));

    // A logo that cannot be read shows nothing and is not thrown away by "Ok".
    folder.file("oemlogo.bmp", "no picture");
    create();
    EXPECT_FALSE(page->Image_Oemlogo().hasPicture());
    pressOk();
    EXPECT_EQ(FileText(sonstige::OemLogoFile()), "no picture");
}

TEST_F(SonstigePageTest, RemovingAllOemInformationActsAtOnce)
{
    folder.file("oeminfo.ini", "[General]\r\nManufacturer=Alt\r\n");
    folder.file("oemlogo.bmp", SmallBitmap());
    create();
    boxes.answer(ui::MsgButton::No);
    page->find<ui::Button>("Button_OemDELETE").click();
    EXPECT_TRUE(helpers::FileExists(sonstige::OemInfoFile()));

    boxes.answer(ui::MsgButton::Yes);
    page->find<ui::Button>("Button_OemDELETE").click();
    EXPECT_EQ(boxes.last().text, language::LangString(13920));
    EXPECT_FALSE(helpers::FileExists(sonstige::OemInfoFile()));
    EXPECT_FALSE(helpers::FileExists(sonstige::OemLogoFile()));
    EXPECT_EQ(edit("Edit_Oem1").text(), "");
    EXPECT_FALSE(page->Image_Oemlogo().hasPicture());
    page->find<ui::Button>("Button_Abbruch").click();
    EXPECT_FALSE(helpers::FileExists(sonstige::OemInfoFile()));
}

TEST_F(SonstigePageTest, TheProgramListShowsEveryEntryWithANameSorted)
{
    addProgram("B-Key", "Zeta", "zeta.exe /u");
    addProgram("A-Key", "Alpha", "alpha.exe /u");
    addProgram("C-Key", "Alpha", "other.exe /u");
    registry::RegKeyEnsure(HKLM, sonstige::kUninstallKey + "\\NoName");
    create();
    ASSERT_EQ(list().itemCount(), 3);
    EXPECT_EQ(list().caption(0), "Alpha");
    EXPECT_EQ(list().caption(1), "Alpha");
    EXPECT_EQ(list().caption(2), "Zeta");
    EXPECT_EQ(list().columnCaption(0), language::LangString(13900));
    EXPECT_EQ(list().columnCaption(1), language::LangString(13901));
    EXPECT_FALSE(page->find<ui::Button>("Button_Aendern").enabled());
    EXPECT_FALSE(edit("Edit_DisplayName").enabled());

    list().setSelectedIndex(2);
    EXPECT_TRUE(page->find<ui::Button>("Button_Aendern").enabled());
    EXPECT_EQ(edit("Edit_DisplayName").text(), "Zeta");
    EXPECT_EQ(edit("Edit_UninstallString").text(), "zeta.exe /u");
}

TEST_F(SonstigePageTest, ChangingAndRemovingAnEntryActAtOnce)
{
    addProgram("A-Key", "Alpha", "alpha.exe /u");
    Write(HKLM, sonstige::kUninstallKey + "\\B-Key", "DisplayName", Text("Beta"));  // no uninstall command
    create();
    list().setSelectedIndex(itemNamed("Beta"));
    edit("Edit_DisplayName").setText("Beta 2");
    edit("Edit_UninstallString").setText("beta.exe");
    page->find<ui::Button>("Button_Aendern").click();
    EXPECT_EQ(Read(HKLM, sonstige::kUninstallKey + "\\B-Key", "DisplayName"), Text("Beta 2"));
    EXPECT_EQ(Read(HKLM, sonstige::kUninstallKey + "\\B-Key", "UninstallString"), std::nullopt);
    EXPECT_NE(itemNamed("Beta 2"), -1);
    EXPECT_EQ(list().selectedIndex(), -1);

    list().setSelectedIndex(itemNamed("Alpha"));
    boxes.answer(ui::MsgButton::No);
    page->find<ui::Button>("Button_Entfernen").click();
    EXPECT_TRUE(registry::RegKeyExists(HKLM, sonstige::kUninstallKey + "\\A-Key"));
    EXPECT_EQ(boxes.last().text, language::LangString(13930) + " \"Alpha\" " + language::LangString(13931) + "\r" +
                                     language::LangString(13932));

    boxes.answer(ui::MsgButton::Yes);
    page->find<ui::Button>("Button_Entfernen").click();
    page->find<ui::Button>("Button_Abbruch").click();
    EXPECT_FALSE(registry::RegKeyExists(HKLM, sonstige::kUninstallKey + "\\A-Key"));
    EXPECT_EQ(itemNamed("Alpha"), -1);

    // With nothing selected the buttons do nothing.
    boxes.clear();
    page->find<ui::Button>("Button_Entfernen").click();
    EXPECT_TRUE(boxes.shown().empty());
}

TEST_F(SonstigePageTest, TheFrameAndLayout)
{
    create();
    EXPECT_EQ(page->caption(), language::LangString(13000));
    EXPECT_EQ(page->helpTopic(), "sonstige");
    testing_support::ExpectNothingClippedOrCovered(page->handle(), {"Image_Oemlogo", "Memo_oem_dummy"});
}

}  // namespace
