#include "AppMain.h"
#include "PhotoPictureAdjuster.h"
#include "WidgetPresenters.h"

#include <QThreadPool>

#include <thread>

int main(int argc, char **argv)
{
    Install_Widget_Presenters();
    // The windows' pool: large pictures are adjusted in bands on it.
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, int(std::thread::hardware_concurrency())));
    const PhotoPictureAdjuster pictureAdjuster(&pool);
    return App_Main(argc, argv, pictureAdjuster);
}
