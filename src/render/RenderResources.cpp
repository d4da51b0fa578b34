#include "RenderResources.h"

#include <QCoreApplication>

RenderResources Application_Render_Resources()
{
    return {Application_Draw_Context(), QCoreApplication::applicationName()};
}
