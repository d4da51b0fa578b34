#include "Build.h"

#include "Globals.h"
#include "PhotoPictureAdjuster.h"
#include "SKTImage.h"
#include "SKTRenderingView.h"
#include "SKTSignature.h"
#include "SKTText.h"
#include "Shape_Control.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>
#include <QSaveFile>

namespace templates {

namespace {

QFont fontOf(const TextStyle &style) { return Font_With_Name(style.font, style.size); }

// An absolute path into the resources folder in use as its portable form; any other
// path as it is.
QString portable(const QString &path)
{
    return path.startsWith(Resource_Path) ? Portable_Resource_Path(path.mid(Resource_Path.size())) : path;
}

void makePortable(std::vector<GraphicPtr> &controls)
{
    for (const GraphicPtr &g : controls) {
        if (g->kind() == GraphicKind::Image) {
            g->_file_path = portable(g->_file_path);
            g->Text_Value = portable(g->Text_Value);
        } else if (g->kind() == GraphicKind::Signature) {
            g->_file_path = portable(g->_file_path);
        }
    }
}

bool savePng(const QImage &image, const QString &path, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("cannot write %1").arg(path);
        return false;
    }
    QImageWriter writer(&file, "png");
    writer.setQuality(0);  // strongest compression
    if (!writer.write(image) || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, writer.errorString());
        return false;
    }
    return true;
}

// Every picture of a design read back must come from the resources folder in use.
bool picturesResolve(const DesignData &d, QString *error)
{
    std::vector<QString> paths;
    for (const auto *side : {&d.front_controls, &d.back_controls})
        for (const GraphicPtr &g : *side)
            if (g->kind() == GraphicKind::Image || g->kind() == GraphicKind::Signature) paths.push_back(g->_file_path);
    for (const Card_Property *c : {&d.front_card, &d.back_card})
        if (!c->Card_BG_Image_Path().isEmpty()) paths.push_back(c->Card_BG_Image_Path());
    for (const QString &p : paths)
        if (!p.startsWith(Resource_Path) || !QFileInfo(p).isFile()) {
            *error = QStringLiteral("the picture \"%1\" does not resolve into the resources").arg(p);
            return false;
        }
    return true;
}

} // namespace

QString Portable_Resource_Path(const QString &resourceName)
{
    return App_Name + QStringLiteral(".app/Contents/Resources/") + resourceName;
}

// ---- Sides ----

void Side::band(const QRectF &r, const QColor &fill, const QColor &fill2, double angle)
{
    auto g = Shape_Control::create();
    g->_shape_type = QStringLiteral("R");
    g->setBounds(r);
    g->_isDrawingFill = true;
    g->_isDrawingStroke = false;
    g->_fillColor = fill;
    if (fill2.isValid()) {
        g->_fill_type = QStringLiteral("G");
        g->_fill_Grad_clr1 = fill;
        g->_fill_Grad_clr2 = fill2;
        g->_fill_grad_angle = angle;
    }
    add(g);
}

void Side::shape(const QString &code, const QRectF &r, const QColor &fill, const QColor &stroke, double strokeWidth,
                 double radius)
{
    auto g = Shape_Control::create();
    g->_shape_type = code;
    g->setBounds(r);
    g->cor_rad_val = float(radius);
    g->_isDrawingFill = fill.isValid();
    if (fill.isValid()) g->_fillColor = fill;
    g->_isDrawingStroke = strokeWidth > 0;
    if (stroke.isValid()) g->_strokeColor = stroke;
    g->_strokeWidth = strokeWidth > 0 ? strokeWidth : 1;
    add(g);
}

void Side::text(const QRectF &r, const QString &value, const TextStyle &style, const QString &id)
{
    auto g = SKTText::create();
    g->setBounds(r);
    g->control_ID = id;
    g->text_ctrl_font = fontOf(style);
    g->txt_clr = style.colour;
    g->_Text_contents = TextRecord{value, fontOf(style), style.colour};
    g->Set_text_value(value);
    g->text_alignmnet = style.align;
    g->text_alignmnet_Vert = style.valign;
    g->text_kerning = float(style.kerning);
    add(g);
}

void Side::field(const QString &word, const QString &caption, const QRectF &captionRect, const TextStyle &captionStyle,
                 const QString &value, const QRectF &valueRect, const TextStyle &valueStyle)
{
    text(captionRect, caption, captionStyle, QStringLiteral("Fup_lbl_") + word);
    text(valueRect, value, valueStyle, QStringLiteral("Fup_") + word);
}

void Side::picture(const QRectF &r, const QString &resourceName, const QString &id)
{
    auto g = SKTImage::initWithPath_With_ID(r.center(), Resource_Path + resourceName, id);
    g->setBounds(r);
    add(g);
}

void Side::photo(const QRectF &r, const QString &id)
{
    shape(QStringLiteral("R"), r.adjusted(-1.5, -1.5, 1.5, 1.5), colour::white, colour::frame, 0.75);
    picture(r, QStringLiteral("pic_ic.png"), id);
}

