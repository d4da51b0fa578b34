#include "Barcode_Gen.h"

#include "BarcodeSizes.h"
#include "ColorWell.h"
#include "FormRows.h"
#include "Scroll_Panel.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "Modal_Runner.h"
#include "NKDBarcode.h"
#include "ScopedFlag.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>


namespace {

const QString kSelect = QStringLiteral("<--Select-->");
constexpr int kHeaderFooterLimit = 50;

Form_Row decimal(const QString &box, const QString &label, double min, double max, double step,
                 QDoubleSpinBox *&slot)
{
    return {box, label, Row_Widget::Decimal, {min, max, 2, step}, {}, Qt::black, {}, true, false, Keep(slot)};
}
Form_Row whole(const QString &box, const QString &label, int min, int max, QSpinBox *&slot)
{
    return {box, label, Row_Widget::Whole, {double(min), double(max), 0, 1}, {}, Qt::black, {}, true, false, Keep(slot)};
}
Form_Row choice(const QString &box, const QString &label, const QStringList &items, QComboBox *&slot)
{
    return {box, label, Row_Widget::Choice, {}, items, Qt::black, {}, false, false, Keep(slot)};
}
Form_Row check(const QString &box, const QString &label, QCheckBox *&slot)
{
    return {box, label, Row_Widget::Check, {}, {}, Qt::black, {}, false, false, Keep(slot)};
}
Form_Row colour(const QString &box, const QString &label, QColor c, ColorWell *&slot, std::vector<QLabel *> *labels)
{
    Form_Row r{box, label, Row_Widget::Colour, {}, {}, c, {}, false, false, Keep(slot)};
    if (labels) r.labelMade = [labels](QLabel *l) { labels->push_back(l); };
    return r;
}
Form_Row help(const QString &box, std::vector<QPushButton *> &buttons)
{
    return {box, QStringLiteral("?"), Row_Widget::Button, {}, {}, Qt::black, {}, false, true,
            [&buttons](QWidget *w) { buttons.push_back(qobject_cast<QPushButton *>(w)); }};
}

void setIndex(QComboBox *box, int index) { box->setCurrentIndex(index >= 0 && index < box->count() ? index : 0); }

} // namespace

void Barcode_Binding::setSource(int type)
{
    data_source_type = type;
    if (type == 0) {
        batch_list_index = -1;
        batch_list_name.clear();
        excel_col_indx = -1;
    } else if (type == 1) {
        excel_col_indx = -1;
    } else if (type == 2) {
        batch_list_index = -1;
        batch_list_name.clear();
    }
}

QList<QPair<QString, QString>> Barcode_Gen::Help_Texts()
{
    return {
        {"Version :", "Version is configuration or number of modules (combination of black and white dots)."},
        {"Error correction (EC) level :",
         "An error-correction mechanism is built in each symbol so that the symbol can still be decoded even if it "
         "is damaged."},
        {"PDF EC Level :",
         "An error-correction mechanism is built in each symbol so that the symbol can still be decoded even if it "
         "is damaged in PDF barcode."},
        {"Preferred Format :", "Preferred Mode determines the smallest size of the symbol."},
        {"Encoding Mode :", "Encoding Mode is mode of compaction to encode data in the symbol."},
        {"DPI (Dots Per Inch) :",
         "Dots per inch is a measure of the resolution of printers in terms of Print Quality.\n\nBigger the DPI, "
         "Better the Print Quality. But File size of image also increases, as you choose bigger DPI."},
    };
}

Barcode_Gen::Barcode_Gen(QWidget *parent, Help_Presenter helpPresenter, Modal_Runner *runner)
    : QDialog(parent), m_runner(runner), m_helpPresenter(std::move(helpPresenter))
{
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    setWindowTitle(QStringLiteral("Barcode"));
    setPalette([this] {
        QPalette p = palette();
        p.setColor(QPalette::Window, QColor(241, 244, 250));
        return p;
    }());
    setAutoFillBackground(true);
    auto *layout = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    left->addWidget(makeTexts());
    image_scroll = new QScrollArea;
    barcodeImage = new QLabel;
    barcodeImage->setAlignment(Qt::AlignCenter);
    barcodeImage->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    image_scroll->setWidget(barcodeImage);
    image_scroll->setWidgetResizable(true);
    image_scroll->setMinimumSize(320, 200);
    left->addWidget(image_scroll, 1);
    barcode_error_label = new QLabel(QStringLiteral("Invalid barcode value."));
    barcode_error_label->setStyleSheet(QStringLiteral("color: #b00000"));
    barcode_error_label->hide();
    left->addWidget(barcode_error_label);
    left->addWidget(makeSourceBox());
    layout->addLayout(left, 1);

    auto *right = new QVBoxLayout;
    sett_tab = new QTabWidget;
    // The option pages scroll when the screen is too low for them.
    sett_tab->addTab(Scrolling_Page(makeSymbolTab()), QStringLiteral("Barcode"));
    sett_tab->addTab(Scrolling_Page(makeTextTab()), QStringLiteral("Text and Colours"));
    // The resolution page belongs to the window while it is not a tab (linear symbologies).
    dpi_tab_item = Scrolling_Page(makeResolutionTab());
    dpi_tab_item->setParent(this);
    dpi_tab_item->hide();
    right->addWidget(sett_tab);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_btn = buttons->button(QDialogButtonBox::Ok);
    cancel_btn = buttons->button(QDialogButtonBox::Cancel);
    right->addWidget(buttons);
    layout->addLayout(right);

    barcodeTypePopup->addItems(Barcode_Symbology_Titles());
    m_value_font = m_header_font = m_footer_font = Barcode_Settings::defaultFont();
    wire();
    Fill_Data_Source_List();
    Set_Barcode_Prop_To_Control(Barcode_Edit());
}

