#include "dive/DiveFrmShared.h"

#include "dive/core/DiveFields.h"
#include "platform/runtime/Runtime.h"
#include "shell/core/Units.h"

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

db::Value DiveDataRec::*TankField(int index)
{
    switch (index) {
    case 5: return &DiveDataRec::CYLINDERSIZE;
    case 15: return &DiveDataRec::CYLINDERSIZE2;
    case 18: return &DiveDataRec::CYLINDERSIZE3;
    case 6: return &DiveDataRec::SPSI;
    case 7: return &DiveDataRec::EPSI;
    case 16: return &DiveDataRec::SPSI2;
    case 17: return &DiveDataRec::EPSI2;
    case 19: return &DiveDataRec::SPSI3;
    case 20: return &DiveDataRec::EPSI3;
    default: return nullptr;
    }
}

db::Value DiveDataRec::*GasField(int comboIndex)
{
    switch (comboIndex) {
    case 0: return &DiveDataRec::FO2;
    case 2: return &DiveDataRec::FO2GAS2;
    case 3: return &DiveDataRec::FO2GAS3;
    default: return nullptr;
    }
}

} // namespace kvl::divefrm
