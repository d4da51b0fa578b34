// Creating controls on the card view, by the drawing tool in hand (dragged out with the
// mouse or placed at once) and by control ID for the panels that fill the card, with
// the look-ups and bulk operations by control ID.
#include "SKTGraphicView.h"

#include "CardViewHost.h"
#include "FileUtilities.h"
#include "FileWrite.h"
#include "Globals.h"
#include "Helpers.h"
#include "Log.h"
#include "PictureData.h"
#include "SKTDocument.h"
#include "SKTBarcode.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGrid.h"
#include "SKTImage.h"
#include "SKTSignature.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <exception>

namespace {
enum Tool { ImageTool = 8, LibraryImageTool = 9, BarcodeTool = 10, SignatureTool = 11, FingerprintTool = 12 };

struct ToolRow {
    int tool;
    GraphicKind kind;
    const char *letter;
};
const ToolRow kTools[] = {
    {1, GraphicKind::Line, ""},        {2, GraphicKind::Text, ""},       {3, GraphicKind::Shape, "R"},
    {4, GraphicKind::Shape, "C"},      {5, GraphicKind::Shape, "RR"},    {6, GraphicKind::Shape, "T"},
    {7, GraphicKind::Shape, "D"},      {8, GraphicKind::Image, ""},      {9, GraphicKind::Image, ""},
    {10, GraphicKind::Barcode, ""},    {11, GraphicKind::Signature, "S"}, {12, GraphicKind::Signature, "F"},
    {13, GraphicKind::Shape, "S"},     {14, GraphicKind::Shape, "DS"},   {15, GraphicKind::Shape, "P"},
};

const char *const kProfileWords[] = {"Name",    "Title",   "Company",  "CompanySlogan", "Address",
                                     "PhoneNO", "FaxNo",   "EmailID",  "Website",       "UniqueNo",
                                     "Date",    "Time"};

// The profile value IDs (without the photo) and every caption ID, photo caption included.
bool isProfileTextID(const QString &id)
{
    for (const char *word : kProfileWords)
        if (id == QLatin1String("Fup_") + QLatin1String(word) || id == QLatin1String("Fup_lbl_") + QLatin1String(word))
            return true;
    return id == QLatin1String("Fup_lbl_Photo");
}

bool fileExists(const QString &path) { return !path.isEmpty() && QFileInfo(path).isFile(); }

// The picture on the clipboard: Qt's image data, else the first "image/..." entry
// that reads as a picture, whole (Picture_From_Data).
QImage pictureOnClipboard(const QMimeData &data)
{
    if (data.hasImage()) {
        const QImage image = qvariant_cast<QImage>(data.imageData());
        if (!image.isNull()) return image;
    }
    for (const QString &format : data.formats()) {
        if (!format.startsWith(QLatin1String("image/"))) continue;
        const QImage image = Picture_From_Data(data.data(format));
        if (!image.isNull()) return image;
    }
    return QImage();
}

// The invitation wizard's texts: centred titles, a right-aligned sender, large headings.
void applyInvitationRules(SKTGraphic &g, const QString &id)
{
    static const char *const centred[] = {"PARTY_TITLE", "PARTY_DATE", "PARTY_TIME", "PARTY_VENUE",
                                          "PARTY_MARRINGE_INFO"};
    for (const char *c : centred)
        if (id == QLatin1String(c)) g.text_alignmnet = 2;
    if (id == QLatin1String("PARTY_FROM")) g.text_alignmnet = 1;
    if (id == QLatin1String("PARTY_TITLE") || id == QLatin1String("PARTY_MARRINGE_INFO")) {
        const QFont font = Font_With_Name(QStringLiteral(".AppleSystemUIFont"), 18);
        g.text_ctrl_font = font;
        g.Text_contents().font = font;
    }
}
} // namespace

std::optional<GraphicClass> SKTGraphicView::graphicClassForTool(int tool)
{
    for (const ToolRow &row : kTools)
        if (row.tool == tool) return GraphicClass{row.kind, QString::fromLatin1(row.letter)};
    return std::nullopt;
}

