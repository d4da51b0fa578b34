// The print window's run: the checks, the cards of the run, printing from a worker
// thread and the preview.
#include "Print_Window.h"
#include "Scroll_Panel.h"

#include "MessageBox.h"
#include "Output_Run_State.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QPainter>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

bool Print_Window::Execute_Printing(bool preview)
{
    const QSizeF paper = m_settings.paperSize();
    const Page_Layout &l = m_layout;
    if (l.labelWidth + l.leftMar + l.riteMar + l.horzGap > paper.width()
        || l.labelHeight + l.topMar + l.botMar + l.vertGap > paper.height()) {
        if (Show_YES_NO_MessageBox(QStringLiteral("'Card Size' is bigger than selected 'Paper Size' or drawn card may be "
                                                  "out of margin area.\n\nDo you want to continue?"))
            != 1)
            return false;
    }
    int start = 0, cells = Total_Text->value();
    if (Sel_print_rd->isChecked()) {
        if (from_Text->value() > To_Text->value()) {
            Show_MessageBox(QStringLiteral("Please select valid range."));
            return false;
        }
        cells = To_Text->value() - from_Text->value() + 1;
        start = from_Text->value() - 1;
    }
    if (m_layout.duplex()) cells *= 2;
    if (cells <= 0) {
        Show_MessageBox(QStringLiteral("There is no barcode to print."));
        return false;
    }
    // The cards take values only from the data whose box is ticked.
    if (usingRecords())
        m_design.source->Use_Sources(print_with_batch_chk->isChecked(), print_with_excel_chk->isChecked());
    const Print_Job job = Job(preview, start, cells);
    return preview ? runPreview(job) : runJob(job);
}

Print_Job Print_Window::Job(bool preview, int start, int cells) const
{
    Print_Job job;
    job.layout = m_layout;
    job.layout.align = std::max(1, alignButtons->checkedId());
    job.front = m_design.front;
    job.back = m_design.back;
    job.twoSidedCard = m_design.twoSided;
    job.selCardSide = m_design.currentSide;
    job.mirror = mirror_chk_box->isChecked();
    job.mirrorVertical = mirror_matrix->checkedId() == 1;
    job.cropMarks = crop_mark_chk->isChecked();
    if (usingRecords()) {
        job.source = m_design.source;
        job.pool = m_design.pool;
        job.records = recordCount();
    }
    job.printStart = start;
    job.totalLabel = cells;
    job.preview = preview;
    return job;
}

bool Print_Window::runJob(const Print_Job &job)
{
    QString error;
    std::unique_ptr<QPrinter> printer = Make_Printer(m_settings, &error);
    if (!printer) {
        Show_MessageBox(error);
        return false;
    }
    // The pages are painted on a worker; the window stays live and its Cancel stops
    // the job before the next page.
    Print_Progress progress;
    for (QPushButton *b : {Print_btn, Preview_btn}) b->setEnabled(false);
    Cancel_btn->disconnect(this);
    connect(Cancel_btn, &QPushButton::clicked, this, [&progress] { progress.stop = true; });
    error = Print_Pages_On_Worker(*printer, job, progress, [&] {
        status->setText(tr("Printing sheet %1 / %2").arg(progress.pagesDone.load()).arg(progress.pages.load()));
    });
    Cancel_btn->disconnect(this);
    connect(Cancel_btn, &QPushButton::clicked, this, [this] { done(0); });
    for (QPushButton *b : {Print_btn, Preview_btn}) b->setEnabled(true);
    if (!error.isEmpty()) {
        status->clear();
        Show_MessageBox(error);
        return false;
    }
    const int sheets = progress.pagesDone.load();
    const QString counted = sheets == 1 ? tr("1 sheet") : tr("%1 sheets").arg(sheets);
    status->setText(progress.stop ? tr("Stopped after %1.").arg(counted) : tr("%1 printed.").arg(counted));
    // Cards printed without a picture or a barcode are named, as an export names them.
    if (progress.incompleteCards > 0)
        Show_MessageBox(status->text() + QStringLiteral("\n\n") +
                        Incomplete_Cards_Text(progress.incompleteCards, progress.incompleteNotes));
    return true;
}

bool Print_Window::runPreview(const Print_Job &job)
{
    if (Print_Page_Count(job) > Preview_Page_Limit) Show_MessageBox(Preview_Limit_Message);
    Print_Preview_Dialog dialog(job, m_settings, this);
    if (previewRunner) previewRunner(dialog);
    else dialog.exec();
    return true;
}

// ---- Preview ----

struct Print_Preview_Dialog::Parts {
    QPrinter printer{QPrinter::HighResolution};
    QPrintPreviewWidget *widget = nullptr;
};

Print_Preview_Dialog::Print_Preview_Dialog(const Print_Job &job, const Print_Settings &settings, QWidget *parent)
    : QDialog(parent), m_job(job), m_pages(std::min(Print_Page_Count(job), Preview_Page_Limit)), m_parts(new Parts)
{
    setWindowTitle(tr("Print Preview"));
    // A PDF printer without a file: the preview never sends a job anywhere.
    m_parts->printer.setOutputFormat(QPrinter::PdfFormat);
    m_parts->printer.setFullPage(true);
    m_parts->printer.setResolution(Print_Device_DPI);
    m_parts->printer.setPageLayout(
        QPageLayout(settings.pageSize, settings.orientation, QMarginsF(), QPageLayout::Point));
    m_parts->widget = new QPrintPreviewWidget(&m_parts->printer, this);
    connect(m_parts->widget, &QPrintPreviewWidget::paintRequested, this, [this](QPrinter *printer) {
        ++m_paintRuns;
        QPainter painter(printer);
        Begin_Points(painter, *printer);
        for (int page = 1; page <= m_pages; ++page) {
            if (page > 1) printer->newPage();
            Paint_Page(painter, m_job, page);
        }
    });
    auto *close = new QPushButton(tr("Close"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_parts->widget, 1);
    layout->addWidget(close, 0, Qt::AlignRight);
    Open_Within_Screen(*this, QSize(700, 800));
}

Print_Preview_Dialog::~Print_Preview_Dialog()
{
    delete m_parts->widget;
    m_parts->widget = nullptr;
    delete m_parts;
}

int Print_Preview_Dialog::pageCount() const { return m_parts->widget->pageCount(); }

void Print_Preview_Dialog::updatePreview() { m_parts->widget->updatePreview(); }
