// The print window's parts and the sheet layout they set.
#include "Print_Window.h"

#include "Globals.h"
#include "LayoutParts.h"
#include "Log.h"
#include "MessageBox.h"
#include "Scroll_Panel.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QDoubleSpinBox *mmBox(double maximum = 500)
{
    auto *box = new QDoubleSpinBox;
    box->setDecimals(2);
    box->setRange(0, maximum);
    box->setSingleStep(0.5);
    box->setSuffix(QStringLiteral(" mm"));
    return box;
}

QSpinBox *countBox(int minimum, int maximum)
{
    auto *box = new QSpinBox;
    box->setRange(minimum, maximum);
    return box;
}

QLineEdit *shownText()
{
    auto *field = new QLineEdit;
    field->setReadOnly(true);
    return field;
}

QPixmap resourcePicture(const char *name)
{
    return QPixmap(Resource_Path + QLatin1String(name) + QStringLiteral(".png"));
}

} // namespace

Print_Window::Print_Window(Print_Settings &settings, QString profileFolder, QWidget *parent)
    : QDialog(parent), m_settings(settings), m_folder(std::move(profileFolder)),
      m_profileDialog(new Add_Print_Profile(this))
{
    setUp();
}

// Not a delegating constructor: the own settings are named only once this window's
// construction has begun.
Print_Window::Print_Window(QString profileFolder, QWidget *parent)
    : QDialog(parent), m_settings(m_ownSettings), m_folder(std::move(profileFolder)),
      m_profileDialog(new Add_Print_Profile(this))
{
    setUp();
}

void Print_Window::setUp()
{
    setWindowTitle(tr("Print"));
    Paint_Window_Background(*this);
    loadPictures();
    build();
    connectAll();
    Open_Within_Screen(*this);
}

void Print_Window::loadPictures()
{
    both_up_down = resourcePicture("up-down");
    both_up_down_flip = resourcePicture("up-down-flip");
    both_left_right = resourcePicture("left-rite");
    both_duplex_up = resourcePicture("both_up");
    both_duplex_up_down = resourcePicture("head_up_head_down");
    front_up = resourcePicture("front");
    front_down = resourcePicture("front_flip");
    back_up = resourcePicture("back");
    back_down = resourcePicture("back_flip");
    static const char *const normal[] = {"top_left",    "top_center",    "top_right",
                                         "middle_left", "middle_center", "middle_right",
                                         "bootom_left", "bootom_center", "boottom_right"};
    static const char *const selected[] = {"top_left - sel",    "top_center - sel",  "top_right - sel",
                                           "middle_left - sel", "middle_center_sel", "middle_right - sel",
                                           "bootom_left - sel", "bootom_center - sel", "boottom_right - sel"};
    const auto plain = alignPictures(false), chosen = alignPictures(true);
    for (int i = 0; i < 9; ++i) {
        *plain[size_t(i)] = resourcePicture(normal[i]);
        *chosen[size_t(i)] = resourcePicture(selected[i]);
    }
}

std::array<QPixmap *, 9> Print_Window::alignPictures(bool selected)
{
    if (selected)
        return {&top_left_image_sel,   &top_center_image_sel, &top_rite_image_sel,
                &middle_left_image_sel, &middle_center_image_sel, &middle_rite_image_sel,
                &bot_left_image_sel,   &bot_center_image_sel, &bot_rite_image_sel};
    return {&top_left_image,    &top_center_image,    &top_rite_image,
            &middle_left_image, &middle_center_image, &middle_rite_image,
            &bot_left_image,    &bot_center_image,    &bot_rite_image};
}

void Print_Window::Set_Reset_Alignemnt_Image(int k)
{
    if (k < 1 || k > 9) return;
    const auto plain = alignPictures(false), chosen = alignPictures(true);
    for (int i = 1; i <= 9; ++i)
        if (QAbstractButton *b = alignButtons->button(i)) b->setIcon(QIcon(i == k ? *chosen[size_t(i - 1)] : *plain[size_t(i - 1)]));
}

Print_Window::~Print_Window() = default;

