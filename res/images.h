// The pictures of the program: the button strips of the two toolbars (bitmaps 128 and 134,
// 16 by 15 pixels per button, in the order of the buttons) and the application icon. A button
// takes the desktop icon theme's picture for its action where the theme has one, otherwise a
// picture drawn here, so every button has one.
#pragma once

#include "platform/richedit.h"

#include <QIcon>
#include <QPixmap>

// The strip of bitmap `nIDBitmap` (IDB_MAINFRAME or IDB_SCRIPTBAR); a null pixmap for others.
QPixmap LoadToolBarBitmap(UINT nIDBitmap);

// The picture of command `nID` at 16 by 15 pixels, as the strips hold it.
QPixmap CommandImage(UINT nID);
// True when the picture of `nID` comes from the icon theme rather than from the drawings here.
bool CommandImageFromTheme(UINT nID);

// The application's icon (icon 128).
QIcon AppIcon();
