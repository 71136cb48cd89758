// What a running search shows and how it stays responsive. The scanners let window
// messages run on a clock (every 50 ms) instead of once per file or key: often enough
// that the wait window repaints and its "Abbrechen" takes effect at once, seldom
// enough that a search runs at the speed of the file system and the registry. The
// texts and the progress they report are kept and shown when messages run.
#pragma once

#include <string>

namespace ui {
class Label;
class ProgressBar;
}

namespace cleanup {

// The longest time a search works without letting window messages run.
constexpr unsigned kMessageInterval = 50;

// The wait window's detail line and progress bar, set by the clean-up page for a
// search (nullptr: not shown).
void SetScanFeedback(ui::Label* detailLine, ui::ProgressBar* progressBar);

// The detail line's text (a folder, a key name), shown at the next pause.
void ShowScanDetail(const std::string& text);
// A new progress range 0..maximum, at 0; and one step further. Shown at the next pause.
void StartScanProgress(int maximum);
void StepScanProgress();

// Lets pending window messages run when the interval has passed since the last time
// (or at once with `now`), after showing what changed. True when the user asked to
// cancel.
bool ScanPause(bool now = false);

}  // namespace cleanup