SKTGraphic *SKTGraphicView::createGraphicOfClass(GraphicKind kind, std::optional<QPointF> press, bool use_rect,
                                                 const QRectF &bound_rect, Card_Side card_side,
                                                 const QString &ctrl_value, const QString &ctrl_ID)
{
    if (Selcect_Ctrl_With_ID(ctrl_ID) || !m_graphics) return nullptr;
    if (!m_snapshotsHeld && m_host) m_host->Insert_In_Undo_Redo();
    if (kind == GraphicKind::Text && m_host) m_host->Set_Selected_Control_Tool(2);
    Clear_Control_Selection();

    // Where it goes and how large it starts.
    const bool isText = kind == GraphicKind::Text;
    QPointF origin;
    QSizeF size(0, 0);
    if (press) {
        origin = *press;
        if (m_grid) origin = m_grid->constrainedPoint(origin);
    } else {
        if (use_rect) {
            origin = bound_rect.topLeft();
            size = isText ? QSizeF(70, 20) : bound_rect.size();
            if (ctrl_ID.isEmpty() && m_host) origin = m_host->Control_New_Point(card_side);
        } else {
            size = isText ? QSizeF(70, 20) : QSizeF(50, 50);
            origin = m_host ? m_host->Control_New_Point(card_side) : QPointF(10, 10);
        }
        if (m_grid) {
            const QPointF corner = m_grid->constrainedPoint(origin + QPointF(size.width(), size.height()));
            origin = m_grid->constrainedPoint(origin);
            size = QSizeF(corner.x() - origin.x(), corner.y() - origin.y());
        }
    }

    // What it is: the tool in hand decides the pictures; a tool of another kind than
    // the one asked for makes a plain control of that kind.
    const int tool = m_host ? m_host->Selected_Control_Tool() : 0;
    const std::optional<GraphicClass> toolClass = graphicClassForTool(tool);
    const int made = toolClass && toolClass->kind == kind ? tool : 0;
    auto sample = [this](CardViewHost::SamplePicture which) {
        return m_host ? m_host->Sample_Picture(which) : Picture();
    };
    GraphicPtr g;
    switch (made) {
    case ImageTool:
        if (fileExists(Library_Selected_Image)) {
            g = SKTImage::initWithPath(origin, Library_Selected_Image);
        } else if (fileExists(ctrl_value)) {
            g = SKTImage::initWithPath_With_ID(origin, ctrl_value, ctrl_ID);
        } else {
            g = SKTImage::initWithPosition(origin, sample(CardViewHost::SamplePicture::NoImage));
            if (!Library_Selected_Image.isEmpty()) g->Set_text_value(Library_Selected_Image);
        }
        break;
    case LibraryImageTool: g = SKTImage::initWithPath(origin, Library_Selected_Image); break;
    case BarcodeTool: g = SKTBarcode::initWithPosition(origin, Picture()); break;
    case SignatureTool:
        Library_Selected_Image = SKTSignature::samplePath(QStringLiteral("S"));
        g = SKTSignature::initWithPosition(origin, sample(CardViewHost::SamplePicture::Signature), QStringLiteral("S"));
        break;
    case FingerprintTool:
        g = SKTSignature::initWithPosition(origin, sample(CardViewHost::SamplePicture::Fingerprint), QStringLiteral("F"));
        break;
    default:
        g = SKTGraphic::create(kind);
        // A new text takes the design's font and colour of new text.
        if (kind == GraphicKind::Text && m_graphics->document()) {
            g->text_ctrl_font = m_graphics->document()->All_Text_font;
            g->txt_clr = m_graphics->document()->All_Text_clr;
        }
        if (made != 0 && kind == GraphicKind::Shape && !toolClass->letter.isEmpty())
            g->Set_Shape_Type(toolClass->letter);
        if (isText && !ctrl_value.isEmpty()) {
            g->Set_text_value(ctrl_value);
            g->setDrawingStroke(false);
            g->setDrawingFill(false);
            if (m_host && m_host->Design_Mode() == Card_Mode::Group && !ctrl_ID.contains(QLatin1String("_Photo")) &&
                (ctrl_ID.contains(QLatin1String("_field")) || ctrl_ID.contains(QLatin1String("Fup_"))) && m_host) {
                const int column = m_host->Get_Excel_Coulmn_Index_According_ID(ctrl_ID);
                if (column != -1) {
                    g->Set_Data_source_type(Data_Source_Spreadsheet);
                    g->Set_Excel_binding(true);
                    g->Set_Excel_binding_Index(column);
                }
            }
            if (ctrl_ID.contains(QLatin1String("PARTY_"))) applyInvitationRules(*g, ctrl_ID);
        }
        break;
    }

    g->control_ID = ctrl_ID;
    // A photo made in group mode (a photo button, the camera) takes its side's photo
    // column, as the photo the column's binding places does: an undo that gives it back
    // leaves the column the side's.
    if (kind == GraphicKind::Image && ctrl_ID == QLatin1String("Fup_Photo") && m_host &&
        m_host->Design_Mode() == Card_Mode::Group)
        if (const int column = m_host->Get_Excel_Coulmn_Index_According_ID(ctrl_ID); column != -1) {
            g->Set_Data_source_type(Data_Source_Spreadsheet);
            g->Set_Excel_binding(true);
            g->Set_Excel_binding_Index(column);
        }
    g->setBounds(QRectF(origin, size));
    if (m_host && !m_creationGroupOpen) {
        m_host->Begin_Creation_Undo_Group();
        m_creationGroupOpen = true;
    }
    m_graphics->insert(g, 0);
    m_creatingGraphic = g.get();
    m_creatingTool = made;
    if (press) {
        beginResizeDrag(g.get(), g->creationSizingHandle());
        // The release finishes what a drag sizes; a control that cannot be dragged
        // (a barcode takes its picture's size) is finished now.
        if (m_drag.kind == Drag::Resize) return g.get();
    }
    finishCreatingGraphic(g.get());
    return m_graphics->contains(g.get()) ? g.get() : nullptr;
}

