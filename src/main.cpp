#include "AppMain.h"
#include "HeapPolicy.h"
#include "PhotoPictureAdjuster.h"
#include "SpreadsheetFolder.h"
#include "WidgetPresenters.h"

#include <QThreadPool>

#include <thread>

int main(int argc, char **argv)
{
    Keep_Freed_Heap_For_Reuse();  // before any thread starts
    SpreadsheetFolder::Remove_Abandoned_Folders();  // left by runs that were killed
    Install_Widget_Presenters();
    // The application's one pool, for the whole program: large pictures are adjusted in
    // bands on it, and every output run makes its cards on it.
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(1, int(std::thread::hardware_concurrency())));
    const PhotoPictureAdjuster pictureAdjuster(&pool);
    return App_Main(argc, argv, pictureAdjuster, pool);
}