void Side::signature(const QRectF &r, const QString &caption, const TextStyle &captionStyle)
{
    auto g = SKTSignature::initWithPath(r.center(), Resource_Path + QStringLiteral("sign_sample.png"), QStringLiteral("S"));
    g->setBounds(r);
    g->_isDrawingStroke = false;
    add(g);
    signLine(r.left(), r.bottom() + 0.5, r.width(), caption, captionStyle);
}

void Side::signLine(double x, double y, double width, const QString &caption, const TextStyle &captionStyle)
{
    band(QRectF(x, y, width, 0.6), captionStyle.colour);
    text(QRectF(x - 10, y + 1, width + 20, captionStyle.size + 3), caption, captionStyle);
}

// ---- Cards ----

Card_Property Make_Card(const CardLayout &card, const QString &sideName)
{
    Card_Property c;
    c.setCard_Name(card.name);
    c.setCard_Side(card.sides);
    c.setCard_Side_Name(sideName);
    c.setCard_Shape(card.shape);
    c.setCard_Location(QPointF(0, 0));
    c.setCard_Size(card.size);
    c.setCard_Preset(card.size.width() >= card.size.height() ? QStringLiteral("Horizontal") : QStringLiteral("Vertical"));
    c.setCard_Category(card.paper ? QStringLiteral("Paper Card") : QStringLiteral("PVC Card"));
    c.setCard_Sub_Category(card.subCategory);
    c.setCard_Cat_index(card.sizeIndex);
    c.setCard_Create_Mode(QStringLiteral("T"));
    c.setCard_fill_chk(true);
    c.setCard_alpha_Stepper(1.0f);
    c.setCard_fill_clr(card.fill);
    c.setCard_border_chk(false);
    if (!card.backgroundPicture.isEmpty() && sideName == QLatin1String("F")) {
        const QString path = Resource_Path + card.backgroundPicture;
        c.setCard_fill_style(QStringLiteral("I"));
        c.setCard_BG_Image_Path(path);
        c.setCard_BG_Image(Picture::fromFile(path));
        c.setCard_BG_Image_Layout(QStringLiteral("Stretch"));
    }
    return c;
}

// ---- Writing ----

void Draw_For_Review(const QString &folder, const Template &t)
{
    QDir().mkpath(folder);
    const QRectF frame(QPointF(0, 0), t.card.size);
    const Card_Property front = Make_Card(t.card, QStringLiteral("F")), back = Make_Card(t.card, QStringLiteral("B"));
    QString error;
    savePng(SKTRenderingView::image_From_Card_Graphics(t.front.topFirst(), frame, &front, Application_Render_Resources(PhotoPictureAdjuster()), 4),
            QDir(folder).filePath(t.name + QStringLiteral(" front.png")), &error);
    savePng(SKTRenderingView::image_From_Card_Graphics(t.back.topFirst(), frame, &back, Application_Render_Resources(PhotoPictureAdjuster()), 4),
            QDir(folder).filePath(t.name + QStringLiteral(" back.png")), &error);
}

bool Write_Template(const QString &resources, const Template &t, QString *error)
{
    const QString folder = QDir(resources).filePath(QStringLiteral("Templates/") + t.category);
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make %1").arg(folder);
        return false;
    }
    for (const QString &dir : {QFileInfo(folder).path(), folder})
        QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    DesignData d;
    d.mode = Card_Mode::Template;
    d.front_card = Make_Card(t.card, QStringLiteral("F"));
    d.back_card = Make_Card(t.card, QStringLiteral("B"));
    d.front_controls = t.front.topFirst();
    d.back_controls = t.back.topFirst();

    // The preview: the front side as the gallery shows it.
    const QImage preview = SKTRenderingView::image_From_Card_Graphics(d.front_controls, QRectF(QPointF(0, 0), t.card.size),
                                                                      &d.front_card, Application_Render_Resources(PhotoPictureAdjuster()), 1.5);
    if (preview.isNull()) {
        *error = QStringLiteral("the preview of %1 could not be drawn").arg(t.name);
        return false;
    }
    if (!savePng(preview, QDir(folder).filePath(t.name + QStringLiteral(".png")), error)) return false;

    // The pictures were loaded from this machine's resources; the file names them in
    // the form that survives installation anywhere.
    makePortable(d.front_controls);
    makePortable(d.back_controls);
    for (Card_Property *c : {&d.front_card, &d.back_card}) c->setCard_BG_Image_Path(portable(c->Card_BG_Image_Path()));

    const QString path = QDir(folder).filePath(t.name + QStringLiteral(".") + design_file_EXT);
    if (!Write_Design_File(path, d, error)) return false;

    DesignData back;
    if (!Read_Design_File(path, back, error)) return false;
    return picturesResolve(back, error);
}

} // namespace templates
