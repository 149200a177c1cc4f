#pragma once
// What the link and protocol routines show, and where: the download window
// implements it on its button bar and dive list; tests record it.

#include <QString>

namespace kvl {

// Keys of the button bar's items that the routines touch.
namespace BarKey {
inline const QString Message = QStringLiteral("Message");
inline const QString Progress = QStringLiteral("Progress");
inline const QString Start = QStringLiteral("Start");
inline const QString SaveDives = QStringLiteral("SaveDives");
inline const QString SelectOpt = QStringLiteral("SelectOpt");
} // namespace BarKey

// Colours of the "Message" text.
enum MessageColor : int { MessageBlack = 0, MessageRed = 255 };

// States of a dive's status line in the dive list.
enum StatusLineState : int { StatusLineQueued = 0, StatusLineDownloading = 3, StatusLineCompleted = 4 };

// Offset of a dive's status line key from the dive's own key.
inline constexpr int StatusKeyOffset = 1000;

class CommSurface {
public:
    virtual ~CommSurface() = default;

    // The "Message" item: text and text colour.
    virtual void SetMessage(const QString& text) = 0;
    virtual void SetMessageColor(int color) = 0;
    // The "Progress" item: value (percent) and caption.
    virtual void SetProgress(int percent, const QString& caption) = 0;
    // Button-bar items by key.
    virtual void ShowBarItem(const QString& key, bool visible) = 0;
    virtual void SetBarItemText(const QString& key, const QString& text) = 0;
    // Lines of the dive list by key.
    virtual void SetListItemText(int key, const QString& text) = 0;
    virtual void SetListItemState(int key, int state) = 0;
    virtual void SetListItemEnabled(int key, bool enabled) = 0;
    // The window's Close command (mnuClose_Click).
    virtual void RequestClose() = 0;
};

} // namespace kvl