QWidget *Barcode_Gen::makeTexts()
{
    auto *box = new QWidget;
    auto *form = new QFormLayout(box);
    barcodeTypePopup = new QComboBox;
    dataText = new QLineEdit;
    dataText_2D = new QPlainTextEdit;
    dataText_2D->setFixedHeight(60);
    HeaderText = new QLineEdit;
    FooterText = new QLineEdit;
    form->addRow(QStringLiteral("Barcode Type :"), barcodeTypePopup);
    form->addRow(QStringLiteral("Value :"), dataText);
    form->addRow(QString(), dataText_2D);
    form->addRow(QStringLiteral("Header :"), HeaderText);
    form->addRow(QStringLiteral("Footer :"), FooterText);
    return box;
}

QWidget *Barcode_Gen::makeSymbolTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    const QString linear = QStringLiteral("Linear"), qr = QStringLiteral("QR Code"), pdf = QStringLiteral("PDF417"),
                  dm = QStringLiteral("Data Matrix");
    std::vector<QGroupBox *> boxes;
    Build_Form_Rows(layout,
                    {
                        decimal(linear, Bar_Height_Label(false, Barcode_Unit::Mm), 0.5, 200, 0.5, HeightText),
                        decimal(linear, Bar_Width_Label(false), 1, 500, 1, widthText),
                        check(linear, QStringLiteral("Kerning"), kerning_value_Checkbox),
                        whole(qr, QStringLiteral("Size :"), 21, 5000, HeightText_2D),
                        choice(qr, QStringLiteral("Version :"), QR_Version_Titles(), qr_version_ComboBox),
                        help(qr, help_buttons),
                        choice(qr, QStringLiteral("EC Level :"), QR_Level_Titles(), qr_ec_lvl_ComboBox),
                        help(qr, help_buttons),
                        whole(pdf, QStringLiteral("Height :"), 1, 5000, pdf_HeightText_2D),
                        whole(pdf, QStringLiteral("Width :"), 1, 5000, Pdf_widthText_2D),
                        whole(pdf, QStringLiteral("EC Level :"), 0, 8, pdf_ec_lvl_Text),
                        help(pdf, help_buttons),
                        whole(dm, QStringLiteral("Width :"), 1, 5000, dm_widthText_2D),
                        whole(dm, QStringLiteral("Height :"), 1, 5000, dm_HeightText_2D),
                        whole(dm, QStringLiteral("Module Size :"), 1, 100, dm_moduleText_2D),
                        choice(dm, QStringLiteral("Preferred Format :"), DataMatrix_Size_Titles(), dm_format_ComboBox),
                        help(dm, help_buttons),
                        choice(dm, QStringLiteral("Encoding Mode :"), DataMatrix_Encodation_Titles(),
                               dm_encoding_ComboBox),
                        help(dm, help_buttons),
                    },
                    &boxes);
    linear_sett_box = boxes[0];
    two_d_sett_box = boxes[1];
    pdf_2d_sett_box = boxes[2];
    dm_2d_sett_box = boxes[3];
    layout->addStretch();
    return page;
}

