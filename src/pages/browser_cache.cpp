#include "pages/browser_cache.h"

#include "components/wait_form.h"
#include "language/language.h"
#include "ui/application.h"
#include "ui/dialogs.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace pages::cache {

namespace {

constexpr int kNotDeleted = 8800;
constexpr int kNotDeletedHint = 8801;

// An enumeration step that keeps failing with an unexpected error gives up after this
// many tries in a row, so that a broken cache cannot hold the program in the loop.
constexpr int kMostFailedSteps = 100;

struct KindDesign {
    DWORD filter;     // the entry types the enumeration asks for
    DWORD extraBit;   // a type bit every matching entry has (0: none)
};

constexpr KindDesign Design(CacheKind kind)
{
    switch (kind) {
    case CacheKind::Cookies: return {COOKIE_CACHE_ENTRY | NORMAL_CACHE_ENTRY, COOKIE_CACHE_ENTRY};
    case CacheKind::History: return {URLHISTORY_CACHE_ENTRY | NORMAL_CACHE_ENTRY, URLHISTORY_CACHE_ENTRY};
    case CacheKind::Cache: break;
    }
    return {NORMAL_CACHE_ENTRY, 0};
}

// Whether an entry of this type belongs to the kind. Cached files are the normal
// entries that are neither cookies nor history, so that emptying the cache never
// takes cookies or the history along, whichever containers the enumeration visits.
bool TypeMatches(CacheKind kind, DWORD type)
{
    const KindDesign design = Design(kind);
    if (design.extraBit)
        return (type & design.extraBit) != 0;
    return (type & (COOKIE_CACHE_ENTRY | URLHISTORY_CACHE_ENTRY)) == 0;
}

// A find handle of the URL cache, closed with FindCloseUrlCache. A failed close is
// reported and the operation goes on.
class CacheFindHandle {
public:
    CacheFindHandle() = default;
    CacheFindHandle(const CacheFindHandle&) = delete;
    CacheFindHandle& operator=(const CacheFindHandle&) = delete;
    ~CacheFindHandle() { reset(nullptr); }

    HANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

    void reset(HANDLE handle)
    {
        if (handle_ && !FindCloseUrlCache(handle_))
            ui::ShowMessage("Error closing URL Cache-Entry!");
        handle_ = handle;
    }

private:
    HANDLE handle_ = nullptr;
};

// One walk through the cache entries of a kind. Each entry's record size is learned
// first, so every entry is fetched twice. Where the platform cannot enumerate with a
// type filter, the walk takes every entry and leaves the filtering to the caller,
// which checks each entry's type anyway.
class CacheWalk {
public:
    explicit CacheWalk(CacheKind kind) : filter_(Design(kind).filter) { fetchFirst(); }

    bool started() const { return static_cast<bool>(handle_); }
    // Why the walk could not start (ERROR_NO_MORE_ITEMS for an empty cache).
    DWORD startError() const { return startError_; }

    // The entry fetched last, or null when the last step fetched none.
    INTERNET_CACHE_ENTRY_INFOA* entry()
    {
        return hasEntry_ ? reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data()) : nullptr;
    }
    DWORD entrySize() const { return static_cast<DWORD>(buffer_.size()); }

    // One step to the next entry. False when the walk is over: no more entries, the
    // cancel button was pressed, or the cache keeps failing.
    bool next()
    {
        hasEntry_ = false;
        DWORD size = 0;
        const bool found = plain_ ? FindNextUrlCacheEntryA(handle_.get(), nullptr, &size)
                                  : FindNextUrlCacheEntryExA(handle_.get(), nullptr, &size, nullptr, nullptr, nullptr);
        const DWORD error = found ? ERROR_SUCCESS : GetLastError();
        if (error == ERROR_INSUFFICIENT_BUFFER) {
            failedSteps_ = 0;
            allocate(size);
            hasEntry_ = plain_ ? FindNextUrlCacheEntryA(handle_.get(), entryBuffer(), &size)
                               : FindNextUrlCacheEntryExA(handle_.get(), entryBuffer(), &size, nullptr, nullptr, nullptr);
        } else if (error != ERROR_NO_MORE_ITEMS) {
            ++failedSteps_;
        }
        return error != ERROR_NO_MORE_ITEMS && !ui::CancelRequested && failedSteps_ < kMostFailedSteps;
    }

private:
    INTERNET_CACHE_ENTRY_INFOA* entryBuffer()
    {
        return reinterpret_cast<INTERNET_CACHE_ENTRY_INFOA*>(buffer_.data());
    }

    void allocate(DWORD size)
    {
        // At least one record, so a buffer always has room for its fixed part.
        buffer_.assign(std::max<std::size_t>(size, sizeof(INTERNET_CACHE_ENTRY_INFOA)), 0);
    }

