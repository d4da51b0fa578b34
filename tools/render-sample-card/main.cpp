// Renders a sample card with one control of every kind off screen to a PNG and a PDF.
#include "CardAppearance.h"
#include "Card_Property.h"
#include "Globals.h"
#include "Paths.h"
#include "SKTGraphic.h"
#include "PhotoPictureAdjuster.h"
#include "SKTImage.h"
#include "SKTRenderingView.h"
#include "SKTSignature.h"

#include <QGuiApplication>
#include <QFile>

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 3) {
        qWarning("usage: render-sample-card <resources folder> <output folder>");
        return 2;
    }
    Locate_Application_Paths();
    Resource_Path = QString::fromLocal8Bit(argv[1]) + u'/';
    const QString out = QString::fromLocal8Bit(argv[2]) + u'/';

    Card_Property card;
    card.setCard_fill_chk(true);
    card.setCard_fill_style("G");
    card.setCard_fill_Grd_1_clr(QColor(232, 240, 250));
    card.setCard_fill_Grd_2_clr(QColor(255, 255, 255));
    card.setCard_grad_Stepper(90);
    card.setCard_alpha_Stepper(1.0f);
    card.setCard_border_chk(true);
    card.setCard_bordr_clr(QColor(59, 91, 146));
    card.setCard_bor_Stepper(2);
    card.setCard_Shape("RR");

    std::vector<GraphicPtr> side;
    auto add = [&](GraphicKind kind, QRectF r) {
        GraphicPtr g = SKTGraphic::create(kind);
        g->setBounds(r);
        side.insert(side.begin(), g);
        return g;
    };
    GraphicPtr band = add(GraphicKind::Shape, {0, 0, 243, 34});
    band->setFillColor(QColor(59, 91, 146));
    band->setDrawingStroke(false);
    GraphicPtr title = add(GraphicKind::Text, {10, 6, 160, 22});
    title->Set_text_value("ACME INDUSTRIES");
    title->text_ctrl_font = Font_With_Name("Liberation Sans-Bold", 14);
    title->txt_clr = Qt::white;
    title->text_alignmnet = 0;
    GraphicPtr name = add(GraphicKind::Text, {10, 44, 140, 18});
    name->Set_text_value("Jane Visitor");
    name->text_ctrl_font = Font_With_Name("Liberation Sans-Bold", 12);
    name->text_alignmnet = 0;
    GraphicPtr line = add(GraphicKind::Line, {10, 66, 130, 0});
    line->setStrokeColor(QColor(31, 158, 154));
    line->setStrokeWidth(1.5);
    GraphicPtr star = add(GraphicKind::Shape, {120, 40, 24, 24});
    star->Set_Shape_Type("S");
    star->setFillColor(QColor(240, 190, 40));
    GraphicPtr ellipse = add(GraphicKind::Shape, {10, 74, 30, 20});
    ellipse->Set_Shape_Type("C");
    ellipse->_fill_type = "H";
    ellipse->_fill_hatch_type = "Diagonal_Cross";
    auto photo = std::static_pointer_cast<SKTImage>(add(GraphicKind::Image, {172, 42, 60, 74}));
    photo->control_ID = "Fup_Photo";
    photo->setFilePath(Resource_Path + "pic_ic.png", true);
    photo->setDrawingStroke(true);
    GraphicPtr signature = add(GraphicKind::Signature, {48, 98, 70, 28});
    std::static_pointer_cast<SKTSignature>(signature)->setFilePath(Resource_Path + "sign_sample.png");
    GraphicPtr barcode = add(GraphicKind::Barcode, {10, 100, 0, 0});
    barcode->Set_Barcode_image(Picture::fromFile(Resource_Path + "barcode_sample.png"));
    barcode->setBounds({128, 112, barcode->width(), barcode->height()});

    const QRectF frame(0, 0, 243, 154);
    const QImage image = SKTRenderingView::image_From_Card_Graphics(side, frame, &card, Application_Render_Resources(PhotoPictureAdjuster()), 3.0);
    const bool png = image.save(out + "sample-card.png");
    QFile pdf(out + "sample-card.pdf");
    const bool pdfOk = pdf.open(QIODevice::WriteOnly) &&
                       pdf.write(SKTRenderingView::pdfDataWithGraphics_data(side, frame, &card, Application_Render_Resources(PhotoPictureAdjuster()))) > 0;
    return png && pdfOk ? 0 : 1;
}
