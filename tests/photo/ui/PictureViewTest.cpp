#include "PictureView.h"
#include "SelectionCanvas.h"

#include <QImage>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

namespace {
Picture sized(double w, double h)
{
    QImage img(std::max(1, int(w)), std::max(1, int(h)), QImage::Format_ARGB32);
    img.fill(Qt::red);
    return Picture(img, QSizeF(w, h));
}
} // namespace

TEST(PictureView, DrawnRectangleRatioAndFrame)
{
    struct Row {
        const char *name;
        QSizeF picture;
        ImageScaling scaling;
        std::optional<ImageAlignment> alignment;
        bool framed;
        QRectF rect;
        QSizeF ratio;
    };
    using S = ImageScaling;
    using A = ImageAlignment;
    const Row rows[] = {
        {"fitted down", {400, 300}, S::ProportionallyDown, A::Center, false, {0, 25, 200, 150}, {0.5, 0.5}},
        {"not scaled", {400, 300}, S::None, A::Center, false, {-100, -50, 400, 300}, {1, 1}},
        {"small, down only", {50, 40}, S::ProportionallyDown, A::Center, false, {75, 80, 50, 40}, {1, 1}},
        {"small, up or down", {50, 40}, S::ProportionallyUpOrDown, A::Center, false, {0, 20, 200, 160}, {4, 4}},
        {"small, axes apart", {50, 40}, S::AxesIndependently, A::Center, false, {0, 0, 200, 200}, {4, 5}},
        {"top left", {400, 300}, S::ProportionallyDown, A::TopLeft, false, {0, 50, 200, 150}, {0.5, 0.5}},
        {"bottom right", {400, 300}, S::ProportionallyDown, A::BottomRight, false, {0, 0, 200, 150}, {0.5, 0.5}},
        {"unknown alignment", {400, 300}, S::ProportionallyDown, std::nullopt, false, {0, 0, 0, 0}, {0.5, 0.5}},
        {"too thin", {0.5, 100}, S::ProportionallyDown, A::Center, false, {0, 0, 0, 0}, {1, 1}},
        // The photo frame takes 4 points on each side: a 208 x 208 view draws in 200 x 200 at (4, 4).
        {"framed", {400, 300}, S::ProportionallyDown, A::Center, true, {4, 29, 200, 150}, {0.5, 0.5}},
    };
    for (const Row &r : rows) {
        PictureView view;
        view.resize(r.framed ? 208 : 200, r.framed ? 208 : 200);
        view.setPhotoFrame(r.framed);
        view.setPicture(sized(r.picture.width(), r.picture.height()));
        view.setImageScaling(r.scaling);
        view.setImageAlignment(r.alignment);
        EXPECT_EQ(view.scaledImageRect(), r.rect) << r.name;
        EXPECT_EQ(view.imageRatio(), r.ratio) << r.name;
    }
    // A picture that could not be read: nothing drawn, ratio 1, no division by zero.
    PictureView empty;
    empty.resize(200, 200);
    empty.setPicture(Picture());
    EXPECT_EQ(empty.scaledImageRect(), QRectF());
    EXPECT_EQ(empty.imageRatio(), QSizeF(1, 1));
    Picture sizeless(QImage(10, 10, QImage::Format_ARGB32));
    sizeless.setSize(QSizeF(0, 0));
    empty.setPicture(sizeless);
    EXPECT_EQ(empty.scaledImageRect(), QRectF());
    EXPECT_EQ(empty.imageRatio(), QSizeF(1, 1));
    EXPECT_FALSE(empty.grab().isNull());
}

