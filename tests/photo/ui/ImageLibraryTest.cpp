#include "Globals.h"
#include "Image_Library.h"
#include "LibraryContents.h"
#include "ScriptedRunner.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QMimeData>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListView>
#include <QSlider>
#include <gtest/gtest.h>

namespace {

// A resource folder with two categories ("wild animals" in lower case) and backgrounds.
class LibraryFolder {
public:
    LibraryFolder() : m_saved(Resource_Path)
    {
        const QString root = testsupport::testHome() + "/res/";
        for (const char *file : {"LibraryImage/wild animals/A.PNG", "LibraryImage/wild animals/b.Jpg",
                                 "LibraryImage/wild animals/c.jpeg", "LibraryImage/wild animals/d.gif",
                                 "LibraryImage/Business/Person.png", "Background/Waves.jpg", "Background/Band.png"}) {
            const QString path = root + file;
            QDir().mkpath(QFileInfo(path).path());
            QImage img(20, 10, QImage::Format_RGB32);
            img.fill(Qt::darkCyan);
            img.save(path, QFileInfo(path).suffix().toLower() == "gif" ? "PNG" : nullptr);
        }
        Resource_Path = root;
    }
    ~LibraryFolder() { Resource_Path = m_saved; }

private:
    QString m_saved;
};

std::vector<QString> names(const Image_Library &lib)
{
    std::vector<QString> out;
    for (const MyImageObject &i : lib.images) out.push_back(i.image_Name);
    return out;
}

} // namespace

TEST(LibraryContents, CapitalisedNamesAndTheMoveRule)
{
    const std::pair<const char *, const char *> caps[] = {
        {"wild animals", "Wild Animals"}, {"BUSINESS", "Business"}, {"x", "X"}, {"", ""}, {"two  spaces", "Two  Spaces"}};
    for (const auto &[in, out] : caps) EXPECT_EQ(Capitalised_Category(in), out) << in;

    // No folder named: nothing, not the working folder's contents.
    const QString here = QDir::currentPath();
    const QString home = testsupport::testHome() + "/cwd";
    QDir().mkpath(home + "/Animals");
    QImage(2, 2, QImage::Format_RGB32).save(home + "/a.png");
    QDir::setCurrent(home);
    EXPECT_TRUE(Library_Categories("").empty());
    EXPECT_TRUE(Library_Picture_Files("").isEmpty());
    EXPECT_EQ(Library_Categories(home).size(), 1u);
    EXPECT_EQ(Library_Picture_Files(home), QStringList{home + "/a.png"});
    QDir::setCurrent(here);

    struct Row {
        std::vector<int> moved;
        int to;
        std::vector<int> order;
    };
    const Row rows[] = {
        {{0, 1}, 4, {2, 3, 0, 1, 4}},
        {{3}, 0, {3, 0, 1, 2, 4}},
        {{4}, 5, {0, 1, 2, 3, 4}},
        {{1, 3}, 5, {0, 2, 4, 1, 3}},
        {{1, 3}, 2, {0, 1, 3, 2, 4}},
        {{7}, 0, {0, 1, 2, 3, 4}},
    };
    for (const Row &r : rows) {
        std::vector<int> items{0, 1, 2, 3, 4};
        Move_Library_Items(items, r.moved, r.to);
        EXPECT_EQ(items, r.order) << "to " << r.to;
    }
}

TEST(ImageLibrary, CategoriesLoadByTheirFolderNames)
{
    LibraryFolder folder;
    testsupport::ScriptedRunner runner;
    Image_Library lib(nullptr, &runner);
    std::vector<QString> shown;
    QString title, chosen;
    bool comboShown = false;
    runner.whileOpen<Image_Library>([&](Image_Library &l) {
        title = l.windowTitle();
        comboShown = l.cat_cmbo_bx->isVisible();
        for (int i = 0; i < l.cat_cmbo_bx->count(); ++i) shown.push_back(l.cat_cmbo_bx->itemText(i));
        // The first category shown and loaded, its first picture chosen.
        EXPECT_EQ(l.cat_cmbo_bx->currentIndex(), 0);
        EXPECT_EQ(names(l), std::vector<QString>{"Person.png"});
        chosen = l.selected_image;
        l.cat_cmbo_bx->setCurrentIndex(1);  // "Wild Animals"
        l.selectItem(1);
        l.OK_Clicked();
    });
    EXPECT_EQ(lib.Open_Library_Window(), 1);
    runner.remove<Image_Library>();
    EXPECT_EQ(title, "Image Library");
    EXPECT_TRUE(comboShown);
    EXPECT_EQ(shown, (std::vector<QString>{"Business", "Wild Animals"}));
    EXPECT_EQ(names(lib), (std::vector<QString>{"A.PNG", "b.Jpg"}));
    EXPECT_EQ(lib.selected_image, Resource_Path + "LibraryImage/wild animals/b.Jpg");
    EXPECT_EQ(lib.imageBrowser->model()->data(lib.imageBrowser->model()->index(0, 0)).toString(), "A");
    EXPECT_EQ(chosen, Resource_Path + "LibraryImage/Business/Person.png");
}

