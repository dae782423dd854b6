// Button images of the main and merge toolbars, painted after their descriptions, and the
// application icon.
#pragma once

#include <QIcon>
#include <QSize>

inline constexpr QSize kMainButtonSize{31, 31};
inline constexpr QSize kMergeButtonSize{45, 35};

// An empty icon for an id without an image.
QIcon buttonImage(int commandId);
QIcon applicationIcon();