void Print_Window::build()
{
    // Printer and paper.
    auto *printerBox = new QGroupBox(tr("Printer"));
    auto *printerForm = new QFormLayout(printerBox);
    Printer_ComboBox = new QComboBox;
    Orient_ComboBox = new QComboBox;
    Orient_ComboBox->addItems({QStringLiteral("Portrait"), QStringLiteral("Landscape")});
    Paper_id = shownText();
    Size_id = shownText();
    Page_setup_btn = new QPushButton(tr("Page Setup..."));
    printerForm->addRow(tr("Printer:"), Printer_ComboBox);
    printerForm->addRow(tr("Paper:"), Paper_id);
    printerForm->addRow(tr("Size (mm):"), Size_id);
    printerForm->addRow(tr("Orientation:"), Orient_ComboBox);
    auto *margins = new QGridLayout;
    l_mar_id = shownText();
    r_mar_id = shownText();
    t_mar_id = shownText();
    b_mar_id = shownText();
    // Two to a line: Left and Right, then Top and Bottom.
    const std::pair<QString, QLineEdit *> marginCells[] = {
        {tr("Left"), l_mar_id}, {tr("Right"), r_mar_id}, {tr("Top"), t_mar_id}, {tr("Bottom"), b_mar_id}};
    for (int i = 0; i < 4; ++i) {
        margins->addWidget(new QLabel(marginCells[i].first), i / 2, (i % 2) * 2);
        margins->addWidget(marginCells[i].second, i / 2, (i % 2) * 2 + 1);
    }
    printerForm->addRow(tr("Margins (mm):"), margins);
    printerForm->addRow(QString(), Page_setup_btn);

    // Cells on the sheet.
    card_align_box = new QGroupBox(tr("Layout"));
    auto *cellForm = new QFormLayout(card_align_box);
    width_Text = mmBox();
    height_Text = mmBox();
    Row_Text = countBox(1, 99);
    Col_Text = countBox(1, 99);
    horz_mar_Text = mmBox();
    vert_mar_Text = mmBox();
    Side_Margin_Text = mmBox();
    Auto_Center_chk_bx = new QCheckBox(tr("Auto centre"));
    cellForm->addRow(tr("Card width:"), width_Text);
    cellForm->addRow(tr("Card height:"), height_Text);
    cellForm->addRow(tr("Rows:"), Row_Text);
    cellForm->addRow(tr("Columns:"), Col_Text);
    cellForm->addRow(tr("Horizontal gap:"), horz_mar_Text);
    cellForm->addRow(tr("Vertical gap:"), vert_mar_Text);
    cellForm->addRow(tr("Side margin:"), Side_Margin_Text);
    cellForm->addRow(QString(), Auto_Center_chk_bx);
    align_Gp_Bx = new QGroupBox(tr("Alignment"));
    auto *alignGrid = new QGridLayout(align_Gp_Bx);
    alignButtons = new QButtonGroup(this);
    for (int k = 1; k <= 9; ++k) {
        auto *b = new QToolButton;
        b->setIconSize(QSize(32, 32));
        b->setAutoRaise(true);
        b->setCheckable(true);
        b->setToolTip(tr("Alignment %1").arg(k));
        alignButtons->addButton(b, k);
        alignGrid->addWidget(b, (k - 1) / 3, (k - 1) % 3);
    }
    cellForm->addRow(align_Gp_Bx);

    // Sides, mirror and options.
    auto *sideBox = new QGroupBox(tr("Card side"));
    auto *sideLayout = new QVBoxLayout(sideBox);
    matrix_card_side = new QButtonGroup(this);
    const QString sideNames[] = {tr("Both sides"), tr("Front"), tr("Back")};
    for (int i = 0; i < 3; ++i) {
        auto *r = new QRadioButton(sideNames[i]);
        matrix_card_side->addButton(r, i);
        sideLayout->addWidget(r);
    }
    print_alignment = new QComboBox;
    print_alignment->addItems({tr("Up-Down, back turned (UD)"), tr("Up-Down (U)"), tr("Left-Right (L)"),
                               tr("Duplex (DU)"), tr("Duplex, back turned (DD)")});
    print_alignment_one_side = new QComboBox;
    print_alignment_one_side->addItems({tr("Upright"), tr("Turned")});
    sideLayout->addWidget(print_alignment);
    sideLayout->addWidget(print_alignment_one_side);
    print_align_demo_pic = new QLabel;
    print_align_demo_pic->setFixedSize(120, 80);
    print_align_demo_pic->setAlignment(Qt::AlignCenter);
    sideLayout->addWidget(print_align_demo_pic, 0, Qt::AlignHCenter);
    mirror_chk_box = new QCheckBox(tr("Mirror"));
    mirror_matrix = new QButtonGroup(this);
    auto *mirrorRow = Radio_Row(mirror_matrix, {tr("Horizontal"), tr("Vertical")});
    mirrorRow->insertWidget(0, mirror_chk_box);
    sideLayout->addLayout(mirrorRow);
    Show_Margins = new QCheckBox(tr("Show margins"));
    crop_mark_chk = new QCheckBox(tr("Crop marks"));
    fit_frame_chk = new QCheckBox(tr("Fit to frame"));
    sideLayout->addWidget(Show_Margins);
    sideLayout->addWidget(crop_mark_chk);
    sideLayout->addWidget(fit_frame_chk);

    // Records.
    export_range_box = new QGroupBox(tr("Cards"));
    auto *rangeLayout = new QGridLayout(export_range_box);
    print_with_batch_chk = new QCheckBox(tr("Print with series values"));
    print_with_excel_chk = new QCheckBox(tr("Print with spreadsheet values"));
    All_print_rd = new QRadioButton(tr("Total"));
    Sel_print_rd = new QRadioButton(tr("From"));
    Total_Text = countBox(1, 999999);
    from_Text = countBox(1, 999999);
    To_Text = countBox(1, 999999);
    rangeLayout->addWidget(print_with_batch_chk, 0, 0, 1, 4);
    rangeLayout->addWidget(print_with_excel_chk, 1, 0, 1, 4);
    rangeLayout->addWidget(All_print_rd, 2, 0);
    rangeLayout->addWidget(Total_Text, 2, 1);
    rangeLayout->addWidget(Sel_print_rd, 3, 0);
    rangeLayout->addWidget(from_Text, 3, 1);
    rangeLayout->addWidget(new QLabel(tr("To")), 3, 2);
    rangeLayout->addWidget(To_Text, 3, 3);

    // Sample sheet.
    PrintView = new Sample_Preview;
    PrintView->setMinimumSize(300, 424);

    // Profiles.
    auto *profileBox = new QGroupBox(tr("Print profiles"));
    auto *profileLayout = new QVBoxLayout(profileBox);
    List_profile = new QListWidget;
    Add_profile_btn = new QPushButton(tr("Add"));
    Edit_profile_btn = new QPushButton(tr("Edit"));
    Save_profile_btn = new QPushButton(tr("Save"));
    Delete_profile_btn = new QPushButton(tr("Delete"));
    profileLayout->addWidget(List_profile);
    auto *profileButtons = new QGridLayout;
    profileButtons->addWidget(Add_profile_btn, 0, 0);
    profileButtons->addWidget(Edit_profile_btn, 0, 1);
    profileButtons->addWidget(Save_profile_btn, 1, 0);
    profileButtons->addWidget(Delete_profile_btn, 1, 1);
    profileLayout->addLayout(profileButtons);

    Print_btn = new QPushButton(tr("Print"));
    Preview_btn = new QPushButton(tr("Preview"));
    Cancel_btn = new QPushButton(tr("Cancel"));
    status = new QLabel;

    // The printer and layout settings scroll on a short screen.
    constexpr int kSmallestSettingsHeight = 480;
    auto *left = Scrolling(Stack_Layout(nullptr, {printerBox, card_align_box}), kSmallestSettingsHeight);
    auto *middle = Stack_Layout(nullptr, {{PrintView, 1}, export_range_box});
    auto *right = Stack_Layout(nullptr, {sideBox, {profileBox, 1}});
    Stack_Layout(this, {{Side_By_Side({left, {middle, 1}, right}), 1},
                        Side_By_Side({{status, 1}, Cancel_btn, Preview_btn, Print_btn})});
}

