// Saving and opening design files from the main window.
#include "SKTWindowController.h"

#include "CardAppearance.h"
#include "CardValueEngine.h"
#include "CardPropertyPanel.h"
#include "Dialogs.h"
#include "Export_Template.h"
#include "Run_Desk.h"
#include "FileWrite.h"
#include "SKTBarcode.h"
#include "SKTRenderingView.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "ScopedFlag.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "PictureLimit.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "Shared_Dialogs.h"

#include <QApplication>
#include <QBuffer>
#include <QLineEdit>
#include <QMainWindow>
#include <QPainter>
#include <QFileInfo>

bool SKTWindowController::Save_project_file(bool saveAs, bool showMsg, Card_Mode mode)
{
    // What is typed at this moment belongs to the design being written.
    Take_Typing();
    // A name chosen for a file that could not be written is not the design's name.
    const QString keptName = document.Project_File_Name;
    // The design's own file is written through a link there, as an editor does; a name
    // the panel completed replaces one.
    File_Link links = File_Link::Write_Through;
    if (saveAs || document.Project_File_Name.isEmpty()) {
        FilePanelRequest r;
        r.kind = FilePanelRequest::SaveFile;
        r.title = tr("Save Design");
        r.suggestedName = document.Front_card_Prop.Card_Name() + u'.' + design_file_EXT;
        r.extensions = {design_file_EXT};
        const Save_Panel_Choice chosen = Run_Save_Panel(r);
        if (chosen.path.isEmpty()) return false;
        document.Project_File_Name = chosen.path;
        links = chosen.links;
    }
    // A group project keeps the panel in its selected row and is stored as one.
    Card_Mode fileMode = mode;
    if (Is_Group_Mode() && mode == Card_Mode::Opened) {
        m_group->Save_Group_Mode_List_Details_In_XL_Data_List();
        fileMode = Card_Mode::Group;
    }
    QString error;
    if (!Write_Design_File(document.Project_File_Name, document, fileMode, &error, links)) {
        Show_MessageBox(error.isEmpty() ? QStringLiteral("The design could not be saved.") : error);
        document.Project_File_Name = keptName;
        return false;
    }
    // A template written from the design is not the design's own file.
    if (mode != Card_Mode::Template) Design_Is_As_Saved();
    Set_Log_Name_In_Title();
    if (showMsg) Show_MessageBox(QStringLiteral("Design has been saved successfully."));
    return true;
}

int SKTWindowController::Read_and_load_design_Log_NEW_METHOD(const QString &path, Card_Mode mode, bool readXl)
{
    QString error;
    if (!Read_Design_In_Place(path, mode, readXl, &error)) {
        Show_MessageBox(error);
        return 0;
    }
    Design_Did_Load();
    // What was read is the design as its file holds it.
    Design_Is_As_Saved();
    return 1;
}

bool SKTWindowController::Read_Design_In_Place(const QString &path, Card_Mode mode, bool readXl, QString *error)
{
    DesignData data;
    QString reason;
    if (!Read_Design_File(path, data, &reason)) {
        if (error) *error = reason.isEmpty() ? QStringLiteral("The design file could not be read.") : reason;
        return false;
    }
    {
        const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
        Put_Design_In_Place(data, readXl);
    }
    if (mode == Card_Mode::Opened && copy_card_design == 0) {
        document.Project_File_Name = path;
        // A group project opens in group mode, any other design in visitor mode, before
        // the panels read the card.
        document.Start_Card_Option = data.mode == Card_Mode::Group ? Card_Mode::Group : Card_Mode::Visitor;
    }
    return true;
}

void SKTWindowController::Put_Design_In_Place(DesignData &data, bool readXl)
{
    for (int side = 0; side < 3; ++side)
        if (SKTGraphicView *v = graphicView(side)) v->Clear_Control_Selection();
    for (auto *controls : {&data.front_controls, &data.back_controls})
        for (const GraphicPtr &g : *controls)
            if (g->kind() == GraphicKind::Barcode) {
                // The place the design was saved with is the frame each card's picture is
                // centred in, whatever the size of the picture drawn now.
                g->Set_Barcode_image_control_bounds(g->bounds());
                Render_Barcode(*g);
            }
    // A card without a size keeps the card's present size.
    const QSizeF kept = document.cardBounds().size();
    Put_Design_In_Document(data, document, readXl);
    const QSizeF size = data.front_card.Card_Size();
    SetDocumentCanvasSize(size.width() > 0 && size.height() > 0 ? size : kept);
}

void SKTWindowController::Design_Did_Load(const Panel_Typing *copied)
{
    Select_front_side();
    Image_Control_Counter_Check();
    Set_Log_Name_In_Title();
    Load_Visitor_Panels_From_Card(copied);
    // A group project: the list of its rows, the choices applied, row 0 on the card
    // (the current row kept while a side is copied onto the other).
    if (Is_Group_Mode()) m_group->Design_Loaded();
}

void SKTWindowController::Image_Control_Counter_Check()
{
    if (!Is_Visitor_Or_Group_Mode()) return;
    for (const GraphicPtr &g : currentSideControls().items())
        if (g->kind() == GraphicKind::Image) ++Image_Ctrl_Counter;
}

bool SKTWindowController::Ask_To_Save_Changes()
{
    return m_steps.Ask_To_Save_Changes([this] { return Save_project_file(false, true, Card_Mode::Opened); });
}

