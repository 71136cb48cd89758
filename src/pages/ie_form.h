// The Internet Explorer page: the browser's window title and toolbar picture, menus,
// update check, temporary files, downloads and search address, the buttons that show
// and empty the cache, the cookies and the history, and the user's browser restrictions.
#pragma once

#include "pages/browser_cache.h"
#include "pages/tweak_page.h"

#include <string>

namespace ui {
class Image;
class Label;
class TabSheet;
}

namespace pages {

class TForm_IE : public TweakPage {
public:
    TForm_IE();

    void LoadSettings() override;
    void SaveSettings() override;

    // Puts the path into the picture edit and shows the picture tiled over the preview;
    // a missing file (or one that cannot be decoded) hides the preview.
    void ShowToolbarPicture(const std::string& path);

    // "..." beside the picture and beside the download folder.
    void Button_BildLADENClick();
    void Button_DownloadDIRClick();
    // Open the cookie and the cache folder in Explorer.
    void Button_CookiesSEHENClick();
    void Button_CacheSEHENClick();
    // Count, ask, and delete the cached files, the cookies or the history.
    void Button_CacheDELETEClick();
    void Button_CookiesDELETEClick();
    void Button_HistoryDELETEClick();

    ui::Image& Image_IE5() const { return *preview_; }
    ui::Image& Image_IE5_Dummy() const { return *picture_; }

protected:
    void CreateComboItems() override;
    void CreateFilters() override;
    TweakPage* singleInstance() const override;

private:
    void createLookSheet();
    void createOtherSheet();
    void createCacheSheet();
    void createRestrictionsSheet();
    void createOptionsSheet();
    ui::TabSheet& addSheet(const char* name, int tag, const char* caption);
    void deleteCacheEntries(cache::CacheKind kind, const char* buttonName);
    void showPreview(bool shown);

    ui::Image* preview_ = nullptr;
    ui::Image* picture_ = nullptr;
    ui::Label* noPicture_ = nullptr;
    std::string pictureFilter_;
};

// The page while it exists; its creator sets and clears it.
extern TForm_IE* Form_IE;

}  // namespace pages
