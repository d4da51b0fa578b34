// The visitor log window: its panes, the date range and the list of visits.
#include "Visitor_Log_Records.h"

#include "Helpers.h"
#include "LayoutParts.h"
#include "Log.h"
#include "MessageBox.h"
#include "VisitorPassPrinter.h"
#include "Visitor_Log_Model.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

namespace {
const QString kRecentInfo = QStringLiteral("Most Recent Visitor Entries\nDouble Click to view the Visitor Details.");
const QString kSearchInfo =
    QStringLiteral("Visitor Search Results from %1 to %2 as per your query.\nDouble Click to view the Visitor Details.");
} // namespace

QString Visitor_Log_Read_Failed_Text(const QString &reason)
{
    return QStringLiteral("Error in database access\n\nThe visitor log could not be read: %1").arg(reason);
}

QString Medium_Date_Text(const QDate &date, const QLocale &locale)
{
    QString format = locale.dateFormat(QLocale::LongFormat);
    // The weekday and what joins it to the rest go; the month is abbreviated.
    static const QRegularExpression weekday(QStringLiteral("d{4}[^dMy']*"));
    format.remove(weekday);
    format.replace(QStringLiteral("MMMM"), QStringLiteral("MMM"));
    return locale.toString(date, Trim_Str(format));
}

const QStringList &Visitor_Log_Records::rangeTitles()
{
    static const QStringList titles{QStringLiteral("Today"), QStringLiteral("Yesterday"), QStringLiteral("Last 7 Days"),
                                    QStringLiteral("Last 31 Days"), QStringLiteral("Custom Range")};
    return titles;
}

Visitor_Log_Records::Visitor_Log_Records(VisitorRecordStore &s, const PictureAdjuster &a, VisitorPassPrinter *p,
                                         QWidget *parent, Visitor_Pass_Mailer m)
    : QDialog(parent), store(s), adjuster(a), printer(p), mailer(std::move(m))
{
    setWindowTitle(QStringLiteral("Visitor Log"));
    Paint_Window_Background(*this);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Search_Box = buildSearchPane());
    layout->addWidget(Records_Box = buildRecordsPane(), 1);
    layout->addWidget(Details_Box = buildDetailsPane(), 1);
    Details_Box->hide();
    date_range->setCurrentIndex(0);
    comboBoxSelectionDidChange(0);
}

Visitor_Log_Records::Visitor_Log_Records(VisitorRecordStore &s, const PictureAdjuster &a,
                                         std::unique_ptr<VisitorPassPrinter> p, QWidget *parent,
                                         Visitor_Pass_Mailer m)
    : Visitor_Log_Records(s, a, p.get(), parent, std::move(m))
{
    ownedPrinter = std::move(p);
}

Visitor_Log_Records::~Visitor_Log_Records() = default;

QWidget *Visitor_Log_Records::buildSearchPane()
{
    auto *box = new QGroupBox(QStringLiteral("Search Visitor"));
    auto *grid = new QGridLayout(box);
    static const char *labels[kVisitorSearchFilterCount] = {"Name :",    "Company :",        "Address :",
                                                            "Phone :",   "Email :",          "Purpose :",
                                                            "Person to Meet :", "Visitor No. :", "Other :"};
    for (int f = 0; f < kVisitorSearchFilterCount; ++f) {
        filterBoxes[f] = new QLineEdit;
        filterBoxes[f]->setObjectName(Visitor_Search_Column(f));
        grid->addWidget(new QLabel(QLatin1String(labels[f])), f / 3, (f % 3) * 2);
        grid->addWidget(filterBoxes[f], f / 3, (f % 3) * 2 + 1);
        connect(filterBoxes[f], &QLineEdit::returnPressed, this, &Visitor_Log_Records::Search_Records_Click);
    }
    date_range = new QComboBox;
    date_range->addItems(rangeTitles());
    Date_From_Ctrl = new QDateEdit;
    Date_To_Ctrl = new QDateEdit;
    for (QDateEdit *picker : {Date_From_Ctrl, Date_To_Ctrl}) {
        picker->setCalendarPopup(true);
        picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    }
    const std::pair<QString, QWidget *> dateRow[] = {
        {QStringLiteral("Date Range :"), date_range},
        {QStringLiteral("From :"), Date_From_Ctrl},
        {QStringLiteral("To :"), Date_To_Ctrl},
    };
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(dateRow[i].first), 3, 2 * i);
        grid->addWidget(dateRow[i].second, 3, 2 * i + 1);
    }
    searchButton = Command_Button(QStringLiteral("Search"), this, &Visitor_Log_Records::Search_Records_Click);
    resetButton = Command_Button(QStringLiteral("Reset"), this, &Visitor_Log_Records::Reset_click);
    closeButton = Command_Button(QStringLiteral("Close"), this, &Visitor_Log_Records::Close_box_click);
    for (QPushButton *b : {searchButton, resetButton, closeButton}) b->setAutoDefault(false);
    grid->addLayout(Button_Row({searchButton, resetButton, closeButton}), 4, 0, 1, 6);
    connect(date_range, &QComboBox::currentIndexChanged, this, &Visitor_Log_Records::comboBoxSelectionDidChange);
    return box;
}

