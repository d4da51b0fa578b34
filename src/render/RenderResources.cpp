#include "RenderResources.h"

#include "Globals.h"

#include <QCoreApplication>

RenderResources Application_Render_Resources()
{
    return {Resource_Path + QStringLiteral("Fill_Style_Image/"), Text_Ctrl_Font, double(Text_Ctrl_Font_Size),
            QCoreApplication::applicationName()};
}
