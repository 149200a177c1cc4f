// What the dive record's boxes take from the keyboard, and how a screen reader finds them.
#include "tests/dive/DiveFormTest.h"

#include "platform/widgets/PropertyGrid.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QPlainTextEdit>

#include <functional>
#include <set>

namespace kvl::test {
namespace {

class DiveBoxesTest : public DiveFormTest {
protected:
    void ShowManualDive() { Show(AddDive(ManualDive(), 0, 1)); }   // imperial units
};

struct TypedCase {
    const char* name;
    std::function<EditBox&(DiveFrm&)> box;
    const char* typed;
    const char* shown;
};

EditBox& MaxDepth(DiveFrm& f) { return f.Text3(DiveText::MaxDepth); }
EditBox& Temperature(DiveFrm& f) { return f.Text3(DiveText::Temperature); }

const TypedCase kTypedCases[] = {
    {"LettersInMaxDepth", MaxDepth, "abc", ""},
    {"DecimalPointInMaxDepth", MaxDepth, "12.5", "12.5"},
    {"DecimalCommaInMaxDepth", MaxDepth, "12,5", "12,5"},   // the depth's reader takes a comma for the point
    {"OneDecimalMarkOnly", MaxDepth, "1.2.3", "1.23"},
    {"NoMinusInMaxDepth", MaxDepth, "-30", "30"},
    {"LettersAmongDigits", MaxDepth, "3x0", "30"},
    {"NoMinusInPressure", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::StartPressure2); }, "-2,5", "2,5"},
    {"MinusInTemperature", Temperature, "-3.5", "-3.5"},
    {"MinusOnlyInFront", Temperature, "3-5", "35"},
    {"NoCommaWhereValStopsAtIt", Temperature, "12,5", "125"},
    {"WholeMinutes", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::ElapsedTime); }, "45.5", "455"},
    {"WholeDiveNumber", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::DGDiveNo); }, "7.5", "75"},
    {"WholePsiInSacRate", [](DiveFrm& f) -> EditBox& { return f.Text3(DiveText::SacRate); }, "0.7a", "07"},
    {"WholeTransmitterId", [](DiveFrm& f) -> EditBox& { return f.TIDTxt(Tank::Two); }, "-12.x3", "123"},
};

class TypedIntoBox : public DiveBoxesTest, public ::testing::WithParamInterface<TypedCase> {};

TEST_P(TypedIntoBox, ShowsOnlyWhatCanBePartOfItsNumber)
{
    ShowManualDive();
    EditBox& box = GetParam().box(*form);
    box.setEnabled(true);   // a tank's boxes are off while the tank is
    box.clear();
    KeyIn(box, QString::fromUtf8(GetParam().typed));
    EXPECT_EQ(box.text(), QString::fromUtf8(GetParam().shown));
}