TEST(ImageLibrary, EveryOpeningStartsAfreshAndOkNeedsAPicture)
{
    LibraryFolder folder;
    testsupport::ScriptedRunner runner;
    Image_Library lib(nullptr, &runner);
    lib.control_or_BG = Library_Purpose::Background;
    QString title;
    bool comboShown = true;
    double zoom = 0;
    int slider = 0;
    runner.whileOpen<Image_Library>([&](Image_Library &l) {
        title = l.windowTitle();
        comboShown = l.cat_cmbo_bx->isVisible();
        zoom = l.zoom();
        slider = l._zoom_slider->value();
        l.zoomSliderDidChange(90);
        l.imageBrowser_removeItemsAtIndexes({0});
        EXPECT_EQ(l.images.size(), 2u) << "removal is refused";
        QFile::remove(l.selected_image);  // the picture goes while the window is open
        l.OK_Clicked();
        EXPECT_TRUE(l.isVisible());
        l.Cancel_Clicked();
    });
    EXPECT_EQ(lib.Open_Library_Window(), 0);
    EXPECT_EQ(title, "Background Image Library");
    EXPECT_FALSE(comboShown);
    EXPECT_EQ(zoom, 0.4);
    EXPECT_EQ(slider, 40);
    EXPECT_EQ(lib.selected_image, "");
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select image."});

    // The next opening: zoom 0.4 again, the first remaining picture chosen.
    runner.whileOpen<Image_Library>([&](Image_Library &l) {
        zoom = l.zoom();
        l.OK_Clicked();
    });
    EXPECT_EQ(lib.Open_Library_Window(), 1);
    runner.remove<Image_Library>();
    EXPECT_EQ(zoom, 0.4);
    EXPECT_EQ(names(lib), std::vector<QString>{"Waves.jpg"});
    EXPECT_EQ(lib.selected_image, Resource_Path + "Background/Waves.jpg");

    // No library at all: an empty list, and OK asks for a picture.
    Resource_Path = testsupport::testHome() + "/nothing/";
    lib.control_or_BG = Library_Purpose::Control;
    runner.whileOpen<Image_Library>([&](Image_Library &l) {
        l.OK_Clicked();
        l.Cancel_Clicked();
    });
    EXPECT_EQ(lib.Open_Library_Window(), 0);
    runner.remove<Image_Library>();
    EXPECT_TRUE(lib.images.empty());
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nPlease select image."});
}

TEST(ImageLibrary, DraggedItemsMoveByTheRule)
{
    LibraryFolder folder;
    testsupport::ScriptedRunner runner;
    Image_Library lib(nullptr, &runner);
    lib.images = {{"/p/0", "0", "0"}, {"/p/1", "1", "1"}, {"/p/2", "2", "2"}, {"/p/3", "3", "3"}, {"/p/4", "4", "4"}};
    QAbstractItemModel *model = lib.imageBrowser->model();
    QMimeData *drag = model->mimeData({model->index(0, 0), model->index(1, 0)});
    EXPECT_TRUE(model->dropMimeData(drag, Qt::MoveAction, 4, 0, QModelIndex()));
    delete drag;
    EXPECT_FALSE(model->removeRows(0, 2, QModelIndex()));
    QCoreApplication::processEvents();
    EXPECT_EQ(names(lib), (std::vector<QString>{"2", "3", "0", "1", "4"}));
}
