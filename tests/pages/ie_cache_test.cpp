// The clean-up of the browser cache on the Internet Explorer page, on the real WinInet
// URL cache: entries are seeded with known sizes (cached files, cookies, history), and
// the three buttons count, ask, and delete exactly their kind.
#include "pages_fixture.h"

#include "components/wait_form.h"
#include "pages/browser_cache.h"
#include "pages/ie_form.h"
#include "ui/application.h"
#include "ui/controls.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>

using pages::Form_IE;
using pages::TForm_IE;
using pages::cache::CacheKind;

namespace {

// These tests empty the URL cache of the Windows they run on, so they run only under
// Wine, whose test prefix is thrown away afterwards.
bool UnderWine()
{
    const HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

// Every address the cache holds, of every kind.
std::set<std::string> CachedUrls()
{
    std::set<std::string> urls;
    std::vector<BYTE> buffer(64 * 1024);
    DWORD size = static_cast<DWORD>(buffer.size());
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer.data());
    HANDLE find = FindFirstUrlCacheEntryA(nullptr, entry, &size);
    if (!find)
        return urls;
    do {
        urls.insert(entry->lpszSourceUrlName);
        size = static_cast<DWORD>(buffer.size());
    } while (FindNextUrlCacheEntryA(find, entry, &size));
    FindCloseUrlCache(find);
    return urls;
}

void EmptyCache()
{
    for (const std::string& url : CachedUrls())
        DeleteUrlCacheEntryA(url.c_str());
}

// One entry with a file of `size` bytes.
void Seed(const std::string& url, std::size_t size, DWORD type)
{
    char file[MAX_PATH] = {};
    ASSERT_TRUE(CreateUrlCacheEntryA(url.c_str(), static_cast<DWORD>(size), "", file, 0)) << url;
    {
        std::ofstream out(file, std::ios::binary);
        out << std::string(size, 'x');
    }
    const FILETIME never{};
    ASSERT_TRUE(CommitUrlCacheEntryA(url.c_str(), file, never, never, type, nullptr, 0, nullptr, nullptr)) << url;
}

const std::string kFiles[] = {"http://velmora.test/a.html", "http://velmora.test/b.png", "http://velmora.test/c.css"};
const std::string kCookie = "Cookie:user@velmora.test/";
const std::string kVisited = "Visited: user@http://velmora.test/a.html";

class CacheCleanUpTest : public PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        if (!UnderWine())
            GTEST_SKIP() << "would empty the browser cache of this machine";
        EmptyCache();
        components::WarteForm = &wait;
    }
    void TearDown() override
    {
        components::WarteForm = nullptr;
        Form_IE = nullptr;
        page.reset();
        EmptyCache();
        ui::CancelRequested = false;
        PageTest::TearDown();
    }

    TForm_IE& create()
    {
        page = std::make_unique<TForm_IE>();
        Form_IE = page.get();
        language::LocalizeComponent(*page);
        return *page;
    }
    ui::Button& button(const char* name) const { return page->find<ui::Button>(name); }

    void seedAll()
    {
        Seed(kFiles[0], 1000, NORMAL_CACHE_ENTRY);
        Seed(kFiles[1], 2000, NORMAL_CACHE_ENTRY);
        Seed(kFiles[2], 500, NORMAL_CACHE_ENTRY);
        Seed(kCookie, 300, COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
        Seed(kVisited, 0, URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY);
    }

    components::TWarteForm wait;
    std::unique_ptr<TForm_IE> page;
};

TEST_F(CacheCleanUpTest, EmptyingTheCacheAsksWithCountAndSizeAndLeavesCookiesAndHistory)
{
    seedAll();
    create();
    boxes.answer(ui::MsgButton::Yes);
    button("Button_CacheDELETE").click();

    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Confirmation);
    // 3500 bytes are 3 KB.
    EXPECT_EQ(boxes.last().text, language::LangString(8902) + "\r" + language::LangString(8903) + " 3 " +
                                     language::LangString(8904) + " 3 " + language::LangString(60) + ".");
    EXPECT_EQ(pages::cache::CountOf(CacheKind::Cache).EntryCount, 3u);
    EXPECT_EQ(pages::cache::CountOf(CacheKind::Cache).ByteTotal, 3500u);
    EXPECT_EQ(CachedUrls(), (std::set<std::string>{kCookie, kVisited}));
    EXPECT_FALSE(button("Button_CacheDELETE").enabled());
    EXPECT_FALSE(IsWindowVisible(wait.handle()));
}

TEST_F(CacheCleanUpTest, CookiesAndHistoryDeleteOnlyTheirOwnEntries)
{
    seedAll();
    create();
    boxes.answer(ui::MsgButton::Yes);
    button("Button_CookiesDELETE").click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, language::LangString(8912) + "\r" + language::LangString(8913) + " 1 " +
                                     language::LangString(8914) + " 0 " + language::LangString(8915));
    EXPECT_EQ(CachedUrls().count(kCookie), 0u);
    EXPECT_EQ(CachedUrls().size(), 4u);

    boxes.answer(ui::MsgButton::Yes);
    button("Button_HistoryDELETE").click();
    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().text,
              language::LangString(8922) + "\r" + language::LangString(8923) + " 1 " + language::LangString(8924));
    EXPECT_EQ(CachedUrls(), (std::set<std::string>{kFiles[0], kFiles[1], kFiles[2]}));
}

