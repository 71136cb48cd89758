// The change journal: every user action that changes the system (a page's "Ok", a
// button that acts at once, a wizard run, an autostart apply) is one change set. The
// action opens a ChangeScope for as long as it runs; the registry library and the
// settings-file helpers record into the open set what they change, so that the set
// can be undone exactly. Scopes opened while one is open join it (a wizard run saves
// several pages as one set).
#pragma once

#include <string>

namespace journal {

class ChangeScope {
public:
    // action: a short description in the program's words, e.g. the page's caption.
    explicit ChangeScope(const std::string& action);
    ChangeScope(const ChangeScope&) = delete;
    ChangeScope& operator=(const ChangeScope&) = delete;
    ~ChangeScope();
};

}  // namespace journal
