// The details pane of the visitor log: one visit's caption and value rows, its photo
// and other details, and the texts and page size of its gate pass.
#include "Visitor_Log_Records.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "Helpers.h"
#include "ImageHelpers.h"
#include "LayoutParts.h"
#include "MessageBox.h"
#include "PictureAdjuster.h"
#include "StandInPictures.h"
#include "StoredValues.h"
#include "Visitor_Photo_Text.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {
// The column stems of the rows; entry k is the gate pass's field k.
const std::array<const char *, kGatePassFieldCount> field_name{
    "VName", "Position", "CompanyName", "Slogan", "Address", "Phone", "Fax", "Email", "Website", "UniqueNo",
    "EntryDate", "EntryTime"};
constexpr int kRowStep = 25;
constexpr int kRowHeight = 20;
constexpr int kOtherDetailsRoom = 85;
const QRect kScrollFrame(0, 0, 430, 430);
const QRect kRowsBoxFrame(0, 0, 395, 400);
const char *kRowY = "rowYUp";  // a row's place, measured from the rows box's bottom edge upward
} // namespace

QWidget *Visitor_Log_Records::buildDetailsPane()
{
    auto *pane = new QWidget;
    auto *v = new QVBoxLayout(pane);
    visiting_time = new QLabel;
    QFont title = visiting_time->font();
    title.setBold(true);
    title.setPointSizeF(title.pointSizeF() + 2);
    visiting_time->setFont(title);
    v->addWidget(visiting_time);

    auto *h = new QHBoxLayout;
    auto *area = new QWidget;
    area->setFixedSize(kScrollFrame.size());
    Scroll_View = new QScrollArea(area);
    Scroll_View->setWidgetResizable(false);
    Scroll_View->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    det_scroll_rect = kScrollFrame;
    Scroll_View->setGeometry(det_scroll_rect);
    visitor_details_box = new QWidget;
    det_gp_rect = kRowsBoxFrame;
    visitor_details_box->setGeometry(det_gp_rect);
    Scroll_View->setWidget(visitor_details_box);
    other_detail = new QPlainTextEdit(area);
    other_detail->setReadOnly(true);
    other_detail->setGeometry(0, kScrollFrame.height() - kOtherDetailsRoom + 5, kScrollFrame.width(),
                              kOtherDetailsRoom - 5);
    other_detail->hide();
    h->addWidget(area);

    auto *side = new QVBoxLayout;
    user_image = new QLabel;
    user_image->setFixedSize(160, 200);
    user_image->setAlignment(Qt::AlignCenter);
    user_image->setFrameShape(QFrame::Box);
    side->addWidget(user_image);
    side->addWidget(show_back_details = new QCheckBox(QStringLiteral("Show back details")));
    show_back_details->setChecked(true);
    side->addStretch();
    h->addLayout(side);
    v->addLayout(h, 1);

    backButton = Command_Button(QStringLiteral("Back"), this, &Visitor_Log_Records::Close_Details_Panel_click);
    exportImageButton = Command_Button(QStringLiteral("Export Image"), this, &Visitor_Log_Records::Export_Image_click);
    exportPdfButton = Command_Button(QStringLiteral("Export PDF"), this, &Visitor_Log_Records::Export_PDF_click);
    pageSetupButton = Command_Button(QStringLiteral("Page Setup"), this, &Visitor_Log_Records::Page_Setup_click);
    previewButton = Command_Button(QStringLiteral("Print Preview"), this, &Visitor_Log_Records::Print_Preview_click);
    printButton = Command_Button(QStringLiteral("Print"), this, &Visitor_Log_Records::Print_click);
    mailButton = Command_Button(QStringLiteral("Mail"), this, &Visitor_Log_Records::Mail_click);
    for (QPushButton *b :
         {backButton, exportImageButton, exportPdfButton, pageSetupButton, previewButton, printButton, mailButton})
        b->setAutoDefault(false);
    v->addLayout(Side_By_Side({backButton, Layout_Stretch{}, exportImageButton, exportPdfButton, pageSetupButton,
                               previewButton, printButton, mailButton}));
    mailButton->setVisible(static_cast<bool>(mailer));

    connect(show_back_details, &QCheckBox::clicked, this, &Visitor_Log_Records::Show_Back_Details_click);
    return pane;
}

