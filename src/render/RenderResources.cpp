#include "RenderResources.h"

#include <QCoreApplication>

RenderResources Application_Render_Resources(const PictureAdjuster &adjuster)
{
    return {Application_Draw_Context(adjuster), QCoreApplication::applicationName()};
}