void SKTWindowController::Open_Design()
{
    if (!Ask_To_Save_Changes()) return;
    FilePanelRequest r;
    r.title = tr("Open Design");
    r.extensions = {design_file_EXT};
    const QStringList chosen = Run_File_Panel(r);
    // A cancelled panel keeps the design that is open.
    if (chosen.isEmpty()) return;
    Open_Design_File(chosen.front());
}

bool SKTWindowController::Open_Design_File(const QString &path)
{
    // The read runs behind the please-wait sheet; the sheet is gone before any message.
    QString error;
    bool read = false;
    {
        const PleaseWait_Scope wait(ui.window);
        read = Read_Design_In_Place(path, Card_Mode::Opened, true, &error);
    }
    if (!read) {
        Show_MessageBox(error);
        return false;
    }
    Design_Did_Load();
    m_steps.Start_Anew(true);
    return true;
}

void SKTWindowController::Close_Design()
{
    if (!Ask_To_Save_Changes()) return;
    New_Project();
}

void SKTWindowController::Exit_App()
{
    if (!Ask_To_Save_Changes()) return;
    if (Show_YES_NO_MessageBox(QStringLiteral("\nDo you really want to exit?")) != 1) return;
    if (m_runDesk) m_runDesk->Stop_Export_Run();  // a batch export ends first, and the design is put back
    QApplication::exit(0);
}

QImage SKTWindowController::Side_Image(int side, double scale) const
{
    const SKTGraphicList &list = side == 1 ? Get_Back_Controls_Array() : Get_Front_Controls_Array();
    const Card_Property &prop = side == 1 ? document.Back_card_Prop : document.Front_card_Prop;
    return SKTRenderingView::image_From_Card_Graphics(list.items(), frontCardBounds(), &prop,
                                                      Application_Render_Resources(pictureAdjuster), scale);
}

namespace {
// The PNG bytes of a picture; nothing when it cannot be encoded.
std::optional<QByteArray> pngBytes(const QImage &image)
{
    if (image.isNull()) return std::nullopt;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG") || bytes.isEmpty()) return std::nullopt;
    return bytes;
}

QImage sideImage(const SKTWindowController &c, const DesignData &data, int side)
{
    return SKTRenderingView::image_From_Card_Graphics(side == 1 ? data.back_controls : data.front_controls,
                                                      c.frontCardBounds(), side == 1 ? &data.back_card : &data.front_card,
                                                      Application_Render_Resources(c.pictureAdjuster), 1.0);
}

QImage templatePreview(const SKTWindowController &c, const DesignData &data)
{
    // The gallery's picture of the design: both sides for a two-sided card, one above
    // the other for a landscape card and side by side for a portrait one; the front
    // alone otherwise.
    QImage preview = sideImage(c, data, 0);
    if (c.document.Front_card_Prop.Card_Side() == QLatin1String("1") || preview.isNull()) return preview;
    const QImage back = sideImage(c, data, 1);
    const bool sideBySide = preview.width() <= preview.height();
    const QSizeF pixels(sideBySide ? preview.width() * 2.0 : preview.width(),
                        sideBySide ? preview.height() : preview.height() * 2.0);
    if (!Picture_Size_Allowed(pixels)) return {};
    QImage both(pixels.toSize(), QImage::Format_ARGB32_Premultiplied);
    if (both.isNull()) return both;
    both.fill(Qt::transparent);
    QPainter p(&both);
    p.drawImage(0, 0, preview);
    p.drawImage(sideBySide ? preview.width() : 0, sideBySide ? 0 : preview.height(), back);
    p.end();
    return both;
}
} // namespace

Export_Template &SKTWindowController::Template_Name_Window()
{
    if (!m_templateName) m_templateName = new Export_Template(ui.window);
    return *m_templateName;
}

void SKTWindowController::Export_As_Template_Clicked()
{
    // What is typed at this moment belongs to the design being written.
    Take_Typing();
    Export_Template *dialog = &Template_Name_Window();
    dialog->template_name->clear();
    dialog->template_passed.clear();
    if (dialog->Open_Wnd(QStringLiteral("Export as Template")) != 1) return;
    // The template and its preview come from the design; in group mode from a copy
    // whose side not shown holds the selected person. The design itself is not touched.
    DesignData data = Design_Of_Document(document, Card_Mode::Template);
    // The filled side's controls live as long as the copy.
    const std::shared_ptr<SideCopy> filled = Group_Side_Not_Shown_Filled();
    if (filled) (document.currentSide() == 1 ? data.front_controls : data.back_controls) = filled->controls;
    // The preview is made first: a template without its preview is not written at all.
    const std::optional<QByteArray> preview = pngBytes(templatePreview(*this, data));
    if (!preview) {
        Show_MessageBox(QStringLiteral("The template's preview could not be made; the template was not exported."));
        return;
    }
    const QString folder = Export_Template::userTemplateFolder();
    Create_Folder(folder);
    const QString templatePath = folder + u'/' + export_template_name + u'.' + design_file_EXT;
    const QString previewPath = folder + u'/' + export_template_name + QStringLiteral(".png");

    // The template is written beside the design; the design keeps its own file.
    QString error;
    if (!Write_Design_File(templatePath, data, &error)) {
        Show_MessageBox(error.isEmpty() ? QStringLiteral("The design could not be saved.") : error);
        return;
    }
    if (!Write_File_Whole(previewPath, *preview)) {
        Delete_File(templatePath);
        Show_MessageBox(QStringLiteral("The template's preview could not be written; the template was not exported."));
        return;
    }
    Show_MessageBox(QStringLiteral("Template exported successfully."));
}
