// Drives modal windows in tests: an action runs from inside the next message loop
// (the modal loop of the window a test is about to open), as a person would act
// once the window is there.
#pragma once

#include <functional>

namespace testing_support {

// Runs action once, from a timer message dispatched while a modal form runs its loop.
void WhenModal(std::function<void()> action);

// Drops an action that has not run yet; true when there was one (no modal form ran).
bool CancelWhenModal();

}  // namespace testing_support
