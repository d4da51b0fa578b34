#include "LibraryAnswers.h"

#include "Image_Library.h"
#include "ScriptedRunner.h"

#include <deque>

namespace {
std::deque<QString> queued;
int openings = 0;

} // namespace

namespace testsupport {
void answerLibrary(ScriptedRunner &runner)
{
    runner.whileOpen<Image_Library>([](Image_Library &l) {
        ++openings;
        if (queued.empty()) {
            l.Cancel_Clicked();
            return;
        }
        const QString path = queued.front();
        queued.pop_front();
        l.selected_image = path;
        for (size_t i = 0; i < l.images.size(); ++i)
            if (l.images[i].path == path) l.selectItem(int(i));
        l.OK_Clicked();
        if (l.isVisible()) l.Cancel_Clicked();
    });
}
void queueLibraryAnswer(const QString &path)
{
    queued.push_back(path);
}
int takeLibraryOpenings()
{
    return std::exchange(openings, 0);
}
} // namespace testsupport
