#include "RenderResources.h"

#include "Globals.h"

RenderResources Application_Render_Resources()
{
    return {Resource_Path + QStringLiteral("Fill_Style_Image/"), Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size)};
}