QWidget *Barcode_Gen::makeTextTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    const QString show = QStringLiteral("Caption, Header and Footer"), fonts = QStringLiteral("Fonts"),
                  colours = QStringLiteral("Colours"), margins = Margins_Label(Barcode_Unit::Mm);
    std::vector<QLabel *> colourLabels;
    QLabel *captionGapLabel = nullptr, *captionFontLabel = nullptr;
    auto fontRow = [&](const QString &label, QLabel *&display, QPushButton *&button, QLabel **rowLabel) {
        std::vector<Form_Row> rows;
        Form_Row shown{fonts, label, Row_Widget::Note, {}, {}, Qt::black, {}, false, false, Keep(display)};
        // The row's caption says whose font the row shows.
        shown.labelMade = [rowLabel](QLabel *l) {
            if (rowLabel) *rowLabel = l;
        };
        rows.push_back(shown);
        rows.push_back({fonts, QStringLiteral("Font..."), Row_Widget::Button, {}, {}, Qt::black, {}, false, true,
                        Keep(button)});
        return rows;
    };
    std::vector<Form_Row> rows = {
        check(show, QStringLiteral("Hide caption"), captionCheckbox),
        check(show, QStringLiteral("Caption above the bars"), showinTopCheckbox),
        check(show, QStringLiteral("Hide header"), hideHeaderCheckbox),
        check(show, QStringLiteral("Hide footer"), hideFooterCheckbox),
        choice(show, QStringLiteral("Header alignment :"), Barcode_Alignment_Titles(), align_hdr_combo),
        choice(show, QStringLiteral("Footer alignment :"), Barcode_Alignment_Titles(), align_ftr_combo),
        check(show, QStringLiteral("Transparent background"), transparent_bkgnd),
    };
    for (auto r : fontRow(QStringLiteral("Caption :"), value_font_value, val_font_btn, &captionFontLabel)) rows.push_back(r);
    for (auto r : fontRow(QStringLiteral("Header :"), header_font_value, header_font_btn, nullptr)) rows.push_back(r);
    for (auto r : fontRow(QStringLiteral("Footer :"), footer_font_value, footer_font_btn, nullptr)) rows.push_back(r);
    rows.push_back(colour(colours, QStringLiteral("Bars :"), Qt::black, barcode_clr, &colourLabels));
    Form_Row background = colour(colours, QStringLiteral("Background :"), Qt::white, bar_back_clr, nullptr);
    background.labelMade = [this, &colourLabels](QLabel *l) {
        bar_back_label = l;
        colourLabels.push_back(l);
    };
    rows.push_back(background);
    rows.push_back(colour(colours, QStringLiteral("Caption :"), Qt::black, bar_val_clr, &colourLabels));
    rows.push_back(colour(colours, QStringLiteral("Header :"), Qt::black, bar_hdr_clr, nullptr));
    rows.push_back(colour(colours, QStringLiteral("Footer :"), Qt::black, bar_ftr_clr, nullptr));
    Form_Row gap = decimal(margins, QStringLiteral("Caption gap :"), 0, 100, 0.5, val_mar_Text);
    gap.labelMade = [&captionGapLabel](QLabel *l) { captionGapLabel = l; };
    rows.push_back(gap);
    rows.push_back(decimal(margins, QStringLiteral("Header gap :"), 0, 100, 0.5, hdr_mar_Text));
    rows.push_back(decimal(margins, QStringLiteral("Footer gap :"), 0, 100, 0.5, ftr_mar_Text));
    rows.push_back(decimal(margins, QStringLiteral("Top and bottom :"), 0, 100, 0.5, TB_mar_Text));
    rows.push_back(decimal(margins, QStringLiteral("Left and right :"), 0, 100, 0.5, LR_mar_Text));
    Build_Form_Rows(layout, rows);
    layout->addStretch();
    // Shown for linear symbologies only: the caption's elements, the bar and
    // background colours.
    m_captionOnly = {captionCheckbox, showinTopCheckbox, val_mar_Text, captionGapLabel, value_font_value,
                     captionFontLabel, val_font_btn, barcode_clr, bar_back_clr, bar_val_clr};
    for (QLabel *l : colourLabels) m_captionOnly.push_back(l);
    return page;
}

QWidget *Barcode_Gen::makeResolutionTab()
{
    auto *page = new QWidget;
    auto *layout = new QVBoxLayout(page);
    const QString box = QStringLiteral("Resolution");
    Build_Form_Rows(layout, {choice(box, QStringLiteral("DPI :"), Barcode_Resolution_Titles(), DPI_ComboBox),
                             help(box, help_buttons), whole(box, QStringLiteral("Custom DPI :"), 1, 4800, dpi_Text)});
    layout->addStretch();
    return page;
}

QWidget *Barcode_Gen::makeSourceBox()
{
    auto *box = new QGroupBox(QStringLiteral("Data Source"));
    auto *form = new QFormLayout(box);
    Data_source_type = new QComboBox;
    Batch_Series = new QComboBox;
    series_label = new QLabel(QStringLiteral("Series / Column :"));
    view_series_btn = new QPushButton(QStringLiteral("View"));
    form->addRow(QStringLiteral("Source :"), Data_source_type);
    auto *line = new QHBoxLayout;
    line->addWidget(Batch_Series, 1);
    line->addWidget(view_series_btn);
    form->addRow(series_label, line);
    return box;
}

