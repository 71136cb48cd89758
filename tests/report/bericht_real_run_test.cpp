// The report on the machine the tests run on (under Wine: the test prefix, which
// reports Windows XP and maps drive C:), with the real registry, which the report
// only reads, and the real processor-load measurement. Only the report file is
// written, into a folder of the test's own.
#include "harness/dialog_seam.h"
#include "harness/programs_seam.h"
#include "harness/source_files.h"
#include "harness/temp_folder.h"
#include "language/language.h"
#include "report/bericht_form.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/listview.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>

namespace {

class ReportRealRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        language::ClearLanguageTable();
        language::LoadLanguageFile(testing_support::SourceFile("lang\\velmora.dat"));
    }
    void TearDown() override
    {
        report::Form_Bericht = nullptr;
        language::ClearLanguageTable();
    }

    testing_support::TempFolder folder;
    testing_support::ScriptedMessageBoxes boxes;
    testing_support::RecordedPrograms programs;
};

bool IsFreeSpaceOfTheDrive(const std::string& captionName)
{
    return captionName == "Label_DriveBytesFree" || captionName == "Label_DrivePercent" || captionName == "Label_DriveFC";
}

std::vector<std::string> FileLines(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> lines;
    std::string line;
    while (std::getline(in, line)) {
        EXPECT_FALSE(line.empty() || line.back() != '\r') << "a line without CR LF: " << line;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

TEST_F(ReportRealRun, ShowsWindowsXPTheComputerTheScreenTheSystemDriveAndTheFontsAndSavesThemAll)
{
    auto page = std::make_unique<report::TForm_Bericht>();
    report::Form_Bericht = page.get();
    language::LocalizeComponent(*page);
    page->setFolders(folder.path().substr(0, folder.path().size() - 1), "C:\\WINDOWS\\system32");
    EXPECT_TRUE(page->MCPUUsage1().active());
    page->find<ui::Button>("Button_Reload").click();

    const auto text = [&](const char* label) { return page->find<ui::Label>(label).caption(); };
    EXPECT_EQ(text("Label_Build1"), "2600");
    char computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = sizeof(computer);
    ASSERT_TRUE(GetComputerNameA(computer, &length));
    EXPECT_EQ(text("Label_ComputerName1"), computer);
    EXPECT_FALSE(page->Memo_DisplayModes().lines().empty());
    const std::string drive = page->ComboBox_Drives().text();
    EXPECT_EQ(drive.substr(0, 2), "C:") << drive;
    EXPECT_EQ(text("Label_DriveTyp1").substr(0, 8), "Fixed - ");
    EXPECT_NE(text("Label_DriveCapacity1"), language::LangString(5930));
    EXPECT_GT(page->VirtualDrawTree_Fonts().itemCount(), 0);

    page->find<ui::Button>("Button_Speichern").click();
    EXPECT_TRUE(boxes.shown().empty());
    const std::vector<std::string> lines = FileLines(page->reportPath());
    // Every caption of the report's groups stands in the file with its value.
    for (const char* group : {"GroupBox1", "GroupBox2", "GroupBox4", "GroupBox6"})
        for (ui::Component* component : page->find<ui::GroupBox>(group).components()) {
            auto* caption = dynamic_cast<ui::Label*>(component);
            if (!caption || caption->tag() == 0 || caption->name() == "Label53")
                continue;
            const std::string value = page->find<ui::Label>(caption->name() + "1").caption();
            // Saving asks the drives again, and what is free on a real disk may change in
            // between (other programs write to it): those lines need only stand in the file.
            if (IsFreeSpaceOfTheDrive(caption->name())) {
                const std::string start = caption->caption() + " ";
                EXPECT_NE(std::find_if(lines.begin(), lines.end(),
                                       [&](const std::string& line) { return line.rfind(start, 0) == 0; }),
                          lines.end())
                    << caption->name();
                continue;
            }
            EXPECT_NE(std::find(lines.begin(), lines.end(), caption->caption() + " " + value), lines.end())
                << caption->name();
        }
    EXPECT_NE(std::find(lines.begin(), lines.end(), "Laufwerk: - " + drive + ":"), lines.end());
    page->find<ui::Button>("Button_Apply").click();
    EXPECT_FALSE(page->MCPUUsage1().active());
}

}  // namespace
