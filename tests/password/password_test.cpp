// The stored program password: its scrambled bytes, matching, and setting and
// removing it on the options page.
#include "password_fixture.h"

#include "password/options_form.h"
#include "ui/controls.h"
#include "ui/errors.h"

#include <gtest/gtest.h>

using password::PasswordMatches;
using ui::MsgKind;

namespace {

class PasswordPageTest : public PasswordTest {
protected:
    void SetUp() override
    {
        PasswordTest::SetUp();
        page.emplace();
    }
    void TearDown() override
    {
        page.reset();
        PasswordTest::TearDown();
    }

    void enter(const std::string& entry, const std::string& repetition)
    {
        page->Edit1().setText(entry);
        page->Edit2().setText(repetition);
    }
    void set(const std::string& entry, const std::string& repetition)
    {
        enter(entry, repetition);
        page->find<ui::Button>("Button_PasswortSET").click();
    }
    void remove(const std::string& entry, const std::string& repetition)
    {
        enter(entry, repetition);
        page->find<ui::Button>("Button_PasswortDELETE").click();
    }

    std::optional<password::TForm_Options> page;
};

}  // namespace

TEST_F(PasswordTest, EvenPositionsAddTheOffsetAndOddOnesSubtractItModulo256)
{
    // 0xFF + 77 and '!' - 77 wrap past 255 and below 0.
    const std::string text = "\xFF!\xFF!ab";
    const std::vector<BYTE> expected = {76, 212, 76, 212, 97 + 77, 98 - 77};
    StorePassword(text);
    EXPECT_EQ(StoredBytes(), expected);
    EXPECT_TRUE(PasswordMatches(text));
    EXPECT_EQ(password::UnscrambledText(expected.data(), expected.size()), text);
}

TEST_F(PasswordTest, NoValueOrAnEmptyValueMeansNoPasswordAndEveryEntryPasses)
{
    EXPECT_TRUE(PasswordMatches(""));
    EXPECT_TRUE(PasswordMatches("irgendwas"));
    StoreBytes({});
    EXPECT_FALSE(password::PasswordIsSet());
    EXPECT_TRUE(PasswordMatches("irgendwas"));
}

TEST_F(PasswordTest, OnlyTheExactTextMatchesAndLetterCaseCounts)
{
    StorePassword("Geheim1");
    EXPECT_TRUE(PasswordMatches("Geheim1"));
    for (const char* other : {"geheim1", "GEHEIM1", "Geheim", "Geheim12", "", " Geheim1"})
        EXPECT_FALSE(PasswordMatches(other)) << other;
}

TEST_F(PasswordTest, AValueTooLargeForTheScratchBufferMatchesNoEntry)
{
    // Not written by this program; its bytes never reach BinaryScratch, so whatever
    // the buffer held before must not decide.
    const std::string text(3000, 'x');
    StorePassword(text);
    EXPECT_TRUE(password::PasswordIsSet());
    EXPECT_FALSE(PasswordMatches(text));
    EXPECT_FALSE(PasswordMatches(""));
}

TEST_F(PasswordPageTest, SettingChecksTheEntriesBeforeAnythingIsStored)
{
    struct Case {
        const char* what;
        std::string entry;
        std::string repetition;
        MsgKind kind;
        std::string message;
        bool stored;
    };
    const std::string tooShort = TwoLines(11950, 11951);
    const Case cases[] = {
        {"six characters", "abcdef", "abcdef", MsgKind::Plain, "Das Passwort wurde gespeichert.", true},
        {"five characters", "abcde", "abcde", MsgKind::Error, tooShort, false},
        {"empty", "", "", MsgKind::Error, tooShort, false},
        {"entries differ", "abcdef", "abcdeF", MsgKind::Error, TwoLines(11940, 11941), false},
        {"differ before too short", "abc", "abd", MsgKind::Error, TwoLines(11940, 11941), false},
        {"longest", std::string(2047, 'q'), std::string(2047, 'q'), MsgKind::Plain, language::LangString(11960), true},
        {"too long", std::string(2048, 'q'), std::string(2048, 'q'), MsgKind::Error,
         "Das Passwort ist zu lang: es darf höchstens 2047 Zeichen haben.", false},
    };
    for (const Case& c : cases) {
        StorePassword("altes Passwort");
        boxes.clear();
        set(c.entry, c.repetition);
        ASSERT_EQ(boxes.shown().size(), 1u) << c.what;
        EXPECT_EQ(boxes.last().kind, c.kind) << c.what;
        EXPECT_EQ(boxes.last().text, c.message) << c.what;
        EXPECT_EQ(boxes.last().buttons.size(), 1u) << c.what;
        EXPECT_EQ(PasswordMatches(c.entry), c.stored) << c.what;
        EXPECT_EQ(PasswordMatches("altes Passwort"), !c.stored) << c.what;
        if (c.stored) {
            EXPECT_EQ(StoredBytes()->size(), c.entry.size()) << c.what;
        }
        // The entries stay as typed either way.
        EXPECT_EQ(page->Edit1().text(), c.entry) << c.what;
        EXPECT_EQ(page->Edit2().text(), c.repetition) << c.what;
    }
}

