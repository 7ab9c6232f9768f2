#pragma once

#include <QIcon>

// The toolbar's pictures, drawn so that they stay sharp at any scale and follow one style.
namespace ToolbarIcons {

enum class Picture { Add, Store, Remove, Config, Window, Report, Help, Quit, OpenUrl };
QIcon icon(Picture picture);

} // namespace ToolbarIcons