TEST_F(CacheCleanUpTest, AnEmptyHistorySaysSoAndDisablesItsButtonWithoutAsking)
{
    Seed(kFiles[0], 10, NORMAL_CACHE_ENTRY);
    create();
    button("Button_HistoryDELETE").click();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, ui::MsgKind::Plain);
    EXPECT_EQ(boxes.last().text, language::LangString(8921));
    EXPECT_FALSE(button("Button_HistoryDELETE").enabled());
}

TEST_F(CacheCleanUpTest, NoDeletesNothingAndTheButtonCountsAgainNextTime)
{
    seedAll();
    create();
    boxes.answer(ui::MsgButton::No);
    button("Button_CacheDELETE").click();
    EXPECT_EQ(CachedUrls().size(), 5u);
    EXPECT_TRUE(button("Button_CacheDELETE").enabled());

    Seed("http://velmora.test/d.js", 4096, NORMAL_CACHE_ENTRY);
    boxes.answer(ui::MsgButton::No);
    button("Button_CacheDELETE").click();
    EXPECT_EQ(pages::cache::CountOf(CacheKind::Cache).EntryCount, 4u);
    EXPECT_EQ(CachedUrls().size(), 6u);
}

TEST_F(CacheCleanUpTest, CancelWhileCountingShowsNothing)
{
    seedAll();
    create();
    // The click waits in the queue until the count lets messages run.
    PostMessageA(wait.Button1().handle(), BM_CLICK, 0, 0);
    button("Button_CacheDELETE").click();
    EXPECT_TRUE(boxes.shown().empty());
    EXPECT_FALSE(ui::CancelRequested);
    EXPECT_TRUE(button("Button_CacheDELETE").enabled());
    EXPECT_EQ(CachedUrls().size(), 5u);
}

TEST_F(CacheCleanUpTest, EntriesInUseStayAndAreReportedInOneMessage)
{
    seedAll();
    // An entry whose file is open for reading cannot be deleted.
    std::vector<BYTE> record(4096);
    DWORD size = static_cast<DWORD>(record.size());
    ASSERT_TRUE(RetrieveUrlCacheEntryFileA(kFiles[1].c_str(),
                                           reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(record.data()), &size, 0));
    create();
    boxes.answer(ui::MsgButton::Yes);
    button("Button_CacheDELETE").click();
    const std::set<std::string> left = CachedUrls();
    UnlockUrlCacheEntryFileA(kFiles[1].c_str(), 0);

    ASSERT_EQ(boxes.shown().size(), 2u);
    EXPECT_EQ(boxes.last().text, "1 " + language::LangString(8800) + "\r" + language::LangString(8801));
    EXPECT_EQ(left, (std::set<std::string>{kFiles[1], kCookie, kVisited}));
    EXPECT_FALSE(button("Button_CacheDELETE").enabled());
}

// The processor time the user-interface thread has used so far, in milliseconds.
long long ThreadMilliseconds()
{
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME& time) {
        return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return (ticks(kernel) + ticks(user)) / 10000;
}

// Messages keep being processed while thousands of entries are counted and deleted:
// a timer of the user-interface thread measures the longest pause between two of
// them, in time on the clock and in the processor time the thread spent in between
// (the clock also counts the time other programs on a busy machine took).
TEST_F(CacheCleanUpTest, TheWaitWindowStaysResponsiveOverFiveThousandEntries)
{
    constexpr int kEntries = 5000;
    for (int index = 0; index < kEntries; ++index)
        Seed("http://velmora.test/many/" + std::to_string(index), 100, NORMAL_CACHE_ENTRY);
    create();

    using Clock = std::chrono::steady_clock;
    static Clock::time_point last;
    static Clock::duration longest;
    static long long lastWork;
    static long long longestWork;
    static int ticks;
    last = Clock::now();
    lastWork = ThreadMilliseconds();
    longest = Clock::duration::zero();
    longestWork = 0;
    ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 1, [](HWND, UINT, UINT_PTR, DWORD) {
        const auto now = Clock::now();
        const long long work = ThreadMilliseconds();
        longest = std::max(longest, now - last);
        longestWork = std::max(longestWork, work - lastWork);
        last = now;
        lastWork = work;
        ++ticks;
    });
    boxes.answer(ui::MsgButton::Yes);
    const auto start = Clock::now();
    button("Button_CacheDELETE").click();
    const auto total = Clock::now() - start;
    KillTimer(nullptr, timer);

    EXPECT_EQ(pages::cache::CountOf(CacheKind::Cache).EntryCount, static_cast<unsigned>(kEntries));
    EXPECT_TRUE(CachedUrls().empty());
    const auto ms = [](Clock::duration d) {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(d).count());
    };
    std::printf("[ figure   ] %d entries counted and deleted in %lld ms; %d timer messages; longest gap between "
                "two: %lld ms on the clock, %lld ms of the thread's processor time\n",
                kEntries, ms(total), ticks, ms(longest), longestWork);
    // The clock's figure depends on how busy the machine is, so only the thread's own
    // work between two messages is held to the limit.
    EXPECT_GT(ticks, 100);
    EXPECT_LT(longestWork, 100);
}

}  // namespace
