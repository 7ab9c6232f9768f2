#pragma once

#include <QColor>
#include <QIcon>

// The browser window's pictures, drawn rather than loaded so that they stay sharp at any screen scale.
namespace BrowserIcons {

enum class Glyph {
    Back,
    Forward,
    Refresh,
    Stop,
    User,
    Password,
    Trash,
    MainWindow,
    Menu,
    Minimize,
    Maximize,
    Restore,
    Close,
    Padlock,
    ClearClipboard,
    Grip,
};

// A toolbar picture in its own colours; greyed when its button is disabled.
QIcon icon(Glyph glyph);
// A title-bar picture drawn in one colour, to stand on the title bar's background.
QIcon titleIcon(Glyph glyph, const QColor& ink);

} // namespace BrowserIcons