TEST_F(PasswordPageTest, ANewPasswordReplacesTheOldOneWithoutAskingForIt)
{
    set("Erstes1", "Erstes1");
    set("zweites", "zweites");
    EXPECT_TRUE(PasswordMatches("zweites"));
    EXPECT_FALSE(PasswordMatches("Erstes1"));
    EXPECT_EQ(StoredBytes()->size(), 7u);
}

TEST_F(PasswordPageTest, RemovingSaysWhyItRefusesAndKeepsThePassword)
{
    struct Case {
        const char* what;
        std::string entry;
        std::string repetition;
        MsgKind kind;
        std::string message;
    };
    const Case cases[] = {
        {"entries differ", "Geheim1", "Geheim2", MsgKind::Error, TwoLines(11910, 11911)},
        {"equal but wrong", "geheim1", "geheim1", MsgKind::Error, TwoLines(11920, 11921)},
        {"empty", "", "", MsgKind::Error, TwoLines(11920, 11921)},
    };
    StorePassword("Geheim1");
    for (const Case& c : cases) {
        boxes.clear();
        remove(c.entry, c.repetition);
        ASSERT_EQ(boxes.shown().size(), 1u) << c.what;
        EXPECT_EQ(boxes.last().kind, c.kind) << c.what;
        EXPECT_EQ(boxes.last().text, c.message) << c.what;
        EXPECT_TRUE(password::PasswordIsSet()) << c.what;
        EXPECT_EQ(page->Edit1().text(), c.entry) << c.what;
    }
}

TEST_F(PasswordPageTest, RemovingWithoutAPasswordWarnsWhateverTheEntriesSay)
{
    for (const auto& [entry, repetition] : {std::pair{"", ""}, std::pair{"abcdef", "ghijkl"}}) {
        boxes.clear();
        remove(entry, repetition);
        ASSERT_EQ(boxes.shown().size(), 1u);
        EXPECT_EQ(boxes.last().kind, MsgKind::Warning);
        EXPECT_EQ(boxes.last().text, "Es ist kein Passwort eingerichtet, das entfernt werden könnte.");
    }
    StoreBytes({});  // an empty value is no password either
    boxes.clear();
    remove("", "");
    EXPECT_EQ(boxes.last().kind, MsgKind::Warning);
}

TEST_F(PasswordPageTest, RemovingWithTheRightPasswordDeletesItAndEmptiesTheEntries)
{
    StorePassword("Geheim1");
    remove("Geheim1", "Geheim1");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Plain);
    EXPECT_EQ(boxes.last().text, language::LangString(11930));
    EXPECT_EQ(StoredBytes(), std::nullopt);
    EXPECT_EQ(page->Edit1().text(), "");
    EXPECT_EQ(page->Edit2().text(), "");
}

TEST_F(PasswordPageTest, WithoutRightsSettingShowsTheWriteErrorAndTheOldPasswordStays)
{
    StorePassword("altes Passwort");
    const auto before = StoredBytes();
    makeReadOnly(HKEY_LOCAL_MACHINE);
    set("neues Passwort", "neues Passwort");
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().kind, MsgKind::Error);
    EXPECT_EQ(boxes.last().text, "Fehler beim Setzen der Daten für 'Encrypted Data'");
    EXPECT_EQ(StoredBytes(), before);
}