QWidget *Visitor_Log_Records::buildRecordsPane()
{
    auto *box = new QGroupBox(QStringLiteral("Visitor Records"));
    auto *v = new QVBoxLayout(box);
    v->addWidget(info_label = new QLabel(kRecentInfo));
    ColList = new QTableView;
    model = new Visitor_Log_Model(this);
    ColList->setModel(model);
    ColList->setSelectionBehavior(QAbstractItemView::SelectRows);
    ColList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ColList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ColList->verticalHeader()->hide();
    ColList->horizontalHeader()->setStretchLastSection(true);
    ColList->setMinimumSize(720, 220);
    ColList->setColumnWidth(0, 50);
    ColList->setColumnWidth(1, 150);
    v->addWidget(ColList, 1);
    exportListButton = Command_Button(QStringLiteral("Export to Excel"), this, &Visitor_Log_Records::Export_Records_Click);
    exportListButton->setAutoDefault(false);
    v->addLayout(Button_Row({exportListButton}));
    connect(ColList, &QTableView::doubleClicked, this, &Visitor_Log_Records::doubleClickInTable);
    return box;
}

const QList<Visitor_Log_Entry> &Visitor_Log_Records::ListData() const { return model->entries(); }

void Visitor_Log_Records::showListView(bool list)
{
    const QSize kept = size();
    // The view going away is hidden first, so the layout never makes room for both.
    const auto shown = [this, list](const QWidget *pane) { return (pane != Details_Box) == list; };
    for (QWidget *pane : {Search_Box, Records_Box, Details_Box})
        if (!shown(pane)) pane->hide();
    for (QWidget *pane : {Search_Box, Records_Box, Details_Box})
        if (shown(pane)) pane->show();
    if (!isVisible()) return;
    // The window keeps its size (growing only as far as the view needs) and stays
    // within the screen's available area.
    layout()->activate();
    QSize want = kept.expandedTo(minimumSizeHint());
    if (const QScreen *s = screen()) {
        const QRect available = s->availableGeometry();
        const QMargins frame(geometry().left() - frameGeometry().left(), geometry().top() - frameGeometry().top(),
                             frameGeometry().right() - geometry().right(),
                             frameGeometry().bottom() - geometry().bottom());
        want = want.boundedTo(available.size().shrunkBy(frame));
        resize(want);
        QRect outer = frameGeometry();
        outer.moveRight(std::min(outer.right(), available.right()));
        outer.moveBottom(std::min(outer.bottom(), available.bottom()));
        outer.moveLeft(std::max(outer.left(), available.left()));
        outer.moveTop(std::max(outer.top(), available.top()));
        if (outer.topLeft() != frameGeometry().topLeft()) move(outer.topLeft());
    } else {
        resize(want);
    }
}