void Visitor_Log_Records::Show_Visitor_Details(const QString &id)
{
    Reset_all_Ctrl();
    sel_db_id_str = id;
    if (Find_And_Fill_Details(show_back_details->isChecked())) showListView(false);
}

void Visitor_Log_Records::Close_Details_Panel_click() { showListView(true); }

void Visitor_Log_Records::Show_Back_Details_click()
{
    const bool showBack = show_back_details->isChecked();
    Reset_all_Ctrl();
    show_back_details->setChecked(showBack);
    Find_And_Fill_Details(showBack);
}

void Visitor_Log_Records::Reset_all_Ctrl()
{
    Set_User_Image(QString());
    current_position = 0;
    show_back_details->setChecked(true);
    other_detail->clear();
    other_detail->hide();
    Scroll_View->setGeometry(det_scroll_rect);
    pass = Gate_Pass_Data();
    details.clear();
    visiting_time->clear();
    for (QLineEdit *f : view_array_label) delete f;
    for (QLineEdit *f : view_array_value) delete f;
    view_array_label.clear();
    view_array_value.clear();
    visitor_details_box->setGeometry(det_gp_rect);
    boxHeight = det_gp_rect.height();
    Increase_Frame_By(kRowStep);
    ctrl_y = boxHeight - 30;
}

// The rows box grows by n (never below the scroll view's height); rows keep their
// distance from its bottom edge, so the newest row is the top one.
void Visitor_Log_Records::Increase_Frame_By(int n)
{
    boxHeight = std::max(boxHeight + n, Scroll_View->height());
    ctrl_y -= n;
    visitor_details_box->resize(det_gp_rect.width(), boxHeight);
    for (const auto *rows : {&view_array_label, &view_array_value})
        for (QLineEdit *f : *rows) f->move(f->x(), boxHeight - f->property(kRowY).toInt() - kRowHeight);
}