TEST(PictureView, DrawsThePictureWhereItSays)
{
    PictureView view;
    view.resize(200, 200);
    QImage img(400, 300, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    view.setPicture(Picture(img, QSizeF(400, 300)));
    view.setImageAlignment(ImageAlignment::Top);  // y up: the picture touches the top edge
    const QImage shot = view.grab().toImage();
    EXPECT_EQ(shot.pixel(100, 1), qRgb(0, 0, 255));
    EXPECT_EQ(shot.pixel(100, 148), qRgb(0, 0, 255));
    EXPECT_NE(shot.pixel(100, 152), qRgb(0, 0, 255));

    // The photo frame: a grey edge round a white mat of 4 points, the picture inside.
    view.setPhotoFrame(true);
    const QImage framed = view.grab().toImage();
    EXPECT_EQ(framed.pixel(0, 100), qRgb(160, 160, 160));
    EXPECT_EQ(framed.pixel(199, 100), qRgb(160, 160, 160));
    EXPECT_EQ(framed.pixel(2, 100), qRgb(255, 255, 255));
    EXPECT_EQ(framed.pixel(100, 4), qRgb(0, 0, 255));
    EXPECT_EQ(framed.pixel(100, 3), qRgb(255, 255, 255));
}

TEST(PictureView, TakesADroppedPictureFile)
{
    QTemporaryDir dir;
    QImage img(30, 20, QImage::Format_ARGB32);
    img.fill(Qt::green);
    const QString path = dir.filePath("dropped.png");
    ASSERT_TRUE(img.save(path));
    PictureView view;
    view.resize(100, 100);
    QString dropped;
    QObject::connect(&view, &PictureView::pictureDropped, [&dropped](const QString &p) { dropped = p; });

    QMimeData text;
    text.setText("no file");
    QDragEnterEvent refused(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &refused);
    EXPECT_FALSE(refused.isAccepted());
    EXPECT_TRUE(view.fileURL().isEmpty());

    QMimeData file;
    file.setUrls({QUrl::fromLocalFile(path)});
    QDragEnterEvent onlyLink(QPoint(5, 5), Qt::LinkAction, &file, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &onlyLink);
    EXPECT_FALSE(onlyLink.isAccepted()) << "a drag that cannot copy is refused";
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction | Qt::MoveAction, &file, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(view.fileURL(), QUrl::fromLocalFile(path));
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &file, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&view, &drop);
    EXPECT_EQ(dropped, path);
    EXPECT_EQ(view.picture().size(), QSizeF(30, 20));
}

TEST(SelectionCanvasWidget, FollowsTheDrawnPictureAndTakesTheMouse)
{
    PictureView view;
    view.resize(200, 200);
    view.setPicture(sized(400, 300));
    view.show();
    SelectionCanvas canvas(view);
    EXPECT_EQ(canvas.geometry(), QRect(0, 25, 200, 150));
    EXPECT_EQ(canvas.model().canvasSize(), QSizeF(200, 150));

    // A drag in widget points (y down) draws a selector in y-up canvas points.
    QTest::mousePress(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(50, 100));
    QTest::mouseMove(&canvas, QPoint(90, 60));
    QMouseEvent move(QEvent::MouseMove, QPointF(90, 60), canvas.mapToGlobal(QPointF(90, 60)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&canvas, &move);
    QTest::mouseRelease(&canvas, Qt::LeftButton, Qt::NoModifier, QPoint(90, 60));
    ASSERT_EQ(canvas.model().selectors().size(), 1u);
    EXPECT_EQ(canvas.model().selectors()[0].frame, QRectF(50, 50, 40, 40));

    // The picture changes: the canvas moves, the selector keeps its numbers.
    view.setImageScaling(ImageScaling::None);
    EXPECT_EQ(canvas.geometry(), QRect(-100, -50, 400, 300));
    view.resize(100, 100);
    EXPECT_EQ(canvas.geometry(), QRect(-150, -100, 400, 300));
    view.setPicture(Picture());
    EXPECT_EQ(canvas.geometry().size(), QSize(0, 0));
    EXPECT_EQ(canvas.model().selectors()[0].frame, QRectF(50, 50, 40, 40));

    // Keys: Escape unmarks, Ctrl+A marks, Backspace removes the marked.
    QTest::keyClick(&canvas, Qt::Key_Escape);
    EXPECT_FALSE(canvas.model().selectors()[0].selected);
    QTest::keyClick(&canvas, Qt::Key_Backspace);
    EXPECT_TRUE(canvas.hasSelectors());
    QTest::keyClick(&canvas, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&canvas, Qt::Key_Backspace);
    EXPECT_FALSE(canvas.hasSelectors());
}

TEST(SelectionCanvasWidget, DrawsTheDashedFrameAndHandles)
{
    PictureView view;
    view.resize(200, 200);
    QImage white(200, 200, QImage::Format_ARGB32);
    white.fill(Qt::white);
    view.setPicture(Picture(white, QSizeF(200, 200)));
    SelectionCanvas canvas(view);
    canvas.addSelectorWithFrame({50, 50, 100, 100});
    const QImage shot = view.grab().toImage();
    // The top edge (widget y 50): dashes of 5 light grey, 5 clear, from the left corner
    // (the first ones lie under the top-left handle).
    const QRgb grey = qRgb(170, 170, 170);
    EXPECT_EQ(shot.pixel(62, 50), grey);
    EXPECT_NE(shot.pixel(67, 50), grey);
    EXPECT_EQ(shot.pixel(72, 50), grey);
    // Inside: the marked fill (0, 0.2, 1, 0.1) over white, twice, as the current selector
    // is drawn again on top; the handle's fill at the corner.
    EXPECT_EQ(shot.pixel(100, 100), qRgb(206, 215, 255));
    EXPECT_EQ(shot.pixel(50, 50), qRgb(27, 116, 202));
}
