#pragma once

// The pictures compiled into the program as Qt resources, and the fonts and colours of the
// windows. Where a face the windows were drawn with is missing (as it is on most systems but
// Windows), the closest installed face takes its place.

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QIcon>
#include <QPixmap>

namespace QtUi::Artwork {

QPixmap Background();   // the launcher's background, 350 by 440
QPixmap CloseButton();  // 18 by 21
QPixmap AddGlyph();     // 9 by 9, stretched to its control
QPixmap DefaultIcon();  // the launcher's own application icon
QPixmap NoteCross();    // the note's delete button, 14 by 14
QIcon WindowIcon();     // 16 by 16 and 32 by 32
// The pointing hand over everything that can be clicked: 32 by 32, hot spot (1, 1).
QCursor HandPointer();

QFont LabelFont();  // MS Sans Serif 8.25 pt
QFont NoteFont();   // Verdana 9.75 pt

// System colours by the names the layout uses.
QColor WindowColour();         // COLOR_WINDOW
QColor ActiveCaptionColour();  // COLOR_ACTIVECAPTION
QColor InfoBackground();       // COLOR_INFOBK
QColor InfoText();             // COLOR_INFOTEXT

}  // namespace QtUi::Artwork
