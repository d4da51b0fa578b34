#include "AppMain.h"
#include "WidgetPresenters.h"

int main(int argc, char **argv)
{
    Install_Widget_Presenters();
    return App_Main(argc, argv);
}