void Print_Window::connectAll()
{
    connect(Printer_ComboBox, &QComboBox::activated, this, [this] { printerChosen(); });
    connect(Orient_ComboBox, &QComboBox::activated, this, [this] { orientationChosen(); });
    connect(Page_setup_btn, &QPushButton::clicked, this, [this] { pageSetup(); });
    for (QDoubleSpinBox *box : {width_Text, height_Text, horz_mar_Text, vert_mar_Text, Side_Margin_Text})
        connect(box, &QDoubleSpinBox::valueChanged, this, [this] { Check_Max_Cell_Value(); });
    for (QSpinBox *box : {Row_Text, Col_Text})
        connect(box, &QSpinBox::valueChanged, this, [this] {
            Check_Max_Cell_Value();
            Calculate_label_acc_row_col();
        });
    connect(Auto_Center_chk_bx, &QCheckBox::toggled, this, [this] { Auto_Center_Checked(); });
    connect(fit_frame_chk, &QCheckBox::toggled, this, [this] { Fit_To_Frame_clicked(); });
    connect(alignButtons, &QButtonGroup::idClicked, this, [this](int k) {
        Set_Reset_Alignemnt_Image(k);
        if (!fit_frame_chk->isChecked()) Refresh_Preview();
    });
    connect(matrix_card_side, &QButtonGroup::idClicked, this, [this] { sideChosen(); });
    connect(print_alignment, &QComboBox::activated, this, [this] {
        Set_Demo_align_image();
        Check_Max_Cell_Value();
        Calculate_label_acc_row_col();
    });
    connect(print_alignment_one_side, &QComboBox::activated, this, [this] {
        Set_Demo_align_image();
        Refresh_Preview();
    });
    connect(mirror_chk_box, &QCheckBox::toggled, this, [this](bool on) {
        for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(on);
        Refresh_Preview();
    });
    connect(mirror_matrix, &QButtonGroup::idClicked, this, [this] { Refresh_Preview(); });
    connect(Show_Margins, &QCheckBox::toggled, this, [this] { Refresh_Preview(); });
    connect(crop_mark_chk, &QCheckBox::toggled, this, [this] { Refresh_Preview(); });
    connect(print_with_batch_chk, &QCheckBox::toggled, this, [this] { Data_Box_Changed(); });
    connect(print_with_excel_chk, &QCheckBox::toggled, this, [this] { Data_Box_Changed(); });
    connect(All_print_rd, &QRadioButton::toggled, this, [this] { rangeChosen(); });
    connect(To_Text, &QSpinBox::valueChanged, this, [this] {
        if (usingRecords() && To_Text->value() > recordCount()) To_Text->setValue(recordCount());
    });
    connect(from_Text, &QSpinBox::valueChanged, this, [this] {
        if (usingRecords() && from_Text->value() > recordCount()) from_Text->setValue(recordCount());
    });
    connect(Total_Text, &QSpinBox::valueChanged, this, [this] {
        if (usingRecords() && Total_Text->value() > recordCount()) Total_Text->setValue(recordCount());
    });
    // The highlighted row is the picked profile. A mouse press moves the current row
    // before it selects it, so the load follows the selection, not the current row.
    connect(List_profile, &QListWidget::itemSelectionChanged, this, [this] {
        const QString name = selectedProfile();
        if (name.isEmpty() || m_loading) return;
        Delete_profile_btn->setEnabled(name != Default_Profile_Name);
        Read_and_load_profile_info(name);
    });
    connect(Add_profile_btn, &QPushButton::clicked, this, [this] { Add_Edit_Print_Profile(Profile_Change::Add); });
    connect(Edit_profile_btn, &QPushButton::clicked, this, [this] { Add_Edit_Print_Profile(Profile_Change::Edit); });
    connect(Save_profile_btn, &QPushButton::clicked, this, [this] { Save_profile_btn_clicked(); });
    connect(Delete_profile_btn, &QPushButton::clicked, this, [this] { Delete_profile_btn_clicked(); });
    connect(Print_btn, &QPushButton::clicked, this, [this] { PrintButtonPressed(); });
    connect(Preview_btn, &QPushButton::clicked, this, [this] { PreviewButtonPressed(); });
    connect(Cancel_btn, &QPushButton::clicked, this, [this] { done(0); });
}

