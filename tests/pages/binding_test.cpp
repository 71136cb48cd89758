// The binding rules on a small form of their own: what each rule reads and writes,
// a reading error that the remaining rows survive, and a writing error that ends
// the walk at its row. Also the picture filter of the pages.
#include "pages_fixture.h"

#include "pages/binding.h"
#include "pages/tweak_page.h"
#include "ui/controls.h"
#include "ui/errors.h"
#include "ui/form.h"
#include "ui/spinedit.h"

#include <gtest/gtest.h>

using pages::BindingRow;
using pages::BindingTable;
using pages::Rule;

namespace {

const std::string kKey = "Software\\Velmora\\Binding";

BindingRow Row(const char* control, const char* value, Rule rule)
{
    return pages::BoundRow(control, HKCU, kKey, value, rule);
}

class BindingTest : public PageTest {
protected:
    BindingTest() : form("Form_Binding", 400, 300)
    {
        for (const char* name : {"CheckBox_A", "CheckBox_B", "CheckBox_C"})
            form.add<ui::CheckBox>(form, name, ui::Bounds{0, 0, 100, 17});
        form.add<ui::RadioButton>(form, "RadioButton_Own1", ui::Bounds{0, 20, 100, 17});
        form.add<ui::RadioButton>(form, "RadioButton_Own2", ui::Bounds{0, 40, 100, 17});
        form.add<ui::SpinEdit>(form, "SpinEdit_Own", ui::Bounds{0, 60, 80, 21}, 0, 1000, 1, 7);
    }
    ui::CheckBox& box(const char* name) { return form.find<ui::CheckBox>(name); }

    ui::Form form;
};

TEST_F(BindingTest, EachFlagRuleReadsAndWritesItsOwnWay)
{
    struct Case {
        Rule rule;
        std::optional<Stored> stored;  // before loading
        bool loaded;
        std::optional<Stored> savedChecked;
        std::optional<Stored> savedUnchecked;
    };
    const Case cases[] = {
        {Rule::DwordFlag, std::nullopt, false, Dword(1), Dword(0)},
        {Rule::DwordFlag, Dword(1), true, Dword(1), Dword(0)},
        {Rule::InvertedDwordFlag, std::nullopt, true, Dword(0), Dword(1)},
        {Rule::InvertedDwordFlag, Dword(1), false, Dword(0), Dword(1)},
        {Rule::InvertedDwordFlag, Dword(2), true, Dword(0), Dword(1)},
        {Rule::TextFlag, Text("1"), true, Text("1"), Text("0")},
        {Rule::TextFlag, Text("yes"), false, Text("1"), Text("0")},
        {Rule::Presence, Text(""), true, Dword(1), std::nullopt},
        {Rule::Presence, std::nullopt, false, Dword(1), std::nullopt},
        {Rule::RemovedPolicyFlag, Dword(1), true, Dword(1), std::nullopt},
        {Rule::RemovedPolicyFlag, Dword(0), false, Dword(1), std::nullopt},
        // The yes/no text: only "no" (trimmed, any case) unchecks; a missing value checks.
        {Rule::YesNoText, Text(" no "), false, Text("yes"), Text("No")},
        {Rule::YesNoText, Text("\tNO"), false, Text("yes"), Text("No")},
        {Rule::YesNoText, Text("0"), true, Text("yes"), Text("No")},
        {Rule::YesNoText, Text("nope"), true, Text("yes"), Text("No")},
        {Rule::YesNoText, std::nullopt, true, Text("yes"), Text("No")},
        {Rule::YesNoText, Dword(0), true, Text("yes"), Text("No")},
    };
    for (const Case& item : cases) {
        const BindingRow row = Row("CheckBox_A", "Flag", item.rule);
        if (item.stored)
            Write(HKCU, kKey, "Flag", *item.stored);
        else
            registry::RegValueRemove(HKCU, kKey, "Flag");
        box("CheckBox_A").setChecked(!item.loaded);
        pages::LoadRow(form, row);
        EXPECT_EQ(box("CheckBox_A").checked(), item.loaded) << static_cast<int>(item.rule);
        pages::SaveRow(form, row);
        EXPECT_EQ(Read(HKCU, kKey, "Flag"), item.loaded ? item.savedChecked : item.savedUnchecked)
            << static_cast<int>(item.rule);
    }
}

TEST_F(BindingTest, APresentKeyRowCreatesAndRemovesItsKey)
{
    BindingRow row = Row("CheckBox_A", "", Rule::Presence);
    row.key = kKey + "\\Sub";
    row.presence.kind = pages::PresenceDetails::Kind::Key;
    pages::LoadRow(form, row);
    EXPECT_FALSE(box("CheckBox_A").checked());
    box("CheckBox_A").setChecked(true);
    pages::SaveRow(form, row);
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, row.key));
    pages::LoadRow(form, row);
    EXPECT_TRUE(box("CheckBox_A").checked());
    box("CheckBox_A").setChecked(false);
    pages::SaveRow(form, row);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, row.key));
}