void SKTGraphicView::endCreationGroup(bool takeBack)
{
    if (!m_creationGroupOpen) return;
    m_creationGroupOpen = false;
    if (m_host) m_host->End_Creation_Undo_Group(takeBack);
}

void SKTGraphicView::finishCreatingGraphic(SKTGraphic *g)
{
    const int tool = m_creatingTool;
    m_creatingGraphic = nullptr;
    m_creatingTool = 0;
    if (!m_graphics || !m_graphics->contains(g)) {
        endCreationGroup(false);
        return;
    }
    // A click without a drag is taken back; a barcode's size comes from its picture.
    const bool takenBack = g->width() == 0 && g->height() == 0 && tool != BarcodeTool;
    endCreationGroup(takenBack);
    if (takenBack) {
        // The document's record takes back a front control; other sides' lists are
        // not recorded.
        if (m_graphics->contains(g)) m_graphics->remove(g);
        m_selectedGraphic = nullptr;
    } else {
        selectGraphics({g});
        m_selectedGraphic = g;
        setNeedsDisplayInRect(g->drawingBounds());
        if (tool == BarcodeTool) {
            // A new barcode shows "0123" with its header and footer at its picture's size.
            Render_Barcode(*g);
            check_barcode_and_set_control_bounds(g);
            if (m_host) m_host->Set_Natural_Size_Buttons_Enabled(false);
        } else if (m_host) {
            m_host->Set_Natural_Size_Buttons_Enabled(true);
        }
    }
    if (!m_host) return;
    if (m_host->Design_Mode() == Card_Mode::Group) m_host->Set_Batch_List_To_Current_Side();
    m_host->Set_Selected_Control_Tool(0);
    if (!m_snapshotsHeld) m_host->Insert_In_Undo_Redo();
}