void Print_Window::Prepare(const Print_Design &design)
{
    m_design = design;
    m_loading = true;
    {
        const QSignalBlocker b1(mirror_chk_box), b2(fit_frame_chk), b3(crop_mark_chk), b4(print_with_batch_chk),
            b5(print_with_excel_chk), b6(Auto_Center_chk_bx), b7(Show_Margins), b8(All_print_rd);
        mirror_chk_box->setChecked(false);
        mirror_matrix->button(0)->setChecked(true);
        for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(false);
        fit_frame_chk->setChecked(false);
        crop_mark_chk->setChecked(false);
        print_with_batch_chk->setChecked(false);
        print_with_excel_chk->setChecked(false);
        print_with_batch_chk->setEnabled(false);
        print_with_excel_chk->setEnabled(false);
        All_print_rd->setChecked(true);
        from_Text->setValue(1);
        Auto_Center_chk_bx->setChecked(false);
        Show_Margins->setChecked(true);
    }
    // Sides: a one-sided card prints its front.
    matrix_card_side->button(design.twoSided ? 0 : 1)->setChecked(true);
    matrix_card_side->button(0)->setEnabled(design.twoSided);
    matrix_card_side->button(2)->setEnabled(design.twoSided);
    print_alignment->setCurrentIndex(0);
    print_alignment_one_side->setCurrentIndex(0);
    Set_Demo_align_image();
    // Records.
    if (!design.visitorMode && (design.usesSeries() || design.usesSpreadsheet())) {
        const QSignalBlocker b1(print_with_batch_chk), b2(print_with_excel_chk);
        print_with_batch_chk->setEnabled(design.usesSeries());
        print_with_batch_chk->setChecked(design.usesSeries());
        print_with_excel_chk->setEnabled(design.usesSpreadsheet());
        print_with_excel_chk->setChecked(design.usesSpreadsheet());
        Set_Tot_Value(recordCount(), recordCount(), Range_Box::Both);
    } else {
        Set_Tot_Value(1, 999999, Range_Box::Both);
    }
    print_with_batch_chk->setVisible(!design.visitorMode);
    print_with_excel_chk->setVisible(!design.visitorMode);
    Set_Enable_Diable_Range_Box();
    {
        const QSignalBlocker b1(width_Text), b2(height_Text), b3(Row_Text), b4(Col_Text), b5(Side_Margin_Text),
            b6(horz_mar_Text), b7(vert_mar_Text);
        width_Text->setValue(Points_to_MM_Convert(design.front.size.width()));
        height_Text->setValue(Points_to_MM_Convert(design.front.size.height()));
        Row_Text->setValue(1);
        Col_Text->setValue(1);
        Side_Margin_Text->setValue(0);
        horz_mar_Text->setValue(0);
        vert_mar_Text->setValue(0);
    }
    alignButtons->button(1)->setChecked(true);
    Set_Reset_Alignemnt_Image(1);
    // Printers: the one in use, else the first listed.
    {
        const QSignalBlocker b(Printer_ComboBox);
        Printer_ComboBox->clear();
        Printer_ComboBox->addItems(Printer_Names());
        if (m_settings.printer.isEmpty() || !Select_Printer(m_settings, m_settings.printer))
            Select_Printer(m_settings, Printer_ComboBox->count() ? Printer_ComboBox->itemText(0) : QString());
        Printer_ComboBox->setCurrentIndex(Printer_ComboBox->findText(m_settings.printer));
    }
    Set_values_From_Printer();
    m_loading = false;
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
    Load_Print_Profile();
}

