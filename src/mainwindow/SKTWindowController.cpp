// Construction of the main window controller and its links to the model and canvas.
#include "SKTWindowController.h"

#include <QThreadPool>

#include "Barcode_Gen.h"
#include "CardValueEngine.h"
#include "Mail_Desk.h"
#include "Output_Host.h"
#include "Run_Desk.h"
#include "Mail_Transport.h"
#include "CardPropertyPanel.h"
#include "Card_Wizard.h"
#include "Invitation_Wizard.h"
#include "Start_Card.h"
#include "ControlPanels.h"
#include "DataSourceSection.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Group_Mode.h"
#include "Helpers.h"
#include "Paths.h"
#include "PropertyPanelHost.h"
#include "SKTDocument.h"
#include "SKTGraphicView.h"
#include "Visitor_Record_Desk.h"

#include <QApplication>
#include <QMainWindow>
#include <QTimer>

SKTWindowController *Main_App_wnd = nullptr;

namespace {

struct ResourcePicture {
    Picture SKTWindowController::*field;
    const char *name;
    const char *type;
};
const ResourcePicture kResourcePictures[] = {
    {&SKTWindowController::no_camera_image, "no_camera", "jpg"},
    {&SKTWindowController::Err_image, "pic_err", "png"},
    {&SKTWindowController::no_image_ctrl_GP, "pic_ic", "png"},
    {&SKTWindowController::no_image, "no", "png"},
    {&SKTWindowController::banner_image, "banner", "png"},
    {&SKTWindowController::promotion_pattern_image, "pattern_1", "jpg"},
    {&SKTWindowController::wizard_pattern_image, "Wizard_pattern", "jpg"},
    {&SKTWindowController::sign_sample_img, "sign_sample", "png"},
    {&SKTWindowController::fp_sample_img, "fingerprints", "png"},
    {&SKTWindowController::front_btn_image, "front-2", "png"},
    {&SKTWindowController::back_btn_image, "back-2", "png"},
    {&SKTWindowController::front_btn_image_sel, "front-sel", "png"},
    {&SKTWindowController::back_btn_image_sel, "back-sel", "png"},
};
} // namespace

SKTWindowController::SKTWindowController(SKTDocument &design, const PictureAdjuster &adjuster, QThreadPool *pool,
                                         Modal_Runner *runner)
    : document(design), pictureAdjuster(adjuster), runPool(pool ? *pool : *QThreadPool::globalInstance()),
      modalRunner(runner)
{
    // Fonts: the default text font is the menu font of the desktop.
    DEFAULT_FONT = QApplication::font("QMenuBar");
    Text_Ctrl_Font = DEFAULT_FONT.family();
    if (QCoreApplication::instance()) App_Name = QCoreApplication::applicationName();
    if (Resource_Path.isEmpty() || Created_Resource_Path.isEmpty()) Locate_Application_Paths();
    Create_Folder(Created_Resource_Path);

    Allowd_Image_fileTypes = {"jpg", "jpeg", "jpe", "jfif", "gif", "bmp", "png", "tif", "tiff"};
    m_selectedTool = 0;
    Main_App_wnd = this;

    Text_font = Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    document.All_Text_font = Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);
    WM_Text_font = Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size);

    paper_card_arry = {"Durable 1458 - Name Badge", "Durable 1452 - Name Badge", "Durable 1453 - Name Badge",
                       "Durable 1454 - Name Badge", "Durable 1455 - Name Badge", "Durable 1456 - Name Badge",
                       "Durable 1457 - Name Badge", "Durable 1459 - Name Badge"};
    pvc_card_arry = {"CR80-Credit Card Size", "CR79", "CR90-Over Sized", "CR100-Military Size", "CR50", "CR60", "CR70"};

    camera_path_file = Created_Resource_Path + QStringLiteral("idcardcampics.txt");
    NO_Image_Path = Resource_Path + QStringLiteral("no.png");
    loadResourcePictures();

}

SKTWindowController::~SKTWindowController()
{
    if (m_runDesk) m_runDesk->Stop_Export_Run();
    for (SKTGraphicView *v : {_graphicView, _graphicView_BACK, _graphicView_TEMP})
        if (v) {
            v->setHost(nullptr);
            v->bindGraphics(nullptr);
        }
    delete ui.window;
    ui.window = nullptr;
    // The panels go before the services they were given.
    delete controlPanels;
    controlPanels = nullptr;
    delete cardPanel;
    cardPanel = nullptr;
    if (Main_App_wnd == this) Main_App_wnd = nullptr;
}

SKTWindowController *SKTWindowController::defaultInstance() { return Main_App_wnd; }

void SKTWindowController::loadResourcePictures()
{
    for (const ResourcePicture &r : kResourcePictures)
        this->*r.field = Picture::fromFile(Resource_Path + QLatin1String(r.name) + u'.' + QLatin1String(r.type));
}

void SKTWindowController::showWindow()
{
    if (!m_setUp) awakeFromNib(true);
}

void SKTWindowController::showWindow(const QString &designPath)
{
    if (m_setUp) return;
    awakeFromNib(false);
    QTimer::singleShot(0, this, [this, designPath] { Start_With_Design(designPath); });
}

QRectF SKTWindowController::frontCardBounds() const { return document.cardBounds(); }

Picture SKTWindowController::Panel_Image_For_Path(const QString &path) { return Get_Image_For_Path(path, 0); }

bool SKTWindowController::Is_Visitor_Or_Group_Mode() const { return document.isVisitorOrGroupMode(); }

void SKTWindowController::Selection_Count_Changed(int) {}

Mail_Settings SKTWindowController::Get_Email_Details() const { return Current_Mail_Settings(); }
