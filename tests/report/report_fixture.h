// What the report tests share: facts of a made-up machine (memory, drives and a
// processor load the test decides), the registry sandbox with the German texts, a
// program folder of its own, and the message boxes, programs and help the report
// would show or start.
#pragma once

#include "harness/dialog_seam.h"
#include "harness/german_sandbox.h"
#include "harness/help_seam.h"
#include "harness/programs_seam.h"
#include "harness/temp_folder.h"
#include "language/language.h"
#include "report/bericht_form.h"
#include "sysinfo/system_info.h"
#include "ui/application.h"
#include "ui/controls.h"
#include "ui/errors.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A processor load that plays back a script of samples (-1 once it is used up).
class ScriptedLoad : public sysinfo::ProcessorLoadSource {
public:
    struct Log {
        int starts = 0;
        int stops = 0;
    };
    enum class Start { Succeeds, Fails, Raises };

    ScriptedLoad(std::shared_ptr<Log> log, std::deque<int> samples, Start start)
        : log_(std::move(log)), samples_(std::move(samples)), start_(start)
    {
    }

    bool start() override
    {
        ++log_->starts;
        if (start_ == Start::Raises)
            throw ui::Exception("Unable to start performance monitoring");
        return start_ == Start::Succeeds;
    }
    int sample(unsigned) override
    {
        if (samples_.empty())
            return -1;
        const int next = samples_.front();
        samples_.pop_front();
        return next;
    }
    void stop() override { ++log_->stops; }

private:
    std::shared_ptr<Log> log_;
    std::deque<int> samples_;
    Start start_;
};

// The made-up machine: drives A: (a diskette), C: and D: (a CD drive without a disc).
class FakeFacts : public sysinfo::FactsSource {
public:
    FakeFacts() : previous_(sysinfo::SetFactsSource(this))
    {
        sysinfo::DriveFacts floppy;
        floppy.drive = "A:";
        floppy.mediaType = DRIVE_REMOVABLE;
        floppy.mediaPresent = true;
        floppy.volumeLabel = "DISKETTE";
        driveFacts["A:"] = floppy;

        sysinfo::DriveFacts system;
        system.drive = "C:";
        system.mediaType = DRIVE_FIXED;
        system.mediaPresent = true;
        system.volumeLabel = "System";
        system.fileSystem = "NTFS";
        system.serialNumber = "1A2B-3C4D";
        system.capacity = 10737418240;  // 10 GB
        system.freeBytes = 2684354560;  // 2.5 GB
        system.bytesPerSector = 512;
        system.sectorsPerCluster = 8;
        system.totalClusters = 2621440;
        system.freeClusters = 655360;
        driveFacts["C:"] = system;

        sysinfo::DriveFacts cd;
        cd.drive = "D:";
        cd.mediaType = DRIVE_CDROM;
        driveFacts["D:"] = cd;

        memoryFigures.totalPhysical = 512ull * 1048576;
        memoryFigures.availablePhysical = 200ull * 1048576;
        memoryFigures.totalPageFile = 1000ull * 1048576;
        memoryFigures.availablePageFile = 250ull * 1048576;
        memoryFigures.memoryLoad = 57;
    }
    ~FakeFacts() override { sysinfo::SetFactsSource(previous_); }
    FakeFacts(const FakeFacts&) = delete;
    FakeFacts& operator=(const FakeFacts&) = delete;

    sysinfo::MemoryFigures memory() override { return memoryFigures; }
    std::string availableDrives() override { return drives; }
    sysinfo::DriveFacts drive(const std::string& name) override
    {
        asked.push_back(name);
        const auto known = driveFacts.find(name);
        if (known != driveFacts.end())
            return known->second;
        sysinfo::DriveFacts gone;
        gone.drive = name;
        gone.mediaType = DRIVE_NO_ROOT_DIR;
        return gone;
    }
    std::unique_ptr<sysinfo::ProcessorLoadSource> processorLoad() override
    {
        return std::make_unique<ScriptedLoad>(loadLog, loadSamples, loadStart);
    }

    sysinfo::MemoryFigures memoryFigures;
    std::string drives = "ACD";
    std::map<std::string, sysinfo::DriveFacts> driveFacts;
    std::vector<std::string> asked;  // every drive asked, in order
    std::shared_ptr<ScriptedLoad::Log> loadLog = std::make_shared<ScriptedLoad::Log>();
    std::deque<int> loadSamples;
    ScriptedLoad::Start loadStart = ScriptedLoad::Start::Succeeds;

private:
    sysinfo::FactsSource* previous_;
};

class ReportTest : public GermanRegistrySandbox {
protected:
    void TearDown() override
    {
        report::Form_Bericht = nullptr;
        GermanRegistrySandbox::TearDown();
    }

    // The report as the program creates it, localised, writing into the test's folder.
    std::unique_ptr<report::TForm_Bericht> openReport()
    {
        auto page = std::make_unique<report::TForm_Bericht>();
        report::Form_Bericht = page.get();
        language::LocalizeComponent(*page);
        page->setFolders(programFolder(), "C:\\WINDOWS\\system32");
        return page;
    }

    std::string programFolder() const { return folder.path().substr(0, folder.path().size() - 1); }

    static std::string text(const report::TForm_Bericht& page, const char* labelName)
    {
        return page.find<ui::Label>(labelName).caption();
    }

    FakeFacts facts;
    testing_support::TempFolder folder;
    testing_support::ScriptedMessageBoxes boxes;
    testing_support::RecordedPrograms programs;
    testing_support::RecordedHelp help;
};

// Lets messages through until done() holds or the time is up.
template <class Done>
bool PumpUntil(Done done, DWORD milliseconds = 3000)
{
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > milliseconds)
            return false;
        ui::ProcessMessages();
        Sleep(5);
    }
    return true;
}
