#include "Export_Card_Dialog.h"

#include "LayoutParts.h"
#include "MessageBox.h"
#include "Shared_Dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int kNoLimit = 999999;
} // namespace

Batch_Sides Export_Card_Options::sides() const
{
    Batch_Sides s;
    switch (layout) {
    case Export_Layout::Front: s.side = Run_Sides::Front; break;
    case Export_Layout::Back: s.side = Run_Sides::Back; break;
    case Export_Layout::Both: break;
    case Export_Layout::Combined_Side_By_Side: s.combined = s.sideBySide = true; break;
    case Export_Layout::Combined_Above: s.combined = true; break;
    }
    return s;
}

int Export_Data_Sources::cardCount(bool series, bool excel) const
{
    return std::max({series ? seriesRows : 0, excel ? excelRows : 0, 1});
}

int Range_Field_Value(const QString &typed, int max, bool cap)
{
    bool ok = false;
    const int v = typed.trimmed().toInt(&ok);
    if (!ok || v <= 0) return 1;
    return cap && v > max ? max : v;
}

const QStringList &Export_Card_Dialog::fileTypes()
{
    static const QStringList types{QStringLiteral("PNG"), QStringLiteral("JPEG"), QStringLiteral("BMP"),
                                   QStringLiteral("TIFF"), QStringLiteral("PDF")};
    return types;
}

Export_Card_Dialog::Export_Card_Dialog(bool twoSided, QWidget *parent) : QDialog(parent)
{
    build(twoSided);
}

Export_Card_Dialog::Export_Card_Dialog(bool twoSided, const Export_Data_Sources &sources, QWidget *parent)
    : QDialog(parent), m_sources(sources)
{
    build(twoSided);
}