void Barcode_Gen::wire()
{
    connect(barcodeTypePopup, &QComboBox::currentIndexChanged, this, [this] {
        if (!Not_Draw_Only_Prop_Change) barcodeTypeChanged();
    });
    for (QLineEdit *e : {dataText, HeaderText, FooterText})
        connect(e, &QLineEdit::textChanged, this, [this, e] { textChanged(e); });
    connect(dataText_2D, &QPlainTextEdit::textChanged, this, [this] { textChanged(dataText_2D); });
    const auto regenerate = [this] { goButtonActionPerformed(); };
    for (QDoubleSpinBox *s : {HeightText, widthText, val_mar_Text, hdr_mar_Text, ftr_mar_Text, TB_mar_Text, LR_mar_Text})
        connect(s, &QDoubleSpinBox::valueChanged, this, regenerate);
    // A typed resolution applies as typed.
    connect(dpi_Text, &QSpinBox::valueChanged, this, [this](int dpi) {
        if (!Not_Draw_Only_Prop_Change) m_dpiCustom = QString::number(dpi);
        goButtonActionPerformed();
    });
    for (QSpinBox *s : {HeightText_2D, pdf_HeightText_2D, Pdf_widthText_2D, pdf_ec_lvl_Text, dm_widthText_2D,
                        dm_HeightText_2D})
        connect(s, &QSpinBox::valueChanged, this, regenerate);
    connect(dm_moduleText_2D, &QSpinBox::valueChanged, this, [this] {
        data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    });
    for (QCheckBox *c : {captionCheckbox, showinTopCheckbox, hideHeaderCheckbox, hideFooterCheckbox})
        connect(c, &QCheckBox::toggled, this, regenerate);
    connect(captionCheckbox, &QCheckBox::toggled, this, [this](bool hidden) { showinTopCheckbox->setEnabled(!hidden); });
    connect(transparent_bkgnd, &QCheckBox::toggled, this, [this] { Transparent_Bkngd_Clicked(); });
    for (QComboBox *c : {align_hdr_combo, align_ftr_combo, qr_ec_lvl_ComboBox, dm_encoding_ComboBox})
        connect(c, &QComboBox::currentIndexChanged, this, regenerate);
    connect(qr_version_ComboBox, &QComboBox::currentIndexChanged, this, [this] { qrVersionChanged(); });
    connect(dm_format_ComboBox, &QComboBox::currentIndexChanged, this, [this] {
        data_matrix_barcode_size_acc_format();
        goButtonActionPerformed();
    });
    connect(DPI_ComboBox, &QComboBox::currentIndexChanged, this, [this] { dpiChoiceChanged(); });
    for (ColorWell *w : {barcode_clr, bar_back_clr, bar_val_clr, bar_hdr_clr, bar_ftr_clr})
        connect(w, &ColorWell::colorChanged, this, regenerate);
    connect(val_font_btn, &QPushButton::clicked, this, [this] { chooseFont(m_value_font, value_font_value); });
    connect(header_font_btn, &QPushButton::clicked, this, [this] { chooseFont(m_header_font, header_font_value); });
    connect(footer_font_btn, &QPushButton::clicked, this, [this] { chooseFont(m_footer_font, footer_font_value); });
    const auto texts = Help_Texts();
    for (size_t i = 0; i < help_buttons.size() && i < size_t(texts.size()); ++i) {
        const auto text = texts[qsizetype(i)];
        help_buttons[i]->setMaximumWidth(28);
        connect(help_buttons[i], &QPushButton::clicked, this, [this, text] {
            if (m_helpPresenter) m_helpPresenter(text.first, text.second);
            else Show_MessageBox(text.first + u'\n' + text.second);
        });
    }
    connect(Data_source_type, &QComboBox::currentIndexChanged, this, [this] {
        if (!Not_Draw_Only_Prop_Change) dataSourceChanged();
    });
    connect(Batch_Series, &QComboBox::currentIndexChanged, this, [this] {
        if (!Not_Draw_Only_Prop_Change) seriesChosen();
    });
    connect(view_series_btn, &QPushButton::clicked, this, [this] { View_batch_Series_Button(); });
    connect(ok_btn, &QPushButton::clicked, this, [this] { OK_Btn_Clicked(); });
    connect(cancel_btn, &QPushButton::clicked, this, [this] { reject(); });
}

// ---- Load and write-back ----