TEST_F(BindingTest, AnOwnNumberCountsOnlyWhereTheRowSaysSo)
{
    BindingRow row = Row("RadioButton_Own1", "Number", Rule::DefaultOrOwnNumber);
    row.ownButton = "RadioButton_Own2";
    row.spinEdit = "SpinEdit_Own";
    struct Case {
        bool positiveOnly;
        std::optional<Stored> stored;
        bool own;
        int shown;
    };
    const Case cases[] = {
        {false, std::nullopt, false, 7}, {false, Dword(0), false, 7}, {false, Dword(300), true, 300},
        {false, Dword(static_cast<DWORD>(-5)), true, 0}, {true, Dword(static_cast<DWORD>(-5)), false, 7},
        {true, Dword(5000), true, 1000},
    };
    for (const Case& item : cases) {
        form.find<ui::SpinEdit>("SpinEdit_Own").setValue(7);
        row.positiveOnly = item.positiveOnly;
        if (item.stored)
            Write(HKCU, kKey, "Number", *item.stored);
        else
            registry::RegValueRemove(HKCU, kKey, "Number");
        pages::LoadRow(form, row);
        EXPECT_EQ(form.find<ui::RadioButton>("RadioButton_Own2").checked(), item.own);
        EXPECT_EQ(form.find<ui::RadioButton>("RadioButton_Own1").checked(), !item.own);
        EXPECT_EQ(form.find<ui::SpinEdit>("SpinEdit_Own").value(), item.shown);
        pages::SaveRow(form, row);
        EXPECT_EQ(Read(HKCU, kKey, "Number"), item.own ? std::optional<Stored>(Dword(item.shown)) : std::nullopt);
    }
}

TEST_F(BindingTest, ANumberAsTextTakesItsDefaultWhenEmpty)
{
    BindingRow row = Row("SpinEdit_Own", "Timeout", Rule::NumberAsText);
    row.defaultNumber = 250;
    for (const std::optional<Stored>& stored : {std::optional<Stored>(), std::optional<Stored>(Text(""))}) {
        if (stored)
            Write(HKCU, kKey, "Timeout", *stored);
        pages::LoadRow(form, row);
        EXPECT_EQ(form.find<ui::SpinEdit>("SpinEdit_Own").value(), 250);
        pages::SaveRow(form, row);
        EXPECT_EQ(Read(HKCU, kKey, "Timeout"), Text("250"));
    }
}

void FailingSave(ui::Component&, const BindingRow& row)
{
    throw ui::ERegistryError::writeFailed(row.value);
}

TEST_F(BindingTest, LoadingGoesOnAfterAnErrorAndSavingStopsAtIt)
{
    Write(HKCU, kKey, "A", Text("x1"));
    Write(HKCU, kKey, "B", Dword(1));
    Write(HKCU, kKey, "Timeout", Text("12"));
    BindingRow spin = Row("SpinEdit_Own", "Timeout", Rule::NumberAsText);
    BindingRow failing = Row("CheckBox_C", "C", Rule::Special);
    failing.save = FailingSave;
    const BindingTable table = {Row("CheckBox_A", "A", Rule::DwordFlag), Row("CheckBox_B", "B", Rule::DwordFlag), failing,
                                spin};
    pages::LoadRows(form, table);
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.last().text, "'x1' ist kein gültiger Integerwert");
    EXPECT_TRUE(box("CheckBox_B").checked());
    EXPECT_EQ(form.find<ui::SpinEdit>("SpinEdit_Own").value(), 12);

    form.find<ui::SpinEdit>("SpinEdit_Own").setValue(99);
    EXPECT_EQ(RaisedText([&] { pages::SaveRows(form, table); }), "Fehler beim Setzen der Daten für 'C'");
    EXPECT_EQ(Read(HKCU, kKey, "A"), Dword(0));
    EXPECT_EQ(Read(HKCU, kKey, "Timeout"), Text("12"));  // after the failing row: not written
}

TEST_F(BindingTest, RowsLoadByStageAndSaveInTableOrder)
{
    // Both rows write the same value: the last one written wins.
    BindingRow early = Row("CheckBox_A", "Shared", Rule::DwordFlag);
    BindingRow late = Row("CheckBox_B", "Shared", Rule::InvertedDwordFlag);
    early.loadStage = 1;
    Write(HKCU, kKey, "Shared", Dword(1));
    box("CheckBox_A").setChecked(true);
    box("CheckBox_B").setChecked(true);
    pages::SaveRows(form, {early, late});
    EXPECT_EQ(Read(HKCU, kKey, "Shared"), Dword(0));

    // Two rows for one box: the one of the later stage loads last and decides,
    // although it stands first in the table.
    BindingRow one = Row("CheckBox_C", "One", Rule::DwordFlag);
    BindingRow two = Row("CheckBox_C", "Two", Rule::DwordFlag);
    one.loadStage = 1;
    Write(HKCU, kKey, "One", Dword(1));
    Write(HKCU, kKey, "Two", Dword(0));
    pages::LoadRows(form, {one, two});
    EXPECT_TRUE(box("CheckBox_C").checked());
    one.loadStage = 0;
    pages::LoadRows(form, {one, two});
    EXPECT_FALSE(box("CheckBox_C").checked());
}

TEST_F(BindingTest, ThePictureFilterNamesTheFourKindsOfPicture)
{
    EXPECT_EQ(pages::PictureFilter(), "Alle (*.jpg;*.jpeg;*.bmp)|*.jpg;*.jpeg;*.bmp|JPG-Grafikdatei (*.jpg)|*.jpg|"
                                      "JPEG-Grafikdatei (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp");
}

}  // namespace