int Print_Window::Open_Print_Wnd(const Print_Design &design)
{
    Prepare(design);
    return Run_Then_Hide(*this);
}

void Print_Window::Set_values_From_Printer()
{
    const QSizeF paper = m_settings.paperSize();
    const QRectF area = m_settings.imageableBounds();
    Paper_id->setText(m_settings.paperName());
    const QSizeF paperMM = m_settings.paperSizeMM();
    Size_id->setText(QString::asprintf("%.2f x %.2f", paperMM.width(), paperMM.height()));
    {
        const QSignalBlocker b(Orient_ComboBox);
        Orient_ComboBox->setCurrentIndex(m_settings.landscape() ? 1 : 0);
    }
    m_layout.paperWidth = paper.width();
    m_layout.paperHeight = paper.height();
    m_layout.leftMar = area.x();
    m_layout.riteMar = paper.width() - area.x() - area.width();
    m_layout.topMar = paper.height() - area.y() - area.height();
    m_layout.botMar = area.y();
    l_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(m_layout.leftMar)));
    r_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(m_layout.riteMar)));
    t_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(m_layout.topMar)));
    b_mar_id->setText(QString::asprintf("%0.2f", Points_to_MM_Convert(m_layout.botMar)));
    Refresh_Preview();
    if (settingsChanged) settingsChanged(m_settings);
}

