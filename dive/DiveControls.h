#pragma once
// The roles of the dive record's control arrays: each index of Text3, Masked1,
// AMPM_Opt, Units_Opt, Combo1, Label3, the tank arrays (TIDTxt, Frame5) and the
// ON/OFF pairs, named so that code and tests never address a box by its number.

#include <cstddef>
#include <type_traits>

namespace kvl {

// Text3: the record's edit boxes. 13 and 14 are not used.
enum class DiveText {
    LifeTimeDiveNo = 0,
    DGDiveNo = 1,
    TimeOut = 2,
    MaxDepth = 3,
    AveDepth = 4,
    CylinderSize1 = 5,
    StartPressure1 = 6,
    EndPressure1 = 7,
    PressureUsed = 8,
    Model = 9,
    SerialNo = 10,
    ElapsedTime = 11,
    Minutes = 12,   // the unit beside the elapsed time, shown as a caption
    CylinderSize2 = 15,
    StartPressure2 = 16,
    EndPressure2 = 17,
    CylinderSize3 = 18,
    StartPressure3 = 19,
    EndPressure3 = 20,
    SacRate = 21,
    Temperature = 22,
};
inline constexpr DiveText kDiveTexts[] = {
    DiveText::LifeTimeDiveNo, DiveText::DGDiveNo,       DiveText::TimeOut,        DiveText::MaxDepth,
    DiveText::AveDepth,       DiveText::CylinderSize1,  DiveText::StartPressure1, DiveText::EndPressure1,
    DiveText::PressureUsed,   DiveText::Model,          DiveText::SerialNo,       DiveText::ElapsedTime,
    DiveText::Minutes,        DiveText::CylinderSize2,  DiveText::StartPressure2, DiveText::EndPressure2,
    DiveText::CylinderSize3,  DiveText::StartPressure3, DiveText::EndPressure3,   DiveText::SacRate,
    DiveText::Temperature,
};
inline constexpr std::size_t kDiveTextSlots = 23;

// Masked1: the masked boxes.
enum class DiveMasked { Date = 0, TimeIn = 1, PriorSurfaceInterval = 2 };
inline constexpr DiveMasked kDiveMaskeds[] = {DiveMasked::Date, DiveMasked::TimeIn,
                                              DiveMasked::PriorSurfaceInterval};

// AMPM_Opt: the AM/PM choice beside a time.
enum class DiveAmPm { TimeIn = 0, TimeOut = 1 };
inline constexpr DiveAmPm kDiveAmPms[] = {DiveAmPm::TimeIn, DiveAmPm::TimeOut};

// Units_Opt: the unit shown beside a value (list index 0 metric, 1 imperial).
enum class DiveUnit {
    MaxDepth = 0,
    AveDepth = 1,
    CylinderSize1 = 2,
    StartPressure1 = 3,
    EndPressure1 = 4,
    PressureUsed = 5,
    CylinderSize2 = 6,
    StartPressure2 = 7,
    EndPressure2 = 8,
    CylinderSize3 = 9,
    StartPressure3 = 10,
    EndPressure3 = 11,
    SacRate = 12,
    Temperature = 13,
};
inline constexpr std::size_t kDiveUnitCount = 14;

// Combo1: the gas lists of the tanks and the ascent-rate bands.
enum class DiveList { Gas1 = 0, AscentRate = 1, Gas2 = 2, Gas3 = 3 };
inline constexpr DiveList kDiveLists[] = {DiveList::Gas1, DiveList::AscentRate, DiveList::Gas2, DiveList::Gas3};
inline constexpr DiveList kGasLists[] = {DiveList::Gas1, DiveList::Gas2, DiveList::Gas3};

// Label3: the captions. 22 to 24 are not used.
enum class DiveLabel {
    LifeTimeDiveNo = 0,
    DGDiveNo = 1,
    Date = 2,
    TimeIn = 3,
    Location = 4,
    DiveSite = 5,
    TimeOut = 6,
    ElapsedTime = 7,
    PriorSurfaceInterval = 8,
    MaxDepth = 9,
    AveDepth = 10,
    Gas1 = 11,
    CylinderSize1 = 12,
    StartPressure1 = 13,
    PressureUsed = 14,
    EndPressure1 = 15,
    AscentRate = 16,
    Banner = 17,
    Model = 18,
    Memo = 19,
    SerialNo = 20,
    Tid1 = 21,
    Tid2 = 25,
    Temperature = 26,
    StartPressure2 = 27,
    CylinderSize2 = 28,
    EndPressure2 = 29,
    Tid3 = 30,
    Gas3 = 31,
    StartPressure3 = 32,
    CylinderSize3 = 33,
    EndPressure3 = 34,
    Receiver = 35,
    SacRate = 36,
    Gas2 = 37,
};
inline constexpr std::size_t kDiveLabelSlots = 38;

// TIDTxt and Frame5: one per tank.
enum class Tank { One = 0, Two = 1, Three = 2 };
inline constexpr Tank kTanks[] = {Tank::One, Tank::Two, Tank::Three};

// Check1..Check4: a pair of boxes used as one ON/OFF choice.
enum class OnOff { On = 0, Off = 1 };
constexpr OnOff Other(OnOff box) { return box == OnOff::On ? OnOff::Off : OnOff::On; }

// DataType_Check: how the dive came into the log.
enum class DataTypeBox { Manual = 0, Downloaded = 1, Modified = 2 };

// The array slot of a named index.
template <class E>
    requires std::is_enum_v<E>
constexpr std::size_t Slot(E e)
{
    return static_cast<std::size_t>(e);
}

} // namespace kvl
