// The picture adjuster reaches every drawing through its context: the card view, the
// export renderer and a worker thread's render of a copy of the side all show the same
// adjusted pixels of a sepia, blurred, turned photo.
#include "RenderResources.h"
#include "SKTGraphicView.h"
#include "SKTImage.h"
#include "SKTRenderingView.h"
#include "TestSupport.h"
#include "TestWindow.h"
#include "UndoHistory.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <thread>

TEST(AdjusterInContext, CardViewExportAndWorkerShowTheSameAdjustedPixels)
{
    TestWindow w;
    QImage photo(60, 40, QImage::Format_ARGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 60; ++x) photo.setPixel(x, y, qRgb(x * 4, 200 - y * 3, 90));
    const QString path = testsupport::testHome() + "/photo.png";
    ASSERT_TRUE(photo.save(path));
    w.add(w.front(), GraphicKind::Image, {40, 30, 120, 80});
    auto *img = static_cast<SKTImage *>(w.top(w.front()));
    img->setFilePath(path, true);
    img->setAdjustment(&SKTGraphic::Sepia, true);
    img->setAdjustment(&SKTGraphic::blr_val, 2.0f);
    img->setAdjustment(&SKTGraphic::rotate_image, 20.0f);
    const QRectF card(0, 0, 243, 154);

    QImage screen(243, 154, QImage::Format_ARGB32_Premultiplied);
    screen.fill(Qt::white);
    QPainter p(&screen);
    w.controller._graphicView->drawCard(p, card);
    p.end();

    const RenderResources resources = Application_Render_Resources(w.adjuster);
    const QImage exported = SKTRenderingView::image_From_Card_Graphics(w.front().items(), card, &w.document.Front_card_Prop, resources);
    // A worker renders its own copy of the side, as a batch run does.
    QImage worked;
    const SideSnapshot copy = Side_Snapshot(w.front().items());
    std::thread worker([&] {
        const PhotoPictureAdjuster own;  // no pool: the worker's cards are the parallel work
        worked = SKTRenderingView::image_From_Card_Graphics(Controls_From_Snapshot(copy), card, &w.document.Front_card_Prop,
                                                            Application_Render_Resources(own));
    });
    worker.join();

    ASSERT_EQ(exported.size(), screen.size());
    ASSERT_EQ(worked.size(), screen.size());
    int compared = 0;
    for (const QPoint at : {QPoint(100, 70), QPoint(70, 55), QPoint(130, 90)}) {
        const QRgb s = screen.pixel(at), e = exported.pixel(at), k = worked.pixel(at);
        EXPECT_EQ(s, e) << at.x() << "," << at.y();
        EXPECT_EQ(s, k) << at.x() << "," << at.y();
        EXPECT_GT(qRed(s), qBlue(s) + 10) << "sepia reached the drawing";
        ++compared;
    }
    EXPECT_EQ(compared, 3);
}