    void fetchFirst()
    {
        DWORD size = 0;
        HANDLE handle = FindFirstUrlCacheEntryExA(nullptr, 0, filter_, 0, nullptr, &size, nullptr, nullptr, nullptr);
        DWORD error = handle ? ERROR_SUCCESS : GetLastError();
        if (handle) {
            // Nothing to learn a size from: the enumeration has started without a record.
            handle_.reset(handle);
            return;
        }
        if (error != ERROR_INSUFFICIENT_BUFFER && error != ERROR_NO_MORE_ITEMS) {
            // The filtered enumeration is not available here: walk every entry instead.
            plain_ = true;
            size = 0;
            handle = FindFirstUrlCacheEntryA(nullptr, nullptr, &size);
            error = handle ? ERROR_SUCCESS : GetLastError();
            if (handle) {
                handle_.reset(handle);
                return;
            }
        }
        if (error != ERROR_INSUFFICIENT_BUFFER) {
            startError_ = error;
            return;
        }
        allocate(size);
        handle = plain_ ? FindFirstUrlCacheEntryA(nullptr, entryBuffer(), &size)
                        : FindFirstUrlCacheEntryExA(nullptr, 0, filter_, 0, entryBuffer(), &size, nullptr, nullptr,
                                                    nullptr);
        if (!handle) {
            startError_ = GetLastError();
            return;
        }
        handle_.reset(handle);
        hasEntry_ = true;
    }

    DWORD filter_;
    bool plain_ = false;
    CacheFindHandle handle_;
    DWORD startError_ = ERROR_SUCCESS;
    std::vector<BYTE> buffer_;
    bool hasEntry_ = false;
    int failedSteps_ = 0;
};

// The entry belongs to the kind and the cache still describes it.
bool Matches(CacheKind kind, CacheWalk& walk)
{
    INTERNET_CACHE_ENTRY_INFOA* entry = walk.entry();
    return entry && TypeMatches(kind, entry->CacheEntryType) && IsLiveCacheEntry(*entry, walk.entrySize());
}

// Deletes the entry the walk stands on; false when the cache refused.
bool DeleteCurrent(CacheWalk& walk)
{
    const std::string url = walk.entry()->lpszSourceUrlName ? walk.entry()->lpszSourceUrlName : "";
    return DeleteUrlCacheEntryA(url.c_str()) != FALSE;
}

void AdvanceProgress()
{
    if (auto* wait = components::WarteForm) {
        ui::ProgressBar& bar = wait->ProgressBar1();
        bar.setPosition(bar.position() + 1);
    }
}

std::array<CacheCount, 3> Counts{};

}  // namespace

CacheCount& CountOf(CacheKind kind)
{
    return Counts[static_cast<std::size_t>(kind)];
}

bool IsLiveCacheEntry(INTERNET_CACHE_ENTRY_INFOA& entry, DWORD size)
{
    if (!(entry.CacheEntryType & NORMAL_CACHE_ENTRY) || !entry.lpszSourceUrlName)
        return false;
    // The address lies inside the record that the call rewrites: it is asked with a copy.
    const std::string url = entry.lpszSourceUrlName;
    DWORD recordSize = size;
    return GetUrlCacheEntryInfoExA(url.c_str(), &entry, &recordSize, nullptr, nullptr, nullptr, 0) != FALSE;
}

void CountCacheEntries(CacheKind kind)
{
    CacheCount count;
    CountOf(kind) = count;
    ui::ProcessMessages();
    CacheWalk walk(kind);
    const auto add = [&] {
        if (Matches(kind, walk)) {
            ++count.EntryCount;
            count.ByteTotal += walk.entry()->dwSizeLow;
        }
    };
    add();
    if (walk.started()) {
        bool going = true;
        while (going) {
            ui::ProcessMessages();
            going = walk.next();
            add();
        }
    }
    CountOf(kind) = count;
}

void DeleteCacheEntries(CacheKind kind)
{
    if (CountOf(kind).EntryCount == 0)
        return;
    unsigned failures = 0;
    CacheWalk walk(kind);
    const auto remove = [&] {
        if (Matches(kind, walk) && !DeleteCurrent(walk))
            ++failures;
    };
    remove();
    if (walk.started()) {
        bool going = true;
        while (going) {
            AdvanceProgress();
            ui::ProcessMessages();
            going = walk.next();
            remove();
        }
    } else if (walk.startError() != ERROR_NO_MORE_ITEMS) {
        // The cache cannot be read now: said once, and the program goes on. (A cache
        // emptied meanwhile has nothing left to delete and needs no message.)
        ui::ShowMessage("Error finding URL Cache-Entry!");
    }
    if (failures > 0)
        ui::ShowMessage(std::to_string(failures) + " " + language::LangString(kNotDeleted) + "\r" +
                        language::LangString(kNotDeletedHint));
}

}  // namespace pages::cache
