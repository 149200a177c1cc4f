#pragma once
// The codes of the main window's child forms.

namespace kvl {

// The codes the child forms write into gv.ActiveFormID.
namespace FormCode {
constexpr int None = 0;
constexpr int Personal = 1;
constexpr int DiveComputer = 2;
constexpr int Dive = 3;
constexpr int Buddies = 4;
constexpr int Location = 5;
constexpr int Details = 6;
constexpr int Gear = 7;
constexpr int History = 8;
constexpr int Queries = 9;
constexpr int LogOpened = 255;   // a log was just opened; no form has loaded since
} // namespace FormCode

} // namespace kvl