void Print_Window::Check_Max_Cell_Value()
{
    if (m_loading) return;
    Page_Layout_Input in;
    static_cast<Page_Sheet &>(in) = m_layout;
    in.cardWidth = MM_to_Points_Convert(width_Text->value());
    in.cardHeight = MM_to_Points_Convert(height_Text->value());
    in.horzGap = MM_to_Points_Convert(horz_mar_Text->value());
    in.vertGap = MM_to_Points_Convert(vert_mar_Text->value());
    in.sideMar = MM_to_Points_Convert(Side_Margin_Text->value());
    in.rows = Row_Text->value();
    in.cols = Col_Text->value();
    in.autoCenter = Auto_Center_chk_bx->isChecked();
    in.fitToFrame = fit_frame_chk->isChecked();
    const bool oneSideTurned = m_layout.oneSideTurned;
    m_layout = Compute_Page_Layout(in, std::max(1, alignButtons->checkedId()));
    m_layout.oneSideTurned = oneSideTurned;
    if (m_layout.rows != Row_Text->value() || m_layout.cols != Col_Text->value()) {
        const QSignalBlocker b1(Row_Text), b2(Col_Text);
        Row_Text->setValue(m_layout.rows);
        Col_Text->setValue(m_layout.cols);
    }
    Refresh_Preview();
}

void Print_Window::Calculate_label_acc_row_col()
{
    if (m_loading || usingRecords()) return;
    Set_Tot_Value(m_layout.rows * m_layout.cols, 999999, Range_Box::Both);
}

Sample_Sheet Print_Window::sampleSheet() const
{
    Sample_Sheet sheet;
    sheet.layout = m_layout;
    sheet.layout.align = std::max(1, alignButtons->checkedId());
    sheet.hasFront = !m_design.front.isNull();
    sheet.showMargins = Show_Margins->isChecked();
    sheet.cropMarks = crop_mark_chk->isChecked();
    sheet.cardShape = m_design.cardShape;
    return sheet;
}

void Print_Window::Refresh_Preview()
{
    if (m_loading) return;
    m_layout.align = std::max(1, alignButtons->checkedId());
    PrintView->setSheet(sampleSheet());
}

void Print_Window::sideChosen()
{
    const int row = matrix_card_side->checkedId();
    m_layout.side = Run_Sides_Of_Row(row);
    Side_Margin_Text->setEnabled(row == 0);
    Set_Demo_align_image();
    Check_Max_Cell_Value();
    Calculate_label_acc_row_col();
}

void Print_Window::Set_Demo_align_image()
{
    const int row = matrix_card_side->checkedId();
    m_layout.side = Run_Sides_Of_Row(row);
    Capture_Last_Values();
    Normal_Printing_Is_Selected();
    m_layout.oneSideTurned = false;
    print_alignment->setVisible(row == 0);
    print_alignment_one_side->setVisible(row != 0);
    if (row == 0) {
        const QPixmap *const pictures[] = {&both_up_down_flip, &both_up_down, &both_left_right, &both_duplex_up,
                                           &both_duplex_up_down};
        const int index = print_alignment->currentIndex();
        if (index >= 0 && index < 5) {
            m_layout.algn = Sides_Arrangement(index);  // the list in the enum's order
            print_align_demo_pic->setPixmap(*pictures[index]);
        }
        if (index == 3 || index == 4) Disable_for_fit_or_duplex();
    } else {
        const bool upright = print_alignment_one_side->currentIndex() == 0;
        m_layout.oneSideTurned = !upright;
        print_align_demo_pic->setPixmap(row == 1 ? (upright ? front_up : front_down) : (upright ? back_up : back_down));
    }
}

void Print_Window::Capture_Last_Values()
{
    if (!Row_Text->isEnabled()) return;  // the fields show forced values
    m_lastSide = Side_Margin_Text->value();
    m_lastHorz = horz_mar_Text->value();
    m_lastVert = vert_mar_Text->value();
    m_lastRow = Row_Text->value();
    m_lastCol = Col_Text->value();
}

void Print_Window::Disable_for_fit_or_duplex()
{
    Capture_Last_Values();
    const QSignalBlocker b1(Side_Margin_Text), b2(horz_mar_Text), b3(vert_mar_Text), b4(Row_Text), b5(Col_Text);
    for (QWidget *w : std::initializer_list<QWidget *>{Side_Margin_Text, horz_mar_Text, vert_mar_Text, Row_Text, Col_Text})
        w->setEnabled(false);
    Side_Margin_Text->setValue(0);
    horz_mar_Text->setValue(0);
    vert_mar_Text->setValue(0);
    Row_Text->setValue(1);
    Col_Text->setValue(1);
    align_Gp_Bx->setEnabled(false);
}

