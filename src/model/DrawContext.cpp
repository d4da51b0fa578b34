#include "DrawContext.h"

#include "Globals.h"

QFont DrawContext::defaultFont() const { return Font_With_Name(defaultFontName, defaultFontSize); }

DrawContext Application_Draw_Context()
{
    return {Resource_Path, Resource_Path + QStringLiteral("Fill_Style_Image/"), Text_Ctrl_Font, double(Text_Ctrl_Font_Size)};
}