void Visitor_Log_Records::Prepare_Log_Wnd()
{
    // The pass prints on the settings in force at this opening.
    if (printer) printer->Take_Print_Settings();
    showListView(true);
    info_label->setText(kRecentInfo);
    model->setEntries({});
    date_range->setCurrentIndex(0);
    comboBoxSelectionDidChange(0);
    filterBoxes[Filter_Name]->setFocus();
    Search_Visitor_Records(true);
}

int Visitor_Log_Records::Open_Log_Wnd()
{
    try {
        Prepare_Log_Wnd();
        return exec();
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        return 0;
    }
}

void Visitor_Log_Records::comboBoxSelectionDidChange(int index)
{
    const QDate now = QDate::currentDate();
    const QDate yesterday = QDateTime::currentDateTime().addSecs(-86400).date();
    Date_From_Ctrl->setEnabled(false);
    Date_To_Ctrl->setEnabled(false);
    switch (index) {
    case 0: Date_From_Ctrl->setDate(now); Date_To_Ctrl->setDate(now); break;
    case 1: Date_From_Ctrl->setDate(yesterday); Date_To_Ctrl->setDate(yesterday); break;
    case 2: Date_From_Ctrl->setDate(QDateTime::currentDateTime().addSecs(-518400).date()); Date_To_Ctrl->setDate(now); break;
    case 3: Date_From_Ctrl->setDate(QDateTime::currentDateTime().addSecs(-2592000).date()); Date_To_Ctrl->setDate(now); break;
    default:
        Date_From_Ctrl->setEnabled(true);
        Date_To_Ctrl->setEnabled(true);
        break;
    }
}

void Visitor_Log_Records::Reset_click()
{
    for (QLineEdit *box : filterBoxes) box->clear();
    date_range->setCurrentIndex(0);
    comboBoxSelectionDidChange(0);
}

void Visitor_Log_Records::Close_box_click() { reject(); }

// Close, Escape and the window's close box all end the run the same way.
void Visitor_Log_Records::reject()
{
    Reset_click();
    store.Close_DB_Connection();
    QDialog::reject();
}

void Visitor_Log_Records::Search_Visitor_Records(bool recent)
{
    if (!store.Open_DB_Connection()) {
        // The list stays as it was.
        Show_MessageBox(QStringLiteral("Error in database access"));
        return;
    }
    std::optional<QList<Visitor_Log_Entry>> found;
    QString reason;
    if (recent) {
        found = store.Read_Recent_Visits(&reason);
    } else {
        Visitor_Search search;
        for (int f = 0; f < kVisitorSearchFilterCount; ++f) search.filters[f] = filterBoxes[f]->text();
        search.from = Date_From_Ctrl->date();
        search.to = Date_To_Ctrl->date();
        info_label->setText(kSearchInfo.arg(Medium_Date_Text(search.from), Medium_Date_Text(search.to)));
        found = store.Read_Search(search, &reason);
    }
    store.Close_DB_Connection();
    // A read that fails lists nothing and says why; it is no empty result.
    model->setEntries(found.value_or(QList<Visitor_Log_Entry>()));
    if (!found)
        Show_MessageBox(Visitor_Log_Read_Failed_Text(reason));
    else if (!recent && model->entries().isEmpty())
        Show_MessageBox(QStringLiteral("No records found."));
}

void Visitor_Log_Records::doubleClickInTable()
{
    const QModelIndexList rows = ColList->selectionModel()->selectedRows();
    if (rows.isEmpty()) return;
    if (rows.size() > 1) {
        Show_MessageBox(QStringLiteral("Please select only one record to update."));
        return;
    }
    const int r = rows.front().row();
    if (r < 0 || r >= model->entries().size()) return;
    Show_Visitor_Details(Trim_Str(model->entries()[r].value(Log_DB_ID)));
}

void Visitor_Log_Records::Mark_List_New_Selection(int row)
{
    if (row < 0 || row >= model->rowCount()) return;
    ColList->selectRow(row);
    ColList->scrollTo(model->index(row, 0));
    ColList->setFocus();
}