void Print_Window::Normal_Printing_Is_Selected()
{
    if (fit_frame_chk->isChecked() || Row_Text->isEnabled()) {
        if (!fit_frame_chk->isChecked()) align_Gp_Bx->setEnabled(!Auto_Center_chk_bx->isChecked());
        return;
    }
    const QSignalBlocker b1(Side_Margin_Text), b2(horz_mar_Text), b3(vert_mar_Text), b4(Row_Text), b5(Col_Text);
    align_Gp_Bx->setEnabled(!Auto_Center_chk_bx->isChecked());
    const bool both = matrix_card_side->checkedId() == 0;
    Side_Margin_Text->setEnabled(both);
    if (both) Side_Margin_Text->setValue(m_lastSide);
    for (QWidget *w : std::initializer_list<QWidget *>{horz_mar_Text, vert_mar_Text, Row_Text, Col_Text}) w->setEnabled(true);
    horz_mar_Text->setEnabled(!Auto_Center_chk_bx->isChecked());
    vert_mar_Text->setEnabled(!Auto_Center_chk_bx->isChecked());
    horz_mar_Text->setValue(m_lastHorz);
    vert_mar_Text->setValue(m_lastVert);
    Row_Text->setValue(m_lastRow);
    Col_Text->setValue(m_lastCol);
}

void Print_Window::Auto_Center_Checked()
{
    if (fit_frame_chk->isChecked()) return;
    const bool on = Auto_Center_chk_bx->isChecked();
    if (Row_Text->isEnabled()) {
        horz_mar_Text->setEnabled(!on);
        vert_mar_Text->setEnabled(!on);
        align_Gp_Bx->setEnabled(!on);
    }
    Check_Max_Cell_Value();
}

void Print_Window::Fit_To_Frame_clicked()
{
    if (fit_frame_chk->isChecked()) Disable_for_fit_or_duplex();
    else if (!m_layout.duplex()) Normal_Printing_Is_Selected();
    Check_Max_Cell_Value();
}

void Print_Window::printerChosen()
{
    Select_Printer(m_settings, Printer_ComboBox->currentText());
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

void Print_Window::orientationChosen()
{
    Select_Orientation(m_settings, Orient_ComboBox->currentIndex() == 0 ? QPageLayout::Portrait : QPageLayout::Landscape);
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

void Print_Window::pageSetup()
{
    const bool confirmed = pageSetupRunner ? pageSetupRunner(m_settings) : Run_Page_Setup(m_settings, this);
    if (!confirmed) return;
    Set_values_From_Printer();
    Check_Max_Cell_Value();
}

// ---- Records and range ----

bool Print_Window::usingRecords() const
{
    return m_design.source && (print_with_batch_chk->isChecked() || print_with_excel_chk->isChecked());
}

int Print_Window::recordCount() const
{
    int count = 1;
    if (print_with_batch_chk->isChecked()) count = std::max(count, m_design.seriesRows);
    if (print_with_excel_chk->isChecked()) count = std::max(count, m_design.spreadsheetRows);
    return count;
}

void Print_Window::Set_Tot_Value(int value, int maximum, Range_Box which)
{
    if (value == 0) value = 1;
    if (!usingRecords()) {
        maximum = 999999;
        value = std::min(value, 999999);
    }
    for (QSpinBox *box : {Total_Text, from_Text, To_Text}) {
        const QSignalBlocker b(box);
        box->setMaximum(maximum);
    }
    const QSignalBlocker b1(Total_Text), b2(To_Text);
    if (Sets_Total(which)) Total_Text->setValue(value);
    if (Sets_To(which)) To_Text->setValue(value);
}

void Print_Window::Data_Box_Changed()
{
    const int total = usingRecords() ? recordCount() : m_layout.rows * m_layout.cols;
    Set_Tot_Value(total, total, Range_Box::Both);
    Set_Enable_Diable_Range_Box();
}

void Print_Window::Set_Enable_Diable_Range_Box()
{
    const bool withData = print_with_batch_chk->isChecked() || print_with_excel_chk->isChecked();
    Sel_print_rd->setEnabled(withData);
    if (!withData) All_print_rd->setChecked(true);
    rangeChosen();
}

void Print_Window::rangeChosen()
{
    const bool all = All_print_rd->isChecked();
    Total_Text->setEnabled(all);
    from_Text->setEnabled(!all);
    To_Text->setEnabled(!all);
}
