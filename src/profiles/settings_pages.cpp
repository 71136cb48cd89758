#include "profiles/settings_pages.h"

#include "autostart/autorun_form.h"
#include "language/language.h"
#include "pages/anmelden_form.h"
#include "pages/explorer_form.h"
#include "pages/ie_form.h"
#include "pages/internet_tuner_form.h"
#include "pages/officexp_form.h"
#include "pages/sonstige_form.h"
#include "pages/startmenu_form.h"
#include "pages/system_form.h"
#include "ui/single_instance.h"

namespace profiles {

namespace {

template <class Page>
class OpenedAs : public OpenedPage {
public:
    explicit OpenedAs(Page*& reference) : page_(std::make_unique<Page>()), scope_(reference, *page_)
    {
        language::LocalizeComponent(*page_);
    }
    ui::Form& form() override { return *page_; }
    void SaveSettings() override { page_->SaveSettings(); }
    bool readFailed(const std::string& control) const override { return page_->readFailed(control); }

private:
    std::unique_ptr<Page> page_;  // its creation loads its settings
    ui::SingleInstanceScope<Page> scope_;
};

template <class Page>
SettingsPage Entry(const char* formClass, Page*& reference)
{
    return {formClass, [&reference]() -> std::unique_ptr<OpenedPage> { return std::make_unique<OpenedAs<Page>>(reference); }};
}

}  // namespace

const std::vector<SettingsPage>& SettingsPages()
{
    static const std::vector<SettingsPage> settingsPages{
        Entry("TForm_InternetTuner", pages::Form_InternetTuner),
        Entry("TForm_IE", pages::Form_IE),
        Entry("TForm_OfficeXP", pages::Form_OfficeXP),
        Entry("TForm_System", pages::Form_System),
        Entry("TForm_Explorer", pages::Form_Explorer),
        Entry("TForm_Startmenu", pages::Form_Startmenu),
        Entry("TForm_Anmelden", pages::Form_Anmelden),
        Entry("TForm_Autorun", autostart::Form_Autorun),
        Entry("TForm_Sonstige", pages::Form_Sonstige),
    };
    return settingsPages;
}

const SettingsPage* FindSettingsPage(std::string_view formClass)
{
    for (const SettingsPage& page : SettingsPages())
        if (formClass == page.formClass)
            return &page;
    return nullptr;
}

}  // namespace profiles