void Barcode_Gen::Fill_Data_Source_List()
{
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    Data_source_type->clear();
    const bool visitor = !m_source || m_source->visitorMode();
    Data_source_type->addItem(QStringLiteral("Manual"));
    if (!visitor) {
        Data_source_type->addItem(QStringLiteral("Series"));
        if (m_source->spreadsheetBound()) Data_source_type->addItem(QStringLiteral("Excel"));
    }
    for (QWidget *w : std::initializer_list<QWidget *>{Batch_Series, series_label, view_series_btn})
        w->setVisible(!visitor);
}

void Barcode_Gen::Set_Barcode_Prop_To_Control(const Barcode_Edit &edit)
{
    const Scoped_Flag loading(Not_Draw_Only_Prop_Change);
    const Barcode_Settings &s = edit.settings;
    m_binding = edit.binding;
    m_twoD = s.linear_or_2d != 0;
    setIndex(barcodeTypePopup, s.barcode_font_index);
    dataText->setText(s.linear_font_val);
    dataText_2D->setPlainText(s.two_d_font_val);
    HeaderText->setText(s.header_val);
    FooterText->setText(s.footer_val);
    hideHeaderCheckbox->setChecked(s.show_hide_hdr);
    hideFooterCheckbox->setChecked(s.show_hide_ftr);
    captionCheckbox->setChecked(s.show_hide_val);
    showinTopCheckbox->setChecked(s.show_val_on_top);
    showinTopCheckbox->setEnabled(!s.show_hide_val);
    kerning_value_Checkbox->setChecked(!s.caption_kerning_off);
    transparent_bkgnd->setChecked(s.transparent);
    setIndex(align_hdr_combo, s.align_hdr_index);
    setIndex(align_ftr_combo, s.align_ftr_index);

    // The data source: its entry, then the series or column the control is bound to.
    const int source = std::clamp(m_binding.data_source_type, 0, std::max(0, int(Data_source_type->count()) - 1));
    Data_source_type->setCurrentIndex(source);
    Batch_Series->clear();
    if (m_source && source == 1) {
        Batch_Series->addItems(m_source->seriesNames());
        Batch_Series->setCurrentIndex(int(Batch_Series->findText(m_binding.batch_list_name, Qt::MatchExactly)));
    } else if (m_source && source == 2) {
        Batch_Series->addItems(m_source->columnTitles());
        if (m_binding.excel_col_indx != -1) Batch_Series->setCurrentIndex(m_binding.excel_col_indx);
    }
    Batch_Series->setEnabled(source != 0);
    view_series_btn->setEnabled(source != 0);
    setValueBoxesReadOnly(source != 0 && m_source && !m_source->visitorMode());

    HeightText->setValue(s.linear_height_val);
    widthText->setValue(s.linear_width_val);
    HeightText_2D->setMinimum(QR_Size_Floor(s.qr_version_index));
    HeightText_2D->setValue(s.qr_size_val);
    setIndex(qr_version_ComboBox, s.qr_version_index);
    setIndex(qr_ec_lvl_ComboBox, s.qr_ec_index);
    pdf_HeightText_2D->setValue(s.pdf_hgt_val);
    Pdf_widthText_2D->setValue(s.pdf_wdt_val);
    pdf_ec_lvl_Text->setValue(s.pdf_ec_val);
    dm_moduleText_2D->setValue(s.dm_module_val);
    setIndex(dm_format_ComboBox, s.dm_format_index);
    setIndex(dm_encoding_ComboBox, s.dm_encoding_index);
    hdr_mar_Text->setValue(s.hdr_margin_val);
    ftr_mar_Text->setValue(s.ftr_margin_val);
    val_mar_Text->setValue(s.val_margin_val);
    TB_mar_Text->setValue(s.TB_marging_val);
    LR_mar_Text->setValue(s.LR_margin_val);
    m_value_font = s.value_font;
    m_header_font = s.header_font;
    m_footer_font = s.footer_font;
    showFont(m_value_font, value_font_value);
    showFont(m_header_font, header_font_value);
    showFont(m_footer_font, footer_font_value);
    bar_hdr_clr->setColor(s.barcode_hdr_clr_val);
    bar_ftr_clr->setColor(s.barcode_ftr_clr_val);
    bar_val_clr->setColor(s.barcode_val_clr_val);
    bar_back_clr->setColor(s.barcode_back_clr_val);
    barcode_clr->setColor(s.barcode_clr_val);
    setIndex(DPI_ComboBox, s.dpi_val_index);
    // The typed resolution is shown again (not only kept).
    dpi_Text->setValue(std::max(1, s.dpi_custom_val.trimmed().toInt()));
    m_dpiCustom = s.dpi_custom_val;
    dpi_Text->setVisible(DPI_ComboBox->currentIndex() == kCustom_Resolution_Index);
    enableBackground(!s.transparent);
    showOptionSet();
}

