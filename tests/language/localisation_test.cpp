// Translating forms by their Tags, the toolkit's own texts, and the export of a
// form's default texts.
#include "harness/dialog_seam.h"
#include "harness/temp_file.h"
#include "language/language.h"
#include "ui/controls.h"
#include "ui/dialogs.h"
#include "ui/errors.h"
#include "ui/form.h"
#include "ui/menu.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <windows.h>

using namespace ui;
using testing_support::ButtonText;
using testing_support::ReadBytes;
using testing_support::ScriptedMessageBoxes;
using testing_support::TempFileName;
using testing_support::WriteBytes;

namespace {

// A form with one component of every kind that localisation and export handle.
struct TaggedForm : Form {
    TaggedForm() : Form("Form_Tagged", 400, 300, "Titel")
    {
        auto& menu = add<MainMenu>(*this, "MainMenu1");
        file = &add<MenuItem>(menu, "Datei1", "&Datei");
        file->setTag(1002);
        separator = &add<MenuItem>(*file, "N1", "-");
        auto& pages = add<PageControl>(*this, "PageControl1", Bounds{0, 0, 400, 250});
        sheet = &add<TabSheet>(pages, "TabSheet1", "Allgemein");
        sheet->setTag(101);
        group = &add<GroupBox>(*sheet, "GroupBox1", Bounds{8, 8, 300, 150}, "Gruppe");
        group->setTag(2100);
        box = &add<CheckBox>(*group, "CheckBox_One", Bounds{8, 20, 200, 17}, "Eins");
        box->setTag(2101);
        radio = &add<RadioButton>(*group, "RadioButton_One", Bounds{8, 40, 200, 17}, "Radio");
        radio->setTag(2102);
        label = &add<Label>(*group, "Label_Untagged", Bounds{8, 60, 200, 17}, "bleibt");
        labelled = &add<LabelledEdit>(*group, "LabeledEdit_Name", Bounds{8, 100, 200, 21}, "Name:");
        labelled->setTag(2150);
        labelled->setText("Inhalt");
        ok = &add<Button>(*this, "Button_Ok", Bounds{300, 260, 80, 23}, "Ok");
        ok->setTag(200);
    }
    MenuItem* file;
    MenuItem* separator;
    TabSheet* sheet;
    GroupBox* group;
    CheckBox* box;
    RadioButton* radio;
    Label* label;
    LabelledEdit* labelled;
    Button* ok;
};

class LocalisationTest : public ::testing::Test {
protected:
    void SetUp() override { language::ClearLanguageTable(); }
    void TearDown() override
    {
        language::ClearLanguageTable();
        ResetToolkitTexts();
        for (const auto& file : files_)
            DeleteFileA(file.c_str());
    }
    void load(const std::string& bytes)
    {
        files_.push_back(TempFileName("lang"));
        WriteBytes(files_.back(), bytes);
        language::LoadLanguageFile(files_.back());
    }
    std::string exportFile()
    {
        files_.push_back(TempFileName("export"));
        return files_.back();
    }

private:
    std::vector<std::string> files_;
};

}  // namespace

TEST_F(LocalisationTest, EveryTaggedComponentTakesItsTextAndUntaggedOnesKeepTheirs)
{
    load("1002=&File\r\n101=General\r\n2100=Group\r\n2101=One\r\n2102=Radio one\r\n2150=Your name:\r\n200=OK\r\n");
    TaggedForm form;
    language::LocalizeComponent(form);
    language::LocalizeComponent(form);  // twice gives the same as once
    EXPECT_EQ(form.file->caption(), "&File");
    EXPECT_EQ(form.separator->caption(), "-");
    EXPECT_EQ(form.sheet->caption(), "General");
    EXPECT_EQ(form.group->caption(), "Group");
    EXPECT_EQ(form.box->caption(), "One");
    EXPECT_EQ(form.radio->caption(), "Radio one");
    EXPECT_EQ(form.label->caption(), "bleibt");
    EXPECT_EQ(form.labelled->editLabel().caption(), "Your name:");
    EXPECT_EQ(form.labelled->text(), "Inhalt");
    EXPECT_EQ(form.ok->caption(), "OK");
    EXPECT_EQ(form.caption(), "Titel");  // forms carry Tag 0
}

TEST_F(LocalisationTest, ANumberMissingFromTheFileEmptiesTheCaption)
{
    load("200=OK\r\n");
    TaggedForm form;
    language::LocalizeComponent(form);
    EXPECT_EQ(form.box->caption(), "");
    EXPECT_EQ(form.ok->caption(), "OK");
}

