#include "DrawContext.h"

#include "Globals.h"

QFont DrawContext::defaultFont() const
{
    if (m_resolvedSize == defaultFontSize && m_resolvedName == defaultFontName) return m_resolvedFont;
    return Font_With_Name(defaultFontName, defaultFontSize);
}

void DrawContext::resolveDefaultFont()
{
    m_resolvedFont = Font_With_Name(defaultFontName, defaultFontSize);
    m_resolvedName = defaultFontName;
    m_resolvedSize = defaultFontSize;
}

DrawContext Application_Draw_Context(const PictureAdjuster &adjuster)
{
    DrawContext c(adjuster);
    c.resourceFolder = Resource_Path;
    c.fillStyleFolder = Resource_Path + QStringLiteral("Fill_Style_Image/");
    c.defaultFontName = Text_Ctrl_Font;
    c.defaultFontSize = double(Text_Ctrl_Font_Size);
    c.resolveDefaultFont();
    return c;
}

QFont Application_Default_Font() { return Font_With_Name(Text_Ctrl_Font, double(Text_Ctrl_Font_Size)); }
