#include "AppMain.h"
#include "PhotoPictureAdjuster.h"
#include "WidgetPresenters.h"

int main(int argc, char **argv)
{
    Install_Widget_Presenters();
    const PhotoPictureAdjuster pictureAdjuster;
    Set_Picture_Adjuster(&pictureAdjuster);
    const int result = App_Main(argc, argv);
    Set_Picture_Adjuster(nullptr);
    return result;
}
