// The report page: the font list, the memory figures, the drives, the processor-load
// graph and its sampler, saving the report file, and the other buttons.
#include "report_fixture.h"

#include "harness/layout_check.h"
#include "report/report_texts.h"
#include "ui/combobox.h"
#include "ui/controls.h"
#include "ui/image.h"
#include "ui/listview.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <shellapi.h>

#include <climits>
#include <fstream>
#include <iterator>

namespace {

const char* const kFontsKey = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Fonts";
const char* const kVersionKey = "SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion";
const char* const kDescriptionKey = "SYSTEM\\CurrentControlSet\\Services\\lanmanserver\\parameters";
constexpr std::uint64_t kMB = 1048576;

std::string FileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

long long RecycledItems()
{
    SHQUERYRBINFO bin{};
    bin.cbSize = sizeof(bin);
    return SUCCEEDED(SHQueryRecycleBinA(nullptr, &bin)) ? bin.i64NumItems : -1;
}

// The graph's pixels on a grid fine enough to see every line.
std::vector<COLORREF> GraphPixels(const ui::Image& graph)
{
    std::vector<COLORREF> pixels;
    for (int x = 0; x < 301; ++x)
        for (int y = 0; y < 100; y += 3)
            pixels.push_back(graph.pixel(x, y));
    return pixels;
}

bool GreenBetween(const ui::Image& graph, int fromX, int toX, int y)
{
    for (int x = fromX; x <= toX; ++x)
        if (graph.pixel(x, y) == RGB(0, 128, 0))
            return true;
    return false;
}

class ReportPageTest : public ReportTest {};

TEST_F(ReportPageTest, ReloadingTwiceListsEachFontOnceInOrderWithItsFace)
{
    for (const char* font : {"Verdana (TrueType)", "arial (TrueType)", "Courier", "Marlett (TrueType)"})
        WriteRawValue(HKEY_LOCAL_MACHINE, kFontsKey, font, REG_SZ, TextBytes("x.ttf"));
    auto page = openReport();
    auto& fonts = page->VirtualDrawTree_Fonts();

    page->Button_ReloadClick();
    page->Button_ReloadClick();

    const std::vector<std::pair<std::string, std::string>> expected{
        {"arial (TrueType)", "arial"}, {"Courier", "Courier"}, {"Marlett (TrueType)", "Marlett"},
        {"Verdana (TrueType)", "Verdana"}};
    ASSERT_EQ(fonts.itemCount(), static_cast<int>(expected.size()));
    for (int index = 0; index < fonts.itemCount(); ++index) {
        EXPECT_EQ(fonts.caption(index), expected[static_cast<std::size_t>(index)].first);
        EXPECT_EQ(fonts.subItem(index, 1), expected[static_cast<std::size_t>(index)].second);
    }
    EXPECT_EQ(fonts.columnCaption(0), language::LangString(5490));
    EXPECT_EQ(fonts.columnCaption(1), language::LangString(5491));
}

TEST_F(ReportPageTest, InstalledMemoryShowsTheModuleSizeAndTheOtherFiguresAsTheyAre)
{
    const struct {
        std::uint64_t megabytes;
        const char* shown;
    } cases[] = {{255, "267386880 Bytes = 256 MB"}, {131, "137363456 Bytes = 131 MB"}, {130, "136314880 Bytes = 128 MB"},
                 {511, "535822336 Bytes = 512 MB"}, {1024, "1073741824 Bytes = 1024 MB"}};
    auto page = openReport();
    for (const auto& memory : cases) {
        facts.memoryFigures.totalPhysical = memory.megabytes * kMB;
        page->Button_ReloadClick();
        EXPECT_EQ(text(*page, "Label_MemTotalPhysical1"), memory.shown);
    }
    facts.memoryFigures.availablePhysical = 255 * kMB + 5;  // free memory is never snapped
    page->Button_ReloadClick();
    EXPECT_EQ(text(*page, "Label_MemFreePhysical1"), "267386885 Bytes = 255 MB");
    EXPECT_EQ(text(*page, "Label_MemSwapFileSize1"), "786432000 Bytes = 750 MB");
    EXPECT_EQ(text(*page, "Label_SwapFileUsage1"), "75 %");
    EXPECT_EQ(text(*page, "Label_MemLoad1"), "57 %");

    // Without a page file there is nothing used.
    facts.memoryFigures.totalPageFile = 0;
    facts.memoryFigures.availablePageFile = 0;
    page->Button_ReloadClick();
    EXPECT_EQ(text(*page, "Label_MemSwapFileSize1"), "0 Bytes = 0 MB");
    EXPECT_EQ(text(*page, "Label_SwapFileUsage1"), "0 %");
}

TEST_F(ReportPageTest, TheFactsOfTheSystemAndMissingOnesShowAsTheirTexts)
{
    WriteRawValue(HKEY_LOCAL_MACHINE, kVersionKey, "CurrentType", REG_SZ, TextBytes("Uniprocessor Free"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kVersionKey, "RegisteredOwner", REG_SZ, TextBytes("Erika Mustermann"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kDescriptionKey, "srvcomment", REG_SZ, TextBytes("Rechner im Flur"));
    auto page = openReport();
    page->Button_ReloadClick();

    EXPECT_EQ(text(*page, "Label_Build1"), "2600");
    EXPECT_EQ(text(*page, "Label_SP1"), "Service Pack 3");
    EXPECT_EQ(text(*page, "Label_CPUVersion1"), "Uniprocessor Free");
    EXPECT_EQ(text(*page, "Label_ComputerOwner1"), "Erika Mustermann");
    EXPECT_EQ(text(*page, "Label_ComputerOwnerCompany1"), language::LangString(5900));
    EXPECT_EQ(text(*page, "Label_Desc1"), "Rechner im Flur");
    EXPECT_EQ(text(*page, "Label_ComputerName1"), sysinfo::ReadMachine().computerName);
    EXPECT_EQ(page->Memo_DisplayModes().lines(), sysinfo::ReadDisplayModes());

    // A description that is gone again is not kept from the last reload.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDescriptionKey);
    page->Button_ReloadClick();
    EXPECT_EQ(text(*page, "Label_Desc1"), language::LangString(5900));
    EXPECT_EQ(page->Memo_DisplayModes().lines(), sysinfo::ReadDisplayModes());  // not twice
}

TEST_F(ReportPageTest, ADisketteDriveIsListedButNeverAskedAndTheFirstOtherDriveIsShown)
{
    auto page = openReport();
    page->Button_ReloadClick();

    EXPECT_EQ(page->ComboBox_Drives().items(), (std::vector<std::string>{"A: ()", "C: (System)", "D: ()"}));
    EXPECT_EQ(page->ComboBox_Drives().itemIndex(), 1);
    EXPECT_EQ(facts.asked, (std::vector<std::string>{"C:", "D:", "C:"}));
    const std::string s = report::ThousandsSeparator();
    const std::vector<std::pair<const char*, std::string>> shown{
        {"Label_DriveTyp1", "Fixed - NTFS"},
        {"Label_DriveName1", "System"},
        {"Label_DriveSerial1", "1A2B-3C4D"},
        {"Label_DriveCapacity1", "10" + s + "737" + s + "418" + s + "240 Bytes = 10" + s + "240 MB"},
        {"Label_DriveBytesFree1", "2" + s + "684" + s + "354" + s + "560 Bytes = 2" + s + "560 MB"},
        {"Label_DrivePercent1", "75 %"},
        {"Label_DriveBPS1", "512"},
        {"Label_DriveSPC1", "8"},
        {"Label_DriveTC1", "2" + s + "621" + s + "440"},
        {"Label_DriveFC1", "655" + s + "360"},
    };
    for (const auto& [label, value] : shown)
        EXPECT_EQ(text(*page, label), value) << label;
    EXPECT_TRUE(page->Image_DriveTyp().hasIcon());

    // The CD drive without a disc shows its type only; nothing of C: stays.
    page->ComboBox_Drives().setItemIndex(2);
    page->ComboBox_DrivesChange();
    for (const auto& [label, value] : shown)
        EXPECT_EQ(text(*page, label), label == std::string("Label_DriveTyp1") ? "CDROM - " : language::LangString(5930))
            << label;

    // With a disc inserted, "Neu einlesen" beside the list asks the drive again.
    facts.driveFacts["D:"].mediaPresent = true;
    facts.driveFacts["D:"].volumeLabel = "URLAUB";
    facts.driveFacts["D:"].fileSystem = "CDFS";
    facts.driveFacts["D:"].capacity = 0;  // a size the drive cannot tell
    page->Button_ReloadDISKClick();
    EXPECT_EQ(text(*page, "Label_DriveTyp1"), "CDROM - CDFS");
    EXPECT_EQ(text(*page, "Label_DriveName1"), "URLAUB");
    EXPECT_EQ(text(*page, "Label_DrivePercent1"), language::LangString(5930));
    EXPECT_EQ(std::count(facts.asked.begin(), facts.asked.end(), "A:"), 0);
}

TEST_F(ReportPageTest, WithoutADisketteDriveTheFirstDriveIsShownAndWithNoOtherDriveNone)
{
    const struct {
        const char* drives;
        int selected;
        std::vector<std::string> asked;
    } cases[] = {
        {"CD", 0, {"C:", "D:", "C:"}},
        {"A", -1, {}},
        {"", -1, {}},
    };
    auto page = openReport();
    for (const auto& machine : cases) {
        facts.drives = machine.drives;
        facts.asked.clear();
        page->Button_ReloadClick();
        EXPECT_EQ(page->ComboBox_Drives().itemIndex(), machine.selected) << machine.drives;
        EXPECT_EQ(facts.asked, machine.asked) << machine.drives;
        if (machine.selected < 0) {
            EXPECT_EQ(text(*page, "Label_DriveTyp1"), language::LangString(5930)) << machine.drives;
        }
    }
}

TEST_F(ReportPageTest, SamplesOutsideZeroToHundredChangeNeitherTheLabelNorTheGraph)
{
    auto page = openReport();
    for (int sample : {10, 20, 30, 40, 0, 100})
        page->MCPUUsage1Interval(sample);
    ASSERT_EQ(page->Label_CPUUsage().caption(), "100%");
    const std::vector<COLORREF> before = GraphPixels(page->Image1());
    const int position = page->graphPosition();
    ASSERT_EQ(position, 4 + 6 * 4);

    for (int outside : {101, -1, 1000, INT_MIN, INT_MAX}) {
        page->MCPUUsage1Interval(outside);
        EXPECT_EQ(page->Label_CPUUsage().caption(), "100%") << outside;
        EXPECT_EQ(page->graphPosition(), position) << outside;
    }
    EXPECT_TRUE(GraphPixels(page->Image1()) == before);
    page->MCPUUsage1Interval(0);
    EXPECT_EQ(page->Label_CPUUsage().caption(), "0%");
}

TEST_F(ReportPageTest, TheGraphScrollsFromTheSeventyFourthSampleOnAndNeverGoesBeyond300)
{
    auto page = openReport();
    ui::Image& graph = page->Image1();
    EXPECT_EQ(page->graphPosition(), 4);
    EXPECT_EQ(graph.pixel(150, 50), RGB(0, 0, 0));
    EXPECT_EQ(graph.pixel(300, 99), RGB(0, 0, 0));

    for (int sample = 1; sample <= 73; ++sample)
        page->MCPUUsage1Interval(0);
    EXPECT_EQ(page->graphPosition(), 296);
    EXPECT_TRUE(GreenBetween(graph, 0, 0, 99));  // the line along the bottom starts at the left edge

    // The 74th sample draws its line up to x = 296 and moves the picture 4 pixels left.
    page->MCPUUsage1Interval(100);
    EXPECT_EQ(page->graphPosition(), 300);
    EXPECT_TRUE(GreenBetween(graph, 288, 292, 50));
    for (int x = 293; x <= 300; ++x)
        EXPECT_EQ(graph.pixel(x, 50), RGB(0, 0, 0)) << x;

    for (int sample = 0; sample < 100; ++sample) {
        page->MCPUUsage1Interval(sample % 2 ? 90 : 10);
        ASSERT_EQ(page->graphPosition(), 300) << sample;
    }
    // The newest line reaches the picture's last drawn column.
    EXPECT_TRUE(GreenBetween(graph, 290, 296, 99 - 10));
}

TEST_F(ReportPageTest, TheSamplerRunsExactlyWhileTheBoxIsTickedAndStopsWhenThePageCloses)
{
    facts.loadSamples = {-1, 42};
    auto page = openReport();
    EXPECT_TRUE(page->CheckBox_CPUUsage().checked());
    EXPECT_TRUE(page->MCPUUsage1().active());
    EXPECT_EQ(page->MCPUUsage1().interval(), 750u);
    page->MCPUUsage1().setInterval(10);
    EXPECT_TRUE(PumpUntil([&] { return page->Label_CPUUsage().caption() == "42%"; }));

    page->CheckBox_CPUUsage().setChecked(false);
    EXPECT_FALSE(page->MCPUUsage1().active());
    EXPECT_EQ(facts.loadLog->stops, 1);
    page->CheckBox_CPUUsage().setChecked(true);
    EXPECT_TRUE(page->MCPUUsage1().active());
    EXPECT_EQ(facts.loadLog->starts, 2);

    page->find<ui::Button>("Button_Apply").click();
    EXPECT_FALSE(page->MCPUUsage1().active());
    EXPECT_EQ(facts.loadLog->stops, 2);
    page.reset();
    EXPECT_EQ(facts.loadLog->stops, 2);
}

TEST_F(ReportPageTest, AMeasurementThatCannotStartLeavesTheSamplerOffAndSaysWhyWhenItHasAReason)
{
    facts.loadStart = ScriptedLoad::Start::Fails;
    {
        auto page = openReport();
        EXPECT_FALSE(page->MCPUUsage1().active());
        EXPECT_TRUE(boxes.shown().empty());
    }
    facts.loadStart = ScriptedLoad::Start::Raises;
    auto page = openReport();
    EXPECT_FALSE(page->MCPUUsage1().active());
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Unable to start performance monitoring");
    EXPECT_EQ(page->caption(), language::LangString(5000));  // the page is there all the same
}

TEST_F(ReportPageTest, SavingPutsTheOldReportIntoTheRecycleBinWritesTheReportAndOpensItInNotepad)
{
    WriteRawValue(HKEY_LOCAL_MACHINE, kVersionKey, "CurrentType", REG_SZ, TextBytes("Uniprocessor Free"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kVersionKey, "RegisteredOwner", REG_SZ, TextBytes("Erika Mustermann"));
    WriteRawValue(HKEY_LOCAL_MACHINE, kDescriptionKey, "srvcomment", REG_SZ, TextBytes("Rechner im Flur"));
    const std::string reportFile = folder.file("Systembericht.txt", "der alte Bericht");
    auto page = openReport();
    page->Button_ReloadClick();
    facts.asked.clear();
    const long long recycled = RecycledItems();

    page->find<ui::Button>("Button_Speichern").click();

    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_EQ(page->reportPath(), reportFile);
    EXPECT_EQ(RecycledItems(), recycled + 1);
    const sysinfo::MachineFacts machine = sysinfo::ReadMachine();
    const std::vector<std::string> addresses = sysinfo::ReadIpAddresses();
    const std::string s = report::ThousandsSeparator();
    std::vector<std::string> expected{
        "Systembericht vom " + report::TodayShortDate(),
        "",
        "Windows-Version:",
        "Build-Nummer dieser Windows-Version: 2600",
        "Installierte Service-Packs: Service Pack 3",
        "Prozessor-Version: Uniprocessor Free",
        "Registriert auf (Person): Erika Mustermann",
        "Registriert auf (Firma): (keine Angabe)",
        "",
        "Informationen zum Computer:",
        "Computername: " + machine.computerName,
        "Computerbeschreibung: Rechner im Flur",
        "Aktueller Benutzer: " + machine.userName,
        "Aktuelle IP-Adresse: " + (addresses.empty() ? std::string("(keine IP-Adresse)") : addresses.front()),
        "",
        "Speicher:",
        "Installierter Physikalischer Speicher: 536870912 Bytes = 512 MB",
        "Freier physikalischer Speicher: 209715200 Bytes = 200 MB",
        "Größe der Auslagerungsdatei: 786432000 Bytes = 750 MB",
        "Auslagerungsdatei ausgenutzt zu: 75 %",
        "Speicherausnutzung insgesammt 57 %",
        "",
        "Verfügbare Bildschirmauflösungen:",
    };
    for (const std::string& mode : sysinfo::ReadDisplayModes())
        expected.push_back(mode);
    const std::string missing = language::LangString(5930);
    const std::vector<std::string> drives{
        "",
        "Laufwerk: - C: (System):",
        "Laufwerksart: Fixed - NTFS",
        "Name: System",
        "Seriennummer des Laufwerks: 1A2B-3C4D",
        "Laufwerksgröße (formatiert): 10" + s + "737" + s + "418" + s + "240 Bytes = 10" + s + "240 MB",
        "Bytes frei auf dem Laufwerk: 2" + s + "684" + s + "354" + s + "560 Bytes = 2" + s + "560 MB",
        "Laufwerk ist ausgenutzt zu: 75 %",
        "Bytes pro Sektor: 512",
        "Sektoren pro Cluster: 8",
        "Cluster auf dem Laufwerk: 2" + s + "621" + s + "440",
        "Davon freie Cluster: 655" + s + "360",
        "",
        "Laufwerk: - D: ():",
        "Laufwerksart: CDROM - ",
        "Name: " + missing,
        "Seriennummer des Laufwerks: " + missing,
        "Laufwerksgröße (formatiert): " + missing,
        "Bytes frei auf dem Laufwerk: " + missing,
        "Laufwerk ist ausgenutzt zu: " + missing,
        "Bytes pro Sektor: " + missing,
        "Sektoren pro Cluster: " + missing,
        "Cluster auf dem Laufwerk: " + missing,
        "Davon freie Cluster: " + missing,
    };
    expected.insert(expected.end(), drives.begin(), drives.end());
    std::string bytes;
    for (const std::string& line : expected)
        bytes += line + "\r\n";
    EXPECT_EQ(FileBytes(reportFile), bytes);

    // The diskette drive stays untouched, and the drive shown before is shown again.
    EXPECT_EQ(facts.asked, (std::vector<std::string>{"C:", "D:", "C:"}));
    EXPECT_EQ(page->ComboBox_Drives().itemIndex(), 1);
    EXPECT_EQ(text(*page, "Label_DriveName1"), "System");
    ASSERT_EQ(programs.executed.size(), 1u);
    EXPECT_EQ(programs.executed[0].commandLine, "C:\\WINDOWS\\system32\\Notepad.exe \"" + reportFile + "\"");
    EXPECT_EQ(programs.executed[0].showCommand, SW_SHOWNORMAL);
}

TEST_F(ReportPageTest, AReportThatCannotBeWrittenOrAnOldOneThatCannotBeRecycledIsReportedAndNothingIsLost)
{
    auto page = openReport();
    page->Button_ReloadClick();

    page->setFolders(folder.path() + "fehlt", "C:\\WINDOWS\\system32");
    page->find<ui::Button>("Button_Speichern").click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Datei " + page->reportPath() + " kann nicht erstellt werden");

    // The Recycle Bin takes paths of at most 253 characters; Windows files take up to 259.
    const std::string fileName = "\\" + language::LangString(5940);
    std::string deep = folder.makeDir(std::string(256 - fileName.size() - folder.path().size(), 'v'));
    deep.pop_back();
    page->setFolders(deep, "C:\\WINDOWS\\system32");
    ASSERT_EQ(page->reportPath().size(), 256u);
    std::ofstream(page->reportPath(), std::ios::binary) << "der alte Bericht";
    boxes.clear();
    page->find<ui::Button>("Button_Speichern").click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Error);
    EXPECT_EQ(boxes.last().text, language::LangString(5941) + "\r" + page->reportPath());
    EXPECT_EQ(FileBytes(page->reportPath()), "der alte Bericht");
    EXPECT_TRUE(programs.executed.empty());
}

TEST_F(ReportPageTest, TheFontsFolderOpensInExplorerAndHelpShowsTheReportsTopic)
{
    WriteRawValue(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Fonts",
                  REG_SZ, TextBytes("C:\\WINDOWS\\Fonts"));
    auto page = openReport();
    page->find<ui::Button>("Button_Fonts").click();
    page->find<ui::Button>("Button_hilfe").click();

    ASSERT_EQ(programs.executed.size(), 1u);
    EXPECT_EQ(programs.executed[0].commandLine, "explorer.exe \"C:\\WINDOWS\\Fonts\"");
    EXPECT_EQ(programs.executed[0].showCommand, SW_SHOWNORMAL);
    ASSERT_EQ(help.locations().size(), 1u);
    EXPECT_NE(help.locations()[0].find("::/systembericht.htm"), std::string::npos) << help.locations()[0];
}

TEST_F(ReportPageTest, EverySheetShowsItsGermanTextsWholeWithTheValuesBesideThem)
{
    WriteRawValue(HKEY_LOCAL_MACHINE, kVersionKey, "RegisteredOrganization", REG_SZ, TextBytes(std::string(3000, 'x')));
    auto page = openReport();
    page->Button_ReloadClick();
    EXPECT_EQ(page->caption(), language::LangString(5000));
    EXPECT_EQ(page->clientWidth(), 660);
    EXPECT_EQ(page->clientHeight(), 540);
    EXPECT_NE(GetWindowLongA(page->handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_EQ(page->PageControl1().activePageIndex(), 0);
    EXPECT_EQ(page->PageControl1().pageCount(), 4);
    testing_support::ExpectNothingClippedOrCovered(page->handle());

    // The values of a sheet start in one column, right of the widest caption.
    for (const char* sheet : {"TabSheet1", "TabSheet2", "TabSheet3"}) {
        int column = -1;
        for (ui::Component* group : page->find<ui::TabSheet>(sheet).components())
            for (ui::Component* component : group->components()) {
                auto* value = dynamic_cast<ui::Label*>(component);
                if (!value || value->tag() != 0 || value->name() == "Label_CPUUsage")
                    continue;
                if (column < 0)
                    column = value->left();
                EXPECT_EQ(value->left(), column) << value->name();
            }
        EXPECT_GT(column, 0) << sheet;
    }
}

}  // namespace
