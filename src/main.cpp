#include "AppMain.h"
#include "PhotoPictureAdjuster.h"
#include "SpreadsheetFolder.h"
#include "WidgetPresenters.h"

int main(int argc, char **argv)
{
    SpreadsheetFolder::Remove_Abandoned_Folders();  // left by runs that were killed
    Install_Widget_Presenters();
    const PhotoPictureAdjuster pictureAdjuster;
    Set_Picture_Adjuster(&pictureAdjuster);
    const int result = App_Main(argc, argv);
    Set_Picture_Adjuster(nullptr);
    return result;
}