Barcode_Edit Barcode_Gen::current() const
{
    Barcode_Edit e;
    Barcode_Settings &s = e.settings;
    s.linear_or_2d = m_twoD ? 1 : 0;
    s.barcode_font_index = barcodeTypePopup->currentIndex();
    s.linear_font_val = dataText->text();
    s.two_d_font_val = dataText_2D->toPlainText();
    s.header_val = HeaderText->text();
    s.footer_val = FooterText->text();
    s.show_hide_hdr = hideHeaderCheckbox->isChecked();
    s.show_hide_ftr = hideFooterCheckbox->isChecked();
    s.show_hide_val = captionCheckbox->isChecked();
    s.show_val_on_top = showinTopCheckbox->isChecked();
    s.align_hdr_index = align_hdr_combo->currentIndex();
    s.align_ftr_index = align_ftr_combo->currentIndex();
    s.linear_height_val = float(HeightText->value());
    s.linear_width_val = float(widthText->value());
    s.qr_size_val = HeightText_2D->value();
    s.qr_version_index = qr_version_ComboBox->currentIndex();
    s.qr_ec_index = qr_ec_lvl_ComboBox->currentIndex();
    s.pdf_hgt_val = pdf_HeightText_2D->value();
    s.pdf_wdt_val = Pdf_widthText_2D->value();
    s.pdf_ec_val = pdf_ec_lvl_Text->value();
    s.dm_module_val = dm_moduleText_2D->value();
    s.dm_format_index = dm_format_ComboBox->currentIndex();
    s.dm_encoding_index = dm_encoding_ComboBox->currentIndex();
    s.hdr_margin_val = float(hdr_mar_Text->value());
    s.ftr_margin_val = float(ftr_mar_Text->value());
    s.val_margin_val = float(val_mar_Text->value());
    s.TB_marging_val = float(TB_mar_Text->value());
    s.LR_margin_val = float(LR_mar_Text->value());
    s.value_font = m_value_font;
    s.header_font = m_header_font;
    s.footer_font = m_footer_font;
    s.barcode_hdr_clr_val = bar_hdr_clr->color();
    s.barcode_ftr_clr_val = bar_ftr_clr->color();
    s.barcode_val_clr_val = bar_val_clr->color();
    s.barcode_back_clr_val = bar_back_clr->color();
    s.barcode_clr_val = barcode_clr->color();
    s.dpi_val_index = DPI_ComboBox->currentIndex();
    s.dpi_custom_val = m_dpiCustom;
    s.transparent = transparent_bkgnd->isChecked();
    // The kerning box has no field in the control: the card would not follow it, so the
    // preview does not either.
    e.binding = m_binding;
    // The source as the list shows it: "Manual" unbinds.
    if (Data_source_type->currentIndex() <= 0) e.binding.setSource(0);
    return e;
}