void SKTGraphicView::ReplaceGraphicText(GraphicKind kind, bool use_rect, const QRectF &bound_rect,
                                        Card_Side card_side, const QString &ctrl_value, const QString &ctrl_ID)
{
    SKTGraphic *g = Selcect_Ctrl_With_ID(ctrl_ID);
    if (!g) {
        createGraphicOfClass(kind, std::nullopt, use_rect, bound_rect, card_side, ctrl_value, ctrl_ID);
        return;
    }
    g->Set_Ctrl_Is_Visible(true);
    if (kind == GraphicKind::Text && !ctrl_value.isEmpty()) {
        g->Set_text_value(ctrl_value);
        g->setDrawingStroke(false);
        g->setDrawingFill(false);
    } else if (kind == GraphicKind::Image && g->kind() == GraphicKind::Image) {
        static_cast<SKTImage *>(g)->setFilePath(ctrl_value, true);
    }
    m_selectedGraphic = g;
    if (!m_snapshotsHeld && m_host) m_host->Insert_In_Undo_Redo();
}

SKTGraphic *SKTGraphicView::Selcect_Ctrl_With_ID(const QString &id) const
{
    if (id.isEmpty()) return nullptr;
    try {
        for (const GraphicPtr &g : graphics())
            if ((g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image) && g->control_ID == id) return g.get();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
    return nullptr;
}

void SKTGraphicView::Set_Selection_Index_According_ID(const QString &id)
{
    m_selectedGraphic = nullptr;
    for (const GraphicPtr &g : graphics())
        if (g->control_ID == id) {
            selectGraphics({g.get()});
            m_selectedGraphic = g.get();
            return;
        }
}

void SKTGraphicView::delete_all_control()
{
    if (m_graphics) m_graphics->clear();
}

void SKTGraphicView::Hide_all_Text_control_FUP_Control()
{
    for (const GraphicPtr &g : graphics())
        if ((g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image) && isProfileTextID(g->control_ID))
            g->Set_Ctrl_Is_Visible(false);
}

bool SKTGraphicView::There_Is_Any_Lock_Contrl() const
{
    for (SKTGraphic *g : selectedGraphics())
        if (g->ctrl_is_locked) return true;
    return false;
}

bool SKTGraphicView::There_Is_Frame_Pic_Or_Frame_Photo() const
{
    for (SKTGraphic *g : selectedGraphics())
        if (g->control_ID == QLatin1String("PARTY_IMAGE") || g->control_ID == QLatin1String("PARTY_IMAGE_BG"))
            return true;
    return false;
}

void SKTGraphicView::check_barcode_and_set_control_bounds(SKTGraphic *g)
{
    try {
        if (g && g->kind() == GraphicKind::Barcode) g->Set_Barcode_image_control_bounds(g->bounds());
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

bool SKTGraphicView::makeNewImageFromContentsOfFile(const QString &path, QPointF point)
{
    const QByteArray ext = QFileInfo(path).suffix().toLower().toLatin1();
    if (!m_graphics || ext.isEmpty() || !QImageReader::supportedImageFormats().contains(ext)) return false;
    if (Picture::fromFile(path).isNull()) return false;
    // The control keeps the file's own path, so a saved design finds the picture again.
    m_graphics->insert(SKTImage::initWithPath(point, path), 0);
    changeSelectionIndexes({0});
    return true;
}

bool SKTGraphicView::makeNewImageFromPasteboard(const QMimeData *mime, QPointF point)
{
    if (!m_graphics || !mime) return false;
    const QImage image = pictureOnClipboard(*mime);
    if (image.isNull()) return false;
    // A design stores picture paths, not pictures: a pasted picture is kept as a file
    // of its own in the user's picture folder first.
    const QString folder = Created_Resource_Path + QStringLiteral("Images_save_by_user");
    if (!Create_Folder(folder)) return false;
    QString path;
    // A link under a name (one leading nowhere too) takes it; the picture never goes
    // through one.
    for (int n = 1; path.isEmpty() || Path_Is_Taken(path); ++n)
        path = folder + QStringLiteral("/Pasted_Picture_%1.png").arg(n);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || !Write_File_Whole(path, bytes, 0600, nullptr, File_Link::Replace)) return false;
    // The picture lies on the card with its top-left corner at the point.
    std::shared_ptr<SKTImage> g = SKTImage::initWithPath(point, path);
    g->setBounds(QRectF(point, Picture(image).size()));
    m_graphics->insert(g, 0);
    changeSelectionIndexes({0});
    return true;
}