bool Visitor_Log_Records::Find_And_Fill_Details(bool showBack)
{
    if (!store.Open_DB_Connection()) {
        Show_MessageBox(QStringLiteral("Error in database access"));
        return false;
    }
    QString reason;
    const std::optional<Visitor_Row> row = store.Read_Visit(sel_db_id_str, &reason);
    store.Close_DB_Connection();
    if (!row) {
        // The list stays; a failed read is no empty visit.
        Show_MessageBox(QStringLiteral("Error in database access\n\nThe visit could not be read: %1").arg(reason));
        return false;
    }
    if (row->isEmpty()) return true;  // the pane is shown empty

    const QString stamp = row->text(QStringLiteral("Date_Time_Stamp"));
    pass.date_time_detail = stamp;
    const QString title = QStringLiteral("Visitor Details - %1").arg(stamp);
    visiting_time->setText(title);
    Set_User_Image(row->text(QStringLiteral("Photo")));
    details += QStringLiteral("\r\nVisitor Details\r\n") + title + QStringLiteral("\r\n");
    const QString other = Trim_Str(row->text(QStringLiteral("Other")) + QStringLiteral("\r\n") +
                                   row->text(QStringLiteral("Other_B")));
    pass.other_detail_info = other;
    if (!other.isEmpty()) {
        details += QStringLiteral("Other Details :\r\n\r\n") + other + QStringLiteral("\r\n");
        other_detail->setPlainText(QString(other).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
        other_detail->show();
        Scroll_View->setGeometry(det_scroll_rect.adjusted(0, 0, 0, -kOtherDetailsRoom));
    }
    if (showBack) Check_and_create_label_and_field(*row, true);
    Check_and_create_label_and_field(*row, false);
    Scroll_View->verticalScrollBar()->setValue(0);
    Gate_Pass_Size();
    return true;
}

void Visitor_Log_Records::Check_and_create_label_and_field(const Visitor_Row &row, bool back)
{
    const QString b = back ? QStringLiteral("_B") : QString();
    const QString useDate = Trim_Str(row.text(QStringLiteral("Use_Date") + b));
    const QString useTime = Trim_Str(row.text(QStringLiteral("Use_Time") + b));
    auto &texts = back ? pass.back : pass.front;
    for (int k = kGatePassFieldCount - 1; k >= 0; --k) {
        const QString stem = QLatin1String(field_name[k]);
        const QString caption = Trim_Str(row.text(stem + QStringLiteral("_lb") + b));
        QString value = Trim_Str(row.text(stem + b));
        // A date or time the visitor left unticked was stored for the record only.
        if ((k == Pass_Date && useDate == QLatin1String("0")) || (k == Pass_Time && useTime == QLatin1String("0")))
            value.clear();
        if (value.isEmpty() && caption.isEmpty()) continue;
        texts[k].caption = caption;
        if (!value.isEmpty()) texts[k].value = value;

        ctrl_y = boxHeight;
        auto *label = new QLineEdit(caption, visitor_details_box);
        label->setReadOnly(true);
        label->setProperty(kRowY, ctrl_y);
        label->setGeometry(8, boxHeight - ctrl_y - kRowHeight, 150, kRowHeight);
        if (caption.isEmpty()) {
            label->setEnabled(false);
            label->setFrame(false);
            label->setStyleSheet(QStringLiteral("background-color: rgb(211, 211, 211);"));
        }
        label->show();
        view_array_label.push_back(label);
        details += caption + QLatin1Char(' ');
        auto *field = new QLineEdit(value, visitor_details_box);
        field->setReadOnly(true);
        field->setProperty(kRowY, ctrl_y);
        field->setGeometry(170, boxHeight - ctrl_y - kRowHeight, 225, kRowHeight);
        field->setCursorPosition(0);
        field->show();
        view_array_value.push_back(field);
        details += value + QStringLiteral("\r\n");
        current_position += kRowStep;
        Increase_Frame_By(kRowStep);
    }
}

void Visitor_Log_Records::Set_User_Image(const QString &photoText)
{
    pass.photo = Picture();
    user_image->clear();
    if (Trim_Str(photoText).isEmpty()) return;
    const Visitor_Photo_Text t = Parse_Visitor_Photo_Text(photoText);
    // A stand-in picture recorded as the photo (the grey figure of a template) is none.
    if (Is_Stand_In_Picture(t.path, Resource_Path)) return;
    Picture picture = Get_Image_For_Path(t.path, 0);
    if (picture.isNull()) return;
    if (t.hasSettings) {
        // These settings are this photo's own: nothing else sees them.
        ImageAdjustments a;
        a.flipHorizontally = t.flipH;
        a.flipVertically = t.flipV;
        a.grayScale = t.grayScale;
        a.sepia = t.sepia;
        a.rotation = t.rotation;
        a.sharpness = t.sharpen;
        a.exposure = t.exposure;
        a.blur = t.blur;
        a.saturation = t.saturation;
        a.brightness = t.brightness;
        a.contrast = t.contrast;
        a.hue = t.hue;
        a.transparency = t.transparency;
        picture = adjuster.adjusted(picture, a, QSize());
        if (t.border) {
            QColor colour = t.borderColour.isEmpty() ? QColor(Qt::black) : Convert_String_to_Color(t.borderColour);
            if (!colour.isValid()) colour = Qt::black;
            picture = image_Drawing_with_border(picture, t.borderWidth, t.borderType, colour);
        }
        if (picture.isNull()) return;
    }
    pass.photo = picture;
    user_image->setPixmap(QPixmap::fromImage(picture.image())
                              .scaled(user_image->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void Visitor_Log_Records::Gate_Pass_Size()
{
    QString text = details;
    if (!pass.other_detail_info.isEmpty()) text.remove(QStringLiteral("Other Details :\r\n\r\n"));
    page_rect = Gate_Pass_Page_Rect(visitor_details_box->width(), text);
}