std::optional<Barcode_Edit> Barcode_Gen::Open_Wnd(const Barcode_Edit &edit)
{
    try {
        Fill_Data_Source_List();
        Set_Barcode_Prop_To_Control(edit);
        goButtonActionPerformed();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
    if (const QScreen *s = screen()) Fit_To_Screen(s->availableGeometry().size());
    const int code = Run_Modal(m_runner, *this);
    if (code != QDialog::Accepted) return std::nullopt;
    return current();
}

void Barcode_Gen::Fit_To_Screen(const QSize &available)
{
    // The sizes the elements ask for in the window's style, with the texts they show now
    // (a page never shown yet keeps the sizes of its first texts until asked again).
    ensurePolished();
    for (QWidget *w : findChildren<QWidget *>()) w->updateGeometry();
    for (QLayout *l : findChildren<QLayout *>()) l->invalidate();
    layout()->activate();
    resize(Opening_Size_Within(sizeHint(), minimumSizeHint(), available));
}

// ---- Handlers ----

void Barcode_Gen::showOptionSet()
{
    const QString title = barcodeTypePopup->currentText();
    dataText->setVisible(!m_twoD);
    dataText->setEnabled(!m_twoD);
    dataText_2D->setVisible(m_twoD);
    for (QWidget *w : m_captionOnly)
        if (w) w->setVisible(!m_twoD);
    linear_sett_box->setVisible(!m_twoD);
    two_d_sett_box->setVisible(m_twoD && title == QLatin1String("QR Code"));
    pdf_2d_sett_box->setVisible(m_twoD && title == QLatin1String("PDF417"));
    dm_2d_sett_box->setVisible(m_twoD && title == QLatin1String("DataMatrix"));
    // The resolution tab only while a two-dimensional symbology is shown.
    const int at = sett_tab->indexOf(dpi_tab_item);
    if (m_twoD && at < 0) sett_tab->insertTab(2, dpi_tab_item, QStringLiteral("Resolution"));
    if (!m_twoD && at >= 0) sett_tab->removeTab(at);
    if (!m_twoD) sett_tab->setCurrentIndex(0);
    kerning_value_Checkbox->setEnabled(!m_twoD && !QStringList({"UPCE", "UPCA", "EAN-8", "EAN-13"}).contains(title));
}

void Barcode_Gen::barcodeTypeChanged()
{
    m_twoD = Is_TwoD_Barcode_Title(barcodeTypePopup->currentText());
    showOptionSet();
    if (currentValue().isEmpty()) {
        Show_MessageBox(QStringLiteral("Please enter barcode value"));
        Set_Blank_Image();
        return;
    }
    goButtonActionPerformed();
}

void Barcode_Gen::textChanged(QWidget *sender)
{
    if (sender == HeaderText || sender == FooterText) {
        auto *box = static_cast<QLineEdit *>(sender);
        const QString trimmed = Trim_Str(box->text());
        if (trimmed.size() > kHeaderFooterLimit) {
            box->setText(trimmed.left(kHeaderFooterLimit));
            return;  // the shortened text comes back here
        }
    }
    goButtonActionPerformed();
}

void Barcode_Gen::enableBackground(bool on)
{
    bar_back_clr->setEnabled(on);
    if (bar_back_label) bar_back_label->setEnabled(on);
}

void Barcode_Gen::Transparent_Bkngd_Clicked()
{
    enableBackground(!transparent_bkgnd->isChecked());
    goButtonActionPerformed();
}

void Barcode_Gen::qrVersionChanged()
{
    const int floor = QR_Size_Floor(qr_version_ComboBox->currentIndex());
    HeightText_2D->setMinimum(floor);  // raises a smaller size to the floor
    goButtonActionPerformed();
}

void Barcode_Gen::data_matrix_barcode_size_acc_format()
{
    const int m = dm_moduleText_2D->value();
    const QString f = dm_format_ComboBox->currentText();
    if (f == QLatin1String("Auto")) return;
    const qsizetype x = f.indexOf(u'X');
    if (x < 0) return;
    const int rows = f.mid(1, x - 1).trimmed().toInt(), columns = f.mid(x + 1).trimmed().toInt();
    const int height = dm_HeightText_2D->value();
    if (dm_widthText_2D->value() < columns * m) dm_widthText_2D->setValue(columns * m);
    if (height < rows * m) dm_HeightText_2D->setValue(rows * m);
}

void Barcode_Gen::dpiChoiceChanged()
{
    dpi_Text->setVisible(DPI_ComboBox->currentIndex() == kCustom_Resolution_Index);
    goButtonActionPerformed();
}

QString Barcode_Gen::currentValue() const { return m_twoD ? dataText_2D->toPlainText() : dataText->text(); }

void Barcode_Gen::setValueBoxesReadOnly(bool readOnly)
{
    dataText->setReadOnly(readOnly);
    dataText_2D->setReadOnly(readOnly);
}

bool Barcode_Gen::valueAccepted() const
{
    const QString value = currentValue();
    if (Trim_Str(value).isEmpty()) return false;
    // A typed value must be ASCII; a bound source's value reaches the engine as it is.
    return Data_source_type->currentIndex() > 0 || Barcode_Is_Ascii(value);
}

void Barcode_Gen::goButtonActionPerformed()
{
    if (Not_Draw_Only_Prop_Change) return;
    // The preview draws only what OK accepts.
    if (!valueAccepted()) {
        Set_Blank_Image();
        return;
    }
    const Barcode_Edit e = current();
    const QtFontMeasure measure;
    m_preview = Barcode_Picture(e.settings, currentValue(), e.settings.header_val, e.settings.footer_val, measure);
    if (m_preview.isNull()) {
        Set_Blank_Image();
        return;
    }
    barcode_error_label->hide();
    const double dpi = 96;
    QImage shown = m_preview.rasterised(dpi);
    if (!e.settings.transparent) {
        QImage ground(shown.size(), QImage::Format_ARGB32);
        ground.fill(Qt::white);
        QPainter(&ground).drawImage(0, 0, shown);
        shown = ground;
    }
    barcodeImage->setPixmap(QPixmap::fromImage(shown));
}

void Barcode_Gen::Set_Blank_Image()
{
    m_preview = Picture();
    barcodeImage->clear();
    barcode_error_label->show();
}

bool Barcode_Gen::Check_And_Validat_Barcode(bool showMessages)
{
    const auto fail = [&](const QString &message) {
        Set_Blank_Image();
        if (showMessages) Show_MessageBox(message);
        return false;
    };
    barcode_error_label->hide();
    const QString invalid = QStringLiteral("Invalid barcode value.");
    if (!valueAccepted()) return fail(invalid);
    goButtonActionPerformed();
    if (m_preview.isNull()) return fail(invalid);
    if (Data_source_type->currentIndex() > 0) {
        const QString entry = Trim_Str(Batch_Series->currentText());
        if (entry.isEmpty() || Batch_Series->currentIndex() == -1 || entry == kSelect)
            return fail(QStringLiteral("Please select valid Series / Excel Column."));
    }
    return true;
}

void Barcode_Gen::OK_Btn_Clicked()
{
    if (!Check_And_Validat_Barcode(true)) return;
    done(QDialog::Accepted);
}

void Barcode_Gen::chooseFont(QFont &font, QLabel *display)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, this);
    if (!ok) return;
    font = chosen;
    showFont(font, display);
    goButtonActionPerformed();
}