TEST_F(LocalisationTest, ATagOnAComponentWithoutCaptionRaisesThePropertyErrorAndEndsTheWalk)
{
    load("200=OK\r\n300=x\r\n");
    TaggedForm form;
    auto& edit = form.add<Edit>(form, "Edit_Plain", Bounds{0, 0, 50, 21});
    edit.setTag(300);
    auto& later = form.add<Button>(form, "Button_Later", Bounds{0, 30, 50, 21}, "danach");
    later.setTag(200);
    EXPECT_THROW(language::LocalizeComponent(form), EPropertyError);
    EXPECT_EQ(later.caption(), "danach");
}

TEST_F(LocalisationTest, ToolkitTextsComeFromStrings10To36ForEveryBoxShownAfterwards)
{
    load("20=Warning\r\n21=Error\r\n22=Information\r\n23=Confirm\r\n24=Yes\r\n25=No\r\n26=Okay\r\n");
    language::ApplyToolkitTexts();
    ScriptedMessageBoxes boxes;
    MessageDlg("Sure?", MsgKind::Confirmation, {MsgButton::Yes, MsgButton::No});
    EXPECT_EQ(boxes.last().caption, "Confirm");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::Yes), "Yes");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::No), "No");
    MessageDlg("Oops", MsgKind::Error, {MsgButton::OK});
    EXPECT_EQ(boxes.last().caption, "Error");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::OK), "Okay");
    ShowMessage("plain");
    EXPECT_EQ(boxes.last().caption, "Velmora");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::OK), "Okay");
    // Strings the file lacks make their toolkit texts empty.
    EXPECT_EQ(ToolkitText(toolkit_text::MsgCancel), "");
    EXPECT_EQ(ToolkitText(toolkit_text::ButtonYes), "");
}

TEST_F(LocalisationTest, TheBuiltInToolkitTextsAreGerman)
{
    ScriptedMessageBoxes boxes;
    MessageDlg("Frage", MsgKind::Confirmation, {MsgButton::Yes, MsgButton::No});
    EXPECT_EQ(boxes.last().caption, "Bestätigung");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::Yes), "&Ja");
    EXPECT_EQ(ButtonText(boxes.last(), MsgButton::No), "&Nein");
    MessageDlg("Achtung", MsgKind::Warning, {MsgButton::OK});
    EXPECT_EQ(boxes.last().caption, "Warnung");
    EXPECT_EQ(ToolkitText(toolkit_text::ButtonClose), "S&chließen");
}

TEST_F(LocalisationTest, ExportWritesTheSortedDefaultTextsWithCrLfAfterEveryLine)
{
    TaggedForm form;
    const std::string path = exportFile();
    language::ExportFormTexts(path, form);
    // Sorted as text: 1002 before 101; the untagged label and the separator are absent.
    EXPECT_EQ(ReadBytes(path), "1002=&Datei\r\n"
                               "101=Allgemein\r\n"
                               "200=Ok\r\n"
                               "2100=Gruppe\r\n"
                               "2101=Eins\r\n"
                               "2102=Radio\r\n"
                               "2150=Name:\r\n");
}

TEST_F(LocalisationTest, ExportReportsADuplicateTagOnceAndKeepsTheFirstLine)
{
    ScriptedMessageBoxes boxes;
    Form form("Form_Dup", 200, 100);
    auto& first = form.add<CheckBox>(form, "CheckBox_A", Bounds{0, 0, 100, 17}, "Erste");
    first.setTag(202);
    auto& second = form.add<CheckBox>(form, "CheckBox_B", Bounds{0, 20, 100, 17}, "Zweite");
    second.setTag(202);
    auto& empty = form.add<CheckBox>(form, "CheckBox_C", Bounds{0, 40, 100, 17}, "");
    empty.setTag(203);  // an empty text writes nothing
    const std::string path = exportFile();
    language::ExportFormTexts(path, form);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "Tag 202 already saved!");
    EXPECT_EQ(boxes.last().kind, MsgKind::Plain);
    EXPECT_EQ(ReadBytes(path), "202=Erste\r\n");
}

TEST_F(LocalisationTest, ExportIntoAMissingFolderRaisesTheFileCreationError)
{
    TaggedForm form;
    EXPECT_THROW(language::ExportFormTexts("C:\\no such folder\\Language\\Form1.ini", form), EFileCreateError);
}
