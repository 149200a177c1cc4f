#include "dive/DiveFrmShared.h"

#include "dive/core/DiveFields.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"

#include <algorithm>
#include <iterator>

namespace kvl::divefrm {

QString NumberText(const db::Value& v) { return v.IsNull() ? QString() : v.ToString(); }

namespace {
QString Converted(const db::Value& v, float (*toDisplay)(const db::Value&))
{
    return v.IsNull() ? QString() : SingleToText(toDisplay(v));
}
} // namespace

QString PressureText(const db::Value& v) { return Converted(v, PressureToDisplay); }
QString CylinderText(const db::Value& v) { return Converted(v, CylinderToDisplay); }
QString TempText(const db::Value& v) { return Converted(v, TempToDisplay); }
QString AirConsumptionText(quint8 psi) { return psi == 0 ? QString() : PressureText(static_cast<int>(psi)); }

QString DepthText(const db::Value& feet)
{
    return feet.IsNull() ? QString() : gv.UnitDepth == 0 ? Format(FtToM(feet), u"####.0") : NumberText(feet);
}

QString AverageDepthText(float feet) { return Format(gv.UnitDepth == 0 ? FtToM(feet) : feet, u"####.0"); }

double TextNumber(const QString& text)
{
    QString copy = text;
    return ParseDecimal(copy);
}

bool ShownDiffers(const QString& box, const QString& shown)
{
    if (box.trimmed().isEmpty() != shown.trimmed().isEmpty())
        return true;
    return static_cast<float>(TextNumber(box)) != static_cast<float>(TextNumber(shown));
}

namespace {
constexpr TankControls kTankControls[] = {
    {DiveText::CylinderSize1, DiveText::StartPressure1, DiveText::EndPressure1, DiveUnit::CylinderSize1,
     DiveUnit::StartPressure1, DiveUnit::EndPressure1, DiveList::Gas1, DiveLabel::Tid1, DiveLabel::Gas1,
     DiveLabel::CylinderSize1, DiveLabel::StartPressure1, DiveLabel::EndPressure1,
     &DiveDataRec::CYLINDERSIZE, &DiveDataRec::SPSI, &DiveDataRec::EPSI, &DiveDataRec::FO2},
    {DiveText::CylinderSize2, DiveText::StartPressure2, DiveText::EndPressure2, DiveUnit::CylinderSize2,
     DiveUnit::StartPressure2, DiveUnit::EndPressure2, DiveList::Gas2, DiveLabel::Tid2, DiveLabel::Gas2,
     DiveLabel::CylinderSize2, DiveLabel::StartPressure2, DiveLabel::EndPressure2,
     &DiveDataRec::CYLINDERSIZE2, &DiveDataRec::SPSI2, &DiveDataRec::EPSI2, &DiveDataRec::FO2GAS2},
    {DiveText::CylinderSize3, DiveText::StartPressure3, DiveText::EndPressure3, DiveUnit::CylinderSize3,
     DiveUnit::StartPressure3, DiveUnit::EndPressure3, DiveList::Gas3, DiveLabel::Tid3, DiveLabel::Gas3,
     DiveLabel::CylinderSize3, DiveLabel::StartPressure3, DiveLabel::EndPressure3,
     &DiveDataRec::CYLINDERSIZE3, &DiveDataRec::SPSI3, &DiveDataRec::EPSI3, &DiveDataRec::FO2GAS3},
};
} // namespace

const TankControls& TankOf(Tank tank) { return kTankControls[Slot(tank)]; }

db::Value DiveDataRec::*TankField(DiveText index)
{
    for (const TankControls& t : kTankControls) {
        if (index == t.cylinder)
            return t.cylinderField;
        if (index == t.start)
            return t.startField;
        if (index == t.end)
            return t.endField;
    }
    return nullptr;
}

db::Value DiveDataRec::*GasField(DiveList list)
{
    for (const TankControls& t : kTankControls)
        if (list == t.gas)
            return t.gasField;
    return nullptr;
}

qint32 DiveDataRec::*TidField(Tank tank)
{
    constexpr qint32 DiveDataRec::*tids[] = {&DiveDataRec::TID1, &DiveDataRec::TID2, &DiveDataRec::TID3};
    return tids[Slot(tank)];
}

bool IsStartPressure(DiveText index)
{
    return std::any_of(std::begin(kTankControls), std::end(kTankControls),
                       [index](const TankControls& t) { return t.start == index; });
}

bool IsEndPressure(DiveText index)
{
    return std::any_of(std::begin(kTankControls), std::end(kTankControls),
                       [index](const TankControls& t) { return t.end == index; });
}

DiveText PartnerPressure(DiveText index)
{
    for (const TankControls& t : kTankControls) {
        if (index == t.start)
            return t.end;
        if (index == t.end)
            return t.start;
    }
    return index;
}

} // namespace kvl::divefrm
