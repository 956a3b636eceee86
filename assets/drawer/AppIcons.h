// Application icons: the built-in default and the sample icons of the demo drive.
#pragma once

#include <QImage>
#include <QString>

#include <vector>

namespace Art {

inline constexpr int kAppIconSize = 48;

struct NamedIcon {
    QString name;  // file base name, lower case
    QImage image;
};

// The icon shown for an application that brings none of its own.
QImage DrawDefaultAppIcon();

// About two dozen sample icons in one style: a white glyph on a coloured rounded square.
std::vector<NamedIcon> DrawDemoIcons();

}  // namespace Art
