#pragma once
// The program's help: one HTML file beside the program with an anchor per help
// context, shown in a help window that opens at the anchor asked for.

#include <QString>
#include <QUrl>

namespace kvl {

inline constexpr char HelpFileName[] = "KVL.html";

// The help contexts the program asks for.
inline constexpr int HelpContents = 0;
inline constexpr int HelpReadSettings = 11;
inline constexpr int HelpWriteSettings = 12;
inline constexpr int HelpDownload = 14;
inline constexpr int HelpTechnicalSupport = 16;

// The anchor of a help context in the help file; contents for an unknown one.
QString HelpAnchor(int context);

// Shows the help window at the context's anchor. A missing help file is reported
// by the window itself.
void ShowHelp(const QString& helpFile, int context);

// The page the help window shows (empty when it was never opened).
QUrl ShownHelpPage();

} // namespace kvl
