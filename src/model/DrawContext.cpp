#include "DrawContext.h"

#include "Globals.h"

QFont DrawContext::defaultFont() const { return Font_With_Name(defaultFontName, defaultFontSize); }

DrawContext Application_Draw_Context(const PictureAdjuster &adjuster)
{
    DrawContext c(adjuster);
    c.resourceFolder = Resource_Path;
    c.fillStyleFolder = Resource_Path + QStringLiteral("Fill_Style_Image/");
    c.defaultFontName = Text_Ctrl_Font;
    c.defaultFontSize = double(Text_Ctrl_Font_Size);
    return c;
}

QFont Application_Default_Font() { return Font_With_Name(Text_Ctrl_Font, double(Text_Ctrl_Font_Size)); }
