// The drawing tools: a tool button puts its tool in hand, and the new control is made
// at once on the shown side; the card view makes it (also when it is dragged out with
// the mouse) and puts the arrow back in hand.
#include "SKTWindowController.h"

#include "Picture.h"

#include "Dialogs.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Camera.h"
#include "Image_Library.h"
#include "QtCameraSource.h"
#include "MessageBox.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"

#include <QAbstractButton>
#include <QMainWindow>
#include <QTabWidget>
#include <exception>

void SKTWindowController::Tool_Button_Clicked(int tool)
{
    m_selectedTool = tool;
    Select_tool_action();
}

void SKTWindowController::Select_tool_action()
{
    emit SKTSelectedToolDidChange();
    Refresh_Canvas();
    if (SKTGraphicView *v = currentGraphicView()) {
        Show_RHS_Properties(v->Selected_Graphic());
        v->setFocus(Qt::OtherFocusReason);
    }
}

void SKTWindowController::selectArrowTool()
{
    m_selectedTool = 0;
    emit SKTSelectedToolDidChange();
}

std::optional<GraphicClass> SKTWindowController::currentGraphicClass() const
{
    return SKTGraphicView::graphicClassForTool(m_selectedTool);
}

void SKTWindowController::selectedToolDidChange()
{
    const std::optional<GraphicClass> cls = currentGraphicClass();
    if (!cls) return;
    const int tool = m_selectedTool;
    QString controlID;
    bool useRect = true;
    QRectF rect(0, 0, 50, 50);
    if (cls->kind == GraphicKind::Image) {
        // Nothing chosen: the arrow comes back, so that the next press on the card
        // does not make a picture the user never asked for.
        if (tool == 8 && !Browse_User_Image_Manually()) {
            selectArrowTool();
            return;
        }
        if (tool == 9) {
            if (Open_Image_Library_Window(Library_Purpose::Control) != 1) {
                selectArrowTool();
                return;
            }
            Library_Selected_Image = lib_window_sel_file;
        }
        if (document.Start_Card_Option == Card_Mode::Visitor) {
            controlID = Generate_Extra_image_control_ID();
            useRect = false;
        }
    }
    // The barcode's rectangle lasts until its picture gives it its size.
    if (cls->kind == GraphicKind::Barcode && tool == 10) rect.setSize(QSizeF(120, 60));
    if (cls->kind == GraphicKind::Signature && tool == 11) rect.setSize(QSizeF(100, 50));
    if (SKTGraphicView *v = currentGraphicView())
        v->createGraphicOfClass(cls->kind, std::nullopt, useRect, rect, Card_Side_Of_Index(document.currentSide()), QString(), controlID);
}

QString SKTWindowController::Generate_Extra_image_control_ID()
{
    QString id;
    try {
        SKTGraphicView *v = currentGraphicView();
        do {
            ++Image_Ctrl_Counter;
            id = QStringLiteral("F_Pic%1").arg(Image_Ctrl_Counter);
        } while (v && v->Selcect_Ctrl_With_ID(id));
    } catch (const std::exception &e) {
        Show_MessageBox(QString::fromUtf8(e.what()));
    }
    return id;
}

void SKTWindowController::Watermark_Tool_Clicked()
{
    Show_RHS_Properties(nullptr);
    const int index = ui.sett_tab ? ui.sett_tab->indexOf(ui.tabPages[card_brdr_tab]) : -1;
    if (index >= 0) ui.sett_tab->setCurrentIndex(index);
}

bool SKTWindowController::Browse_User_Image_Manually()
{
    FilePanelRequest request;
    request.kind = FilePanelRequest::OpenFile;
    request.title = tr("Choose a picture");
    request.extensions = Allowd_Image_fileTypes;
    const QStringList chosen = Run_File_Panel(request);
    // A file that cannot be read as a picture is refused with a message: the control
    // keeps the picture it had.
    if (!chosen.isEmpty() && !Image_Is_Over_Size(chosen.front(), 1) && Picture_File_Opens(chosen.front())) {
        Library_Selected_Image = chosen.front();
        return true;
    }
    Library_Selected_Image = QStringLiteral("");
    return false;
}

Camera &SKTWindowController::Camera_Window()
{
    if (!m_camera) m_camera = new Camera(Make_Camera_Source(), ui.window, modalRunner);
    return *m_camera;
}

QString SKTWindowController::Panel_Camera_Picture()
{
    Camera &camera = Camera_Window();
    return camera.Open_Wnd() == 1 ? camera.Camera_Capture_Image : QString();
}

int SKTWindowController::Open_Image_Library_Window(Library_Purpose purpose)
{
    if (!m_imageLibrary) m_imageLibrary = new Image_Library(ui.window, modalRunner);
    m_imageLibrary->control_or_BG = purpose;
    const int code = m_imageLibrary->Open_Library_Window();
    if (code == 1) lib_window_sel_file = m_imageLibrary->selected_image;
    return code;
}

SKTGraphic *SKTWindowController::Create_Graphic_For_Tool_At(SKTGraphicView &view, QPointF point)
{
    const std::optional<GraphicClass> cls = currentGraphicClass();
    if (!cls) return nullptr;
    return view.createGraphicOfClass(cls->kind, point, false, QRectF(), Card_Side_Of_Index(document.currentSide()), QString(), QString());
}

Picture SKTWindowController::Sample_Picture(SamplePicture which) const
{
    switch (which) {
    case SamplePicture::NoImage: return no_image;
    case SamplePicture::Signature: return sign_sample_img;
    case SamplePicture::Fingerprint: return fp_sample_img;
    }
    return Picture();
}


void SKTWindowController::Set_Natural_Size_Buttons_Enabled(bool enabled)
{
    for (QAbstractButton *b : {Make_natural_size_btn, fit_to_label_btn})
        if (b) b->setEnabled(enabled);
}