void Export_Card_Dialog::build(bool twoSided)
{
    setWindowTitle(tr("Export Card"));
    Style_Output_Window(*this);
    sideGroup = new QButtonGroup(this);
    auto *sides = Radio_Row(sideGroup, {tr("Both"), tr("Front"), tr("Back")});
    for (int i = 0; i < 3; ++i) sideGroup->button(i)->setEnabled(twoSided || i == 1);
    sideGroup->button(twoSided ? 0 : 1)->setChecked(true);
    combinedChk = new QCheckBox(tr("Both sides combined into one picture"));
    sideBySideChk = new QCheckBox(tr("Side by side (else one above the other)"));
    fileTypePopup = new QComboBox;
    fileTypePopup->addItems(fileTypes());

    mirror_chk_box = new QCheckBox(tr("Mirror image"));
    mirror_matrix = new QButtonGroup(this);
    auto *mirrors = Radio_Row(mirror_matrix, {tr("Horizontal"), tr("Vertical")});
    for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(false);
    mirror_matrix->button(0)->setChecked(true);

    Export_with_batch_chk = new QCheckBox(tr("Use series values"));
    Export_with_excel_chk = new QCheckBox(tr("Use spreadsheet values"));
    export_range_box = new QGroupBox(tr("Cards"));
    All_print_rd = new QRadioButton(tr("All"));
    Sel_print_rd = new QRadioButton(tr("Range"));
    All_print_rd->setChecked(true);
    from_label = new QLabel(tr("From:"));
    to_label = new QLabel(tr("To:"));
    tot_label = new QLabel(tr("Total:"));
    auto spin = [] {
        auto *s = new QSpinBox;
        s->setRange(0, kNoLimit);  // the rules of the fields keep them in range
        s->setValue(1);
        return s;
    };
    from_Text = spin();
    To_Text = spin();
    Total_Text = spin();
    Total_Text->setReadOnly(true);
    Total_Text->setButtonSymbols(QAbstractSpinBox::NoButtons);
    auto *range = new QGridLayout(export_range_box);
    range->addWidget(All_print_rd, 0, 0);
    range->addWidget(tot_label, 0, 1);
    range->addWidget(Total_Text, 0, 2);
    range->addWidget(Sel_print_rd, 1, 0);
    range->addWidget(from_label, 1, 1);
    range->addWidget(from_Text, 1, 2);
    range->addWidget(to_label, 1, 3);
    range->addWidget(To_Text, 1, 4);

    auto *form = new QFormLayout;
    form->addRow(tr("Card side:"), sides);
    form->addRow(QString(), combinedChk);
    form->addRow(QString(), sideBySideChk);
    form->addRow(tr("File type:"), fileTypePopup);
    form->addRow(QString(), mirror_chk_box);
    form->addRow(QString(), mirrors);
    form->addRow(QString(), Export_with_batch_chk);
    form->addRow(QString(), Export_with_excel_chk);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { exportOkay(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(export_range_box);
    layout->addWidget(buttons);

    connect(sideGroup, &QButtonGroup::idClicked, this, [this](int) { sideChanged(); });
    connect(combinedChk, &QCheckBox::toggled, this, [this](bool) { sideChanged(); });
    connect(mirror_chk_box, &QCheckBox::toggled, this, [this](bool on) {
        for (QAbstractButton *b : mirror_matrix->buttons()) b->setEnabled(on);
    });
    connect(Export_with_batch_chk, &QCheckBox::toggled, this, [this](bool) { dataBoxChanged(); });
    connect(Export_with_excel_chk, &QCheckBox::toggled, this, [this](bool) { dataBoxChanged(); });
    connect(All_print_rd, &QRadioButton::toggled, this, [this](bool) { rangeRadioChanged(); });
    for (QSpinBox *field : {from_Text, To_Text})
        connect(field, &QSpinBox::textChanged, this, [this, field](const QString &text) { rangeTyped(field, text); });
    sideChanged();

    // The data boxes: offered outside visitor mode, on for the sources in use.
    Set_Tot_Value(1, kNoLimit, Range_Box::Both);
    const bool offered = !m_sources.visitorMode;
    Export_with_batch_chk->setVisible(offered);
    Export_with_excel_chk->setVisible(offered);
    export_range_box->setVisible(offered);
    {
        const QSignalBlocker b1(Export_with_batch_chk), b2(Export_with_excel_chk);
        Export_with_batch_chk->setEnabled(offered && m_sources.seriesInUse);
        Export_with_batch_chk->setChecked(offered && m_sources.seriesInUse);
        Export_with_excel_chk->setEnabled(offered && m_sources.excelInUse);
        Export_with_excel_chk->setChecked(offered && m_sources.excelInUse);
    }
    const int count = cardCount();
    Set_Tot_Value(count, Export_with_batch_chk->isChecked() || Export_with_excel_chk->isChecked() ? count : kNoLimit,
                  Range_Box::Both);
    Set_Enable_Diable_Range_Box();
}

void Export_Card_Dialog::sideChanged()
{
    const bool both = sideGroup->checkedId() == 0;
    combinedChk->setEnabled(both);
    sideBySideChk->setEnabled(both && combinedChk->isChecked());
}

int Export_Card_Dialog::cardCount() const
{
    return m_sources.cardCount(Export_with_batch_chk->isChecked(), Export_with_excel_chk->isChecked());
}

void Export_Card_Dialog::Set_Tot_Value(int v, int max, Range_Box set_for)
{
    const bool anyData = Export_with_batch_chk->isChecked() || Export_with_excel_chk->isChecked();
    if (v == 0) v = 1;
    if (!anyData) {
        max = kNoLimit;
        v = std::min(v, kNoLimit);
    }
    m_max = max;
    const bool total = Sets_Total(set_for);
    const bool to = Sets_To(set_for);
    m_applyingRule = true;
    if (total) Total_Text->setValue(v);
    if (to) To_Text->setValue(v);
    if (from_Text->value() > max) from_Text->setValue(max);
    m_applyingRule = false;
}

void Export_Card_Dialog::dataBoxChanged()
{
    const int count = cardCount();
    const bool anyData = Export_with_batch_chk->isChecked() || Export_with_excel_chk->isChecked();
    const int total = anyData ? count : 1;
    Set_Tot_Value(total, total, Range_Box::Both);
    Set_Enable_Diable_Range_Box();
}

void Export_Card_Dialog::Set_Enable_Diable_Range_Box()
{
    const bool anyData = Export_with_batch_chk->isChecked() || Export_with_excel_chk->isChecked();
    export_range_box->setEnabled(anyData);
    if (anyData) rangeRadioChanged();
}

void Export_Card_Dialog::rangeRadioChanged()
{
    const bool all = All_print_rd->isChecked();
    for (QWidget *w : std::initializer_list<QWidget *>{tot_label, Total_Text}) w->setEnabled(all);
    for (QWidget *w : std::initializer_list<QWidget *>{from_label, from_Text, to_label, To_Text}) w->setEnabled(!all);
}

void Export_Card_Dialog::rangeTyped(QSpinBox *field, const QString &text)
{
    if (m_applyingRule) return;
    const int max = cardCount();
    const int v = Range_Field_Value(text, max, true);
    if (QString::number(v) == text.trimmed()) return;
    m_applyingRule = true;
    field->setValue(v);
    m_applyingRule = false;
}

void Export_Card_Dialog::exportOkay()
{
    if (!m_sources.visitorMode && export_range_box->isEnabled() && Sel_print_rd->isChecked()
        && from_Text->value() > To_Text->value()) {
        Show_MessageBox(QStringLiteral("Please select valid range."));
        return;
    }
    accept();
}

Export_Card_Options Export_Card_Dialog::options() const
{
    Export_Card_Options o;
    switch (sideGroup->checkedId()) {
    case 0:
        o.layout = !combinedChk->isChecked() ? Export_Layout::Both
                   : sideBySideChk->isChecked() ? Export_Layout::Combined_Side_By_Side
                                                : Export_Layout::Combined_Above;
        break;
    case 2: o.layout = Export_Layout::Back; break;
    default: o.layout = Export_Layout::Front; break;
    }
    o.extension = fileTypePopup->currentText() == QLatin1String("JPEG") ? QStringLiteral("jpg")
                                                                       : fileTypePopup->currentText().toLower();
    if (mirror_chk_box->isChecked())
        o.mirror = mirror_matrix->checkedId() == 1 ? Side_Mirror::Vertical : Side_Mirror::Horizontal;
    o.useSeries = !m_sources.visitorMode && Export_with_batch_chk->isChecked();
    o.useExcel = !m_sources.visitorMode && Export_with_excel_chk->isChecked();
    if (All_print_rd->isChecked()) o.range = Batch_Range{0, cardCount()};
    else o.range = Batch_Range{from_Text->value() - 1, To_Text->value()};
    return o;
}
