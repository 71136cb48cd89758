#include "cleanup/scan_feedback.h"

#include "ui/application.h"
#include "ui/controls.h"
#include "ui/image.h"

#include <windows.h>

namespace cleanup {

namespace {

struct Feedback {
    ui::Label* detailLine = nullptr;
    ui::ProgressBar* progressBar = nullptr;
    std::string detail;
    bool detailChanged = false;
    int maximum = 0;
    int position = 0;
    bool rangeChanged = false;
    bool positionChanged = false;
    DWORD lastPause = 0;
};

Feedback& Current()
{
    static Feedback feedback;
    return feedback;
}

void ShowPending(Feedback& feedback)
{
    if (feedback.detailChanged && feedback.detailLine)
        feedback.detailLine->setCaption(feedback.detail);
    feedback.detailChanged = false;
    if (feedback.progressBar) {
        if (feedback.rangeChanged)
            feedback.progressBar->setRange(0, feedback.maximum);
        if (feedback.rangeChanged || feedback.positionChanged)
            feedback.progressBar->setPosition(feedback.position);
    }
    feedback.rangeChanged = false;
    feedback.positionChanged = false;
}

}  // namespace

void SetScanFeedback(ui::Label* detailLine, ui::ProgressBar* progressBar)
{
    Feedback& feedback = Current();
    feedback = Feedback{};
    feedback.detailLine = detailLine;
    feedback.progressBar = progressBar;
    feedback.lastPause = GetTickCount();
}

void ShowScanDetail(const std::string& text)
{
    Feedback& feedback = Current();
    if (feedback.detail == text)
        return;
    feedback.detail = text;
    feedback.detailChanged = true;
}

void StartScanProgress(int maximum)
{
    Feedback& feedback = Current();
    feedback.maximum = maximum;
    feedback.position = 0;
    feedback.rangeChanged = true;
}

void StepScanProgress()
{
    Feedback& feedback = Current();
    ++feedback.position;
    feedback.positionChanged = true;
}

bool ScanPause(bool now)
{
    Feedback& feedback = Current();
    const DWORD tick = GetTickCount();
    if (!now && tick - feedback.lastPause < kMessageInterval)
        return ui::CancelRequested;
    ShowPending(feedback);
    ui::ProcessMessages();
    feedback.lastPause = GetTickCount();
    return ui::CancelRequested;
}

}  // namespace cleanup