void Barcode_Gen::showFont(const QFont &font, QLabel *display)
{
    display->setText(QStringLiteral("%1 ( %2 )").arg(font.family()).arg(font.pointSizeF(), 0, 'f', 2));
}

// ---- Data source ----

void Barcode_Gen::dataSourceChanged()
{
    if (!m_source || m_source->visitorMode()) {
        setValueBoxesReadOnly(false);
        return;
    }
    const QString chosen = Data_source_type->currentText();
    if (chosen.isEmpty()) return;
    const Scoped_Flag filling(Not_Draw_Only_Prop_Change);
    if (chosen == QLatin1String("Manual")) {
        view_series_btn->setEnabled(false);
        Batch_Series->setEnabled(false);
        setValueBoxesReadOnly(false);
        m_binding.setSource(0);
        Batch_Series->clear();
    } else if (chosen == QLatin1String("Series")) {
        view_series_btn->setEnabled(true);
        Batch_Series->setEnabled(true);
        setValueBoxesReadOnly(true);
        Batch_Series->clear();
        const QStringList names = m_source->seriesNames();
        if (names.isEmpty()) {
            dataText->clear();
            dataText_2D->clear();
            return;
        }
        Batch_Series->addItems(names);
        Batch_Series->setCurrentIndex(-1);
        if (!m_binding.batch_list_name.isEmpty())
            Batch_Series->setCurrentIndex(int(Batch_Series->findText(m_binding.batch_list_name, Qt::MatchExactly)));
        m_binding.setSource(1);
    } else {
        view_series_btn->setEnabled(true);
        Batch_Series->setEnabled(true);
        setValueBoxesReadOnly(true);
        Batch_Series->clear();
        Batch_Series->addItems(m_source->columnTitles());
        Batch_Series->setCurrentIndex(m_binding.excel_col_indx);
        m_binding.setSource(2);
    }
    Not_Draw_Only_Prop_Change = 0;
    goButtonActionPerformed();
}

void Barcode_Gen::seriesChosen()
{
    if (!m_source || m_source->visitorMode()) return;
    const QString source = Data_source_type->currentText();
    if (source.isEmpty() || source == QLatin1String("Manual") || Batch_Series->currentIndex() < 0) return;
    const QString entry = Trim_Str(Batch_Series->currentText());
    if (entry == kSelect) return;
    const int i = Batch_Series->currentIndex();
    QString value = entry;
    if (!entry.isEmpty()) {
        if (source == QLatin1String("Series")) {
            m_binding.setSource(1);
            m_binding.batch_list_name = entry;
            m_binding.batch_list_index = i;
            value = m_source->firstSeriesValue(entry);
        } else {
            m_binding.setSource(2);
            m_binding.excel_col_indx = i;
            value = m_source->columnValueShown(i);
        }
    }
    {
        const Scoped_Flag filling(Not_Draw_Only_Prop_Change);
        dataText->setText(value);
        dataText_2D->setPlainText(value);
    }
    if (!entry.isEmpty()) goButtonActionPerformed();
}

void Barcode_Gen::View_batch_Series_Button()
{
    if (!m_source) return;
    const QString source = Data_source_type->currentText();
    if (source == QLatin1String("Manual") || source.isEmpty()) return;
    if (source == QLatin1String("Series")) {
        const QString entry = Trim_Str(Batch_Series->currentText());
        if (entry.isEmpty() || entry == kSelect) {
            Show_MessageBox(QStringLiteral("Please select the series."));
            return;
        }
        m_source->viewSeries(entry);
        return;
    }
    m_source->viewSpreadsheetRows();
}
