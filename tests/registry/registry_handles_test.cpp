// Every call closes the keys it opened, also when it raises an error.
#include "harness/registry_sandbox.h"
#include "registry/registry.h"

#include <gtest/gtest.h>

#include <vector>

using namespace registry;

namespace {

// Windows counts a process's open handles. Wine reports 0 but hands out the lowest free
// handle slots first, so there a leaked key shows as a gap in the next free slots.
struct HandleMark {
    DWORD count = 0;
    std::vector<HANDLE> nextFree;
};

HandleMark TakeMark()
{
    HandleMark mark;
    GetProcessHandleCount(GetCurrentProcess(), &mark.count);
    std::vector<ui::KernelHandle> probes;
    for (int i = 0; i < 256; ++i) {
        probes.emplace_back(CreateEventA(nullptr, TRUE, FALSE, nullptr));
        mark.nextFree.push_back(probes.back().get());
    }
    return mark;
}

void ExpectNoHandleLeft(const HandleMark& before)
{
    const HandleMark after = TakeMark();
    if (before.count != 0) {
        EXPECT_EQ(before.count, after.count);
    } else {
        EXPECT_TRUE(before.nextFree == after.nextFree);
    }
}

class RegistryHandlesTest : public RegistrySandbox {};

TEST_F(RegistryHandlesTest, CallsCloseTheirKeysOnEveryPath)
{
    const std::string key = "Software\\Velmora\\Handles";
    WriteRawValue(HKCU, key, "Text", REG_SZ, {'a', 0});
    WriteRawValue(HKCU, key, "Long", REG_BINARY, std::vector<BYTE>(8, 1));
    WriteRawValue(HKLM, key, "Kept", REG_DWORD, {1, 0, 0, 0});
    makeReadOnly(HKLM);
    const auto exercise = [&] {
        for (HKEY root : {HKCU, HKLM}) {
            RegKeyExists(root, key);
            RegSubkeyNames(root, "Software");
            RegValueNames(root, key);
            RegValueExists(root, key, "T");
            RegValueKind(root, key, "Text");
            RegReadText(root, key, "Text");
            RegValueMatchesText(root, key, "Text", "A");
            RaisedText([&] { RegReadInt(root, key, "Text"); });          // conversion error
            RaisedText([&] { RegValueMatchesInt(root, key, "Long", 1); });  // invalid data type
            RegReadBinary(root, key, "Long");
            RaisedText([&] { RegUpdateText(root, key, "Text", "b"); });
            RaisedText([&] { RegWriteText(root, key, "Text", "c"); });
            RaisedText([&] { RegWriteExpandText(root, key + "\\New", "Text", "c"); });
            RaisedText([&] { RegWriteInt(root, key, "Number", 1); });
            RaisedText([&] { RegStoreInt(root, key, "Stored", 1); });
            RaisedText([&] { RegUpdateBinary(root, key, "Long", 2); });
            RaisedText([&] { RegWriteBinary(root, key, "Blob", 2); });
            RaisedText([&] { RegKeyEnsure(root, key + "\\Ensured"); });
            RegValueRemove(root, key, "Number");
            RegKeyRemove(root, key + "\\New");
        }
    };
    exercise();  // the first raised error sets up the runtime's own handles once
    const HandleMark before = TakeMark();
    exercise();
    ExpectNoHandleLeft(before);
}

}  // namespace