INSTANTIATE_TEST_SUITE_P(Boxes, TypedIntoBox, ::testing::ValuesIn(kTypedCases),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(DiveBoxesTest, WhatTheBoxShowsIsStored)
{
    const qint64 id = AddDive(ManualDive(), 0, 1);
    Show(id);
    MaxDepth(*form).clear();
    KeyIn(MaxDepth(*form), "4a5b");
    ASSERT_EQ(MaxDepth(*form).text(), "45");
    Temperature(*form).clear();
    KeyIn(Temperature(*form), "-2x");
    ASSERT_TRUE(SaveAsMainWindow());
    EXPECT_EQ(Stored(id, "MDEPTH").ToDouble(), 45);
    EXPECT_EQ(Stored(id, "TEMP").ToDouble(), -2);
}

// The pressure used reads a typed decimal comma the same way whichever way it is
// worked out: on leaving a pressure box and on switching a tank.
TEST_F(DiveBoxesTest, PressureUsedReadsADecimalCommaOnEveryRoad)
{
    ShowManualDive();
    TypeAndLeave(form->Text3(DiveText::StartPressure1), "3000,5");
    const QString used = form->Text3(DiveText::PressureUsed).text();
    ASSERT_EQ(used, "2500.5");
    form->Check2(OnOff::On).Click();
    EXPECT_EQ(form->Text3(DiveText::PressureUsed).text(), used);
}

// A value the program shows that is no number ("---" for a depth beyond the gauge)
// is shown as it is.
TEST_F(DiveBoxesTest, ProgramTextIsShownAsItIs)
{
    Show(AddDive(ManualDive({{"MDEPTH", 400}}), 0, 1));
    EXPECT_EQ(MaxDepth(*form).text(), "---");
}

// ---------------------------------------------------------------- names for screen readers

bool InsideCompositeControl(const QWidget* w, const QWidget* form)
{
    for (const QWidget* p = w->parentWidget(); p && p != form; p = p->parentWidget())
        if (qobject_cast<const QComboBox*>(p) || qobject_cast<const QAbstractItemView*>(p)
            || qobject_cast<const ButtonPopup*>(p))
            return true;
    return false;
}

// The boxes a user can reach: edit boxes, lists, check boxes, the memo and the grid.
std::vector<QWidget*> Boxes(QWidget& form)
{
    std::vector<QWidget*> boxes;
    for (QWidget* w : form.findChildren<QWidget*>()) {
        const bool box = qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)
                         || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QAbstractItemView*>(w);
        if (box && !InsideCompositeControl(w, &form))
            boxes.push_back(w);
    }
    return boxes;
}

// A list's accessible name on Linux is its current entry; a screen reader names the
// list by its caption (the label relation) or by the name given to it.
QString SpokenName(QWidget* w)
{
    if (!w->accessibleName().isEmpty())
        return w->accessibleName();
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

TEST_F(DiveBoxesTest, EveryBoxHasItsOwnSpokenName)
{
    ShowManualDive();
    const std::vector<QWidget*> boxes = Boxes(*form);
    ASSERT_FALSE(boxes.empty());
    std::set<QString> names;
    for (QWidget* box : boxes) {
        const QString name = SpokenName(box);
        EXPECT_FALSE(name.isEmpty()) << box->metaObject()->className();
        EXPECT_TRUE(names.insert(name).second) << "named twice: " << name.toStdString();
    }
}

TEST_F(DiveBoxesTest, BoxesInATankFrameAreNamedAfterTheirTank)
{
    ShowManualDive();
    struct Case {
        QWidget* box;
        const char* name;
    };
    const Case cases[] = {
        {&form->Text3(DiveText::StartPressure1), "Tank 1 Start Pressure"},
        {&form->Text3(DiveText::StartPressure2), "Tank 2 Start Pressure"},
        {&form->Text3(DiveText::CylinderSize3), "Tank 3 Cylinder Size"},
        {&form->TIDTxt(Tank::One), "Tank 1 Transmitter ID"},
        {&form->TIDTxt(Tank::Three), "Tank 3 TID"},
        {&form->Combo1(DiveList::Gas2), "Tank 2 FO2"},
        {&form->Check3(OnOff::Off), "Tank 3 OFF"},
        {&form->Units_Opt(DiveUnit::EndPressure2), "Tank 2 End Pressure unit"},
        {&form->Text3(DiveText::MaxDepth), "Max. Depth"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SpokenName(c.box), c.name);
}

// Every caption that names a box is tied to it: the box is the caption's buddy and
// reads the caption's words.
TEST_F(DiveBoxesTest, EveryCaptionIsTiedToItsBox)
{
    ShowManualDive();
    for (QLabel* caption : form->findChildren<QLabel*>()) {
        if (caption == &form->Label3(DiveLabel::Banner) || InsideCompositeControl(caption, form.get()))
            continue;
        ASSERT_NE(caption->buddy(), nullptr) << caption->text().toStdString();
        QString words = caption->text();
        words.chop(1);   // the colon
        EXPECT_TRUE(SpokenName(caption->buddy()).contains(words))
            << SpokenName(caption->buddy()).toStdString() << " / " << words.toStdString();
    }
}

} // namespace
} // namespace kvl::test
