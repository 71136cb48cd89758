// The browser's cached files, cookies and history as the WinInet URL cache keeps
// them: counting the entries of one kind and deleting them one by one, with the
// wait window's progress bar and its cancel button. The program never touches the
// cache's files itself; everything goes through the cache functions.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <cstdint>

namespace pages::cache {

enum class CacheKind { Cache, Cookies, History };

// The result of the last count of a kind; both stay 0 until the kind is counted.
struct CacheCount {
    std::uint32_t EntryCount = 0;
    std::uint32_t ByteTotal = 0;  // the entries' low size words, added with wrap-around
};

// The last count of a kind, for the whole run of the program.
CacheCount& CountOf(CacheKind kind);

// Counts the matching entries of the kind, letting window messages run between
// entries; stops early when the wait window's cancel button was pressed.
void CountCacheEntries(CacheKind kind);

// Deletes the matching entries of the kind (nothing when its last count was 0),
// advancing the wait window's progress bar once per entry looked at. Entries that
// could not be deleted are reported in one message afterwards.
void DeleteCacheEntries(CacheKind kind);

// The entry is a normal entry that the cache still describes; its record in the
// buffer of `size` bytes is refreshed from the cache.
bool IsLiveCacheEntry(INTERNET_CACHE_ENTRY_INFOA& entry, DWORD size);

}  // namespace pages::cache
