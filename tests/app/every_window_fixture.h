// The fixture of the tests that go over every window in both languages: the shell's
// test folder and sandbox, the options page that lives for the whole run, the change
// journal's folder, and a language file loaded as start-up loads it.
#pragma once

#include "app_fixture.h"
#include "every_window.h"
#include "password/options_form.h"
#include "registry/change_journal.h"
#include "ui/pagecontrol.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace every_window {

struct Language {
    const char* name;
    const char* file;  // below the source folder
};

inline const std::vector<Language>& Languages()
{
    static const std::vector<Language> languages{{"German", "lang\\velmora.dat"},
                                                 {"English", "lang\\english\\velmora.dat"}};
    return languages;
}

// The page controls of a window, outermost first.
inline std::vector<ui::PageControl*> PageControls(const ui::Component& owner)
{
    std::vector<ui::PageControl*> found;
    std::function<void(const ui::Component&)> collect = [&](const ui::Component& component) {
        for (ui::Component* owned : component.components()) {
            if (auto* pages = dynamic_cast<ui::PageControl*>(owned))
                found.push_back(pages);
            collect(*owned);
        }
    };
    collect(owner);
    return found;
}

class EveryWindowTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        journal::SetJournalFolder(app::AppDir + "\\BACKUP\\Journal", app::AppDir);
        previousOptions_ = password::Form_Options;
        options_ = std::make_unique<password::TForm_Options>();
        password::Form_Options = options_.get();
    }

    void TearDown() override
    {
        password::Form_Options = previousOptions_;
        options_.reset();
        journal::SetJournalFolder({});
        AppTest::TearDown();
    }

    static void useLanguage(const Language& language)
    {
        language::ClearLanguageTable();
        language::LoadLanguageFile(testing_support::SourceFile(language.file));
        language::ApplyToolkitTexts();
    }

    // The window as the program opens it: created, localised, prepared.
    static OpenWindow open(const WindowCase& window)
    {
        OpenWindow opened = window.create();
        language::LocalizeComponent(*opened);
        if (window.prepare)
            window.prepare(*opened);
        return opened;
    }

private:
    password::TForm_Options* previousOptions_ = nullptr;
    std::unique_ptr<password::TForm_Options> options_;
};

}  // namespace every_window
