#pragma once
// Text laid out in points (72 per inch) whatever the screen: the font resizing and the
// line ends shared by the card's text controls and the barcodes' captions.
#include <QFont>
#include <QString>

// The font resized so that one layout unit is one point, with the letter spacing.
// (Absolute letter spacing is lost by fonts resolved for a device of another
// resolution, so the layout keeps the default resolution and scales the size instead.)
QFont Point_Layout_Font(QFont font, double kerning);
// The text with every line end (CR, LF, CR LF, paragraph separator) as a line separator.
QString With_Line_Separators(QString text);
