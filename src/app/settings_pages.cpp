#include "app/settings_pages.h"

#include "autostart/autorun_form.h"
#include "autostart/autorun_rows.h"
#include "language/language.h"
#include "pages/anmelden_form.h"
#include "pages/anmelden_rows.h"
#include "pages/explorer_form.h"
#include "pages/explorer_rows.h"
#include "pages/ie_form.h"
#include "pages/ie_rows.h"
#include "pages/internet_tuner_form.h"
#include "pages/internet_tuner_rows.h"
#include "pages/officexp_form.h"
#include "pages/officexp_rows.h"
#include "pages/sonstige_form.h"
#include "pages/sonstige_rows.h"
#include "pages/startmenu_form.h"
#include "pages/startmenu_rows.h"
#include "pages/system_form.h"
#include "pages/system_rows.h"
#include "wizards/assistenten_form.h"

#include <utility>

namespace app {

namespace {

template <class Page>
HiddenPage CreateInto(Page*& reference)
{
    auto page = std::make_unique<Page>();
    Page* const created = page.get();
    reference = created;
    HiddenPage hidden(std::move(page), [&reference, created] {
        if (reference == created)
            reference = nullptr;
    });
    language::LocalizeComponent(*hidden);
    return hidden;
}

}  // namespace

const std::vector<SettingsPage>& SettingsPages()
{
    static const std::vector<SettingsPage> settingsPages{
        {Area::Assistent, "TForm_Assistenten", nullptr, [] { return CreateInto(wizards::Form_Assistenten); }},
        {Area::InternetZugang, "TForm_InternetTuner", &pages::tuner::TunerBindingTable(),
         [] { return CreateInto(pages::Form_InternetTuner); }},
        {Area::IE, "TForm_IE", &pages::ie::IEBindingTable(), [] { return CreateInto(pages::Form_IE); }},
        {Area::OfficeXP, "TForm_OfficeXP", &pages::officexp::OfficeBindingTable(),
         [] { return CreateInto(pages::Form_OfficeXP); }},
        {Area::System, "TForm_System", &pages::system::SystemBindingTable(),
         [] { return CreateInto(pages::Form_System); }},
        {Area::Explorer, "TForm_Explorer", &pages::explorer::ExplorerBindingTable(),
         [] { return CreateInto(pages::Form_Explorer); }},
        {Area::Startmenu, "TForm_Startmenu", &pages::startmenu::StartmenuBindingTable(),
         [] { return CreateInto(pages::Form_Startmenu); }},
        {Area::Anmelden, "TForm_Anmelden", &pages::anmelden::AnmeldenBindingTable(),
         [] { return CreateInto(pages::Form_Anmelden); }},
        {Area::Autorun, "TForm_Autorun", &autostart::AutorunBindingTable(),
         [] { return CreateInto(autostart::Form_Autorun); }},
        {Area::Sonstiges, "TForm_Sonstige", &pages::sonstige::SonstigeBindingTable(),
         [] { return CreateInto(pages::Form_Sonstige); }},
    };
    return settingsPages;
}

HiddenPage::HiddenPage(std::unique_ptr<ui::Form> page, std::function<void()> forget)
    : forget_(std::move(forget)), page_(std::move(page))
{
}

HiddenPage::~HiddenPage()
{
    page_.reset();
    if (forget_)
        forget_();
}

}  // namespace app
