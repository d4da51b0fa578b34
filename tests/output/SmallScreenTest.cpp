// Every output window, in each of its states, fits the area a 1366 x 768 laptop screen
// leaves a window: the export options, the print window (records or none, one or two
// sides, each side arrangement), its profile dialog and preview, the mailing windows,
// the e-mail settings and the shared small dialogs.
#include "Direct_Mail.h"
#include "Email_Setting.h"
#include "Export_Card_Dialog.h"
#include "PdfProbe.h"
#include "Print_Window.h"
#include "Scroll_Panel.h"
#include "Send_Mail.h"
#include "Shared_Dialogs.h"
#include "Shots.h"
#include "SmallScreen.h"
#include "TestSupport.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace small_screen_test {

using testsupport::fitsSmallScreen;

namespace {

// Shown at the size it opens with, for the screenshots of a tour (DOZO_SHOTS_DIR).
void shot(QWidget &window, const QString &name)
{
    if (qEnvironmentVariableIsEmpty("DOZO_SHOTS_DIR")) return;
    testsupport::saveShownShot(window, name);
    window.hide();
}

class Rows : public Print_Card_Source {
public:
    RenderedSide Print_Card(int record, int) const override { return pdfprobe::cardSide(QString::number(record)); }
};

class Cards : public Mail_Card_Source {
public:
    int rows = 0;
    bool two = true;
    bool Two_Sided() const override { return two; }
    bool Visitor_Mode() const override { return false; }
    bool Run_Under_Way() override { return false; }
    Mail_Card_Counts Check_Series_Or_Excel_Use_or_not() override { return {rows > 0, rows > 0, rows, rows}; }
    RenderedSide Current_Side(int) override { return pdfprobe::cardSide("Card"); }
    bool Begin_Batch_Run(bool, bool) override { return true; }
    RenderedSide Card_Side(int, int) override { return pdfprobe::cardSide("Card"); }
    void End_Batch_Run() override {}
};

Export_Data_Sources bound(int rows)
{
    Export_Data_Sources s;
    s.visitorMode = false;
    s.seriesInUse = rows > 0;
    s.seriesRows = rows;
    s.excelRows = rows;
    return s;
}

}  // namespace

TEST(SmallScreen, OutputDialogsFit)
{
    const QString longName = QString(40, 'N') + "/" + QString(120, 'x') + ".png";
    const QString longText = QStringList(QList<QString>(200, QString(300, 'w'))).join('\n');
    const std::pair<const char *, std::function<std::unique_ptr<QWidget>()>> windows[] = {
        {"export-one-sided", [] { return std::make_unique<Export_Card_Dialog>(false); }},
        {"export-bound", [] { return std::make_unique<Export_Card_Dialog>(true, bound(12)); }},
        {"profile-name", [] { return std::make_unique<Add_Print_Profile>(); }},
        {"email-settings", [] { return std::make_unique<Email_Setting>(); }},
        {"visitor-mail", [] { return std::make_unique<Direct_Mail>(); }},
        {"keep-replace",
         [&] {
             auto box = std::make_unique<Replcae_Confirm_Box>();
             box->Fill({"File already exists :", longName + "\nDo you want to replace it?", true, longName}, false);
             return box;
         }},
        {"progress", [] { return std::make_unique<Send_Modeless>(); }},
        {"please-wait", [] { return std::make_unique<PleaseWait_Modeless>(); }},
        {"long-message",
         [&] {
             auto box = std::make_unique<Long_SMS_Dlg>();
             box->Fill("Rows not read", longText);
             return box;
         }},
        {"open-exported",
         [&] {
             auto box = std::make_unique<Open_Export_Log>();
             box->Fill({longName, longName, "Card has been exported successfully.", {}});
             return box;
         }},
    };
    for (const auto &[name, make] : windows) {
        std::unique_ptr<QWidget> window = make();
        EXPECT_TRUE(fitsSmallScreen(*window)) << name;
        shot(*window, QStringLiteral("win-%1").arg(name));
    }
}

TEST(SmallScreen, PrintWindowFitsInEveryState)
{
    const QString folder = testsupport::testHome() + "/PrintProfile";
    QDir().mkpath(folder);
    QFile::copy(Resource_Path + "PrintProfile/Default.zvp", folder + "/Default.zvp");
    Rows rows;
    struct State {
        const char *name;
        bool twoSided, records, visitor;
        int side;  // 0 both, 1 front, 2 back
    };
    const State states[] = {
        {"two-sided-records", true, true, false, 0},
        {"one-sided", false, false, false, 1},
        {"visitor", true, false, true, 2},
    };
    for (const State &s : states) {
        Print_Settings settings;
        Print_Window window(settings, folder);
        // It opens with all it asks for, as far as its screen has room.
        EXPECT_EQ(window.size(), Opening_Size_Within(window.sizeHint(), window.minimumSizeHint(),
                                                     window.screen()->availableGeometry().size()));
        window.pageSetupRunner = [](Print_Settings &) { return true; };
        Print_Design design;
        design.front = design.back = pdfprobe::cardSide("Card");
        design.twoSided = s.twoSided;
        design.visitorMode = s.visitor;
        if (s.records) design.source = &rows, design.seriesRows = 30, design.spreadsheetRows = 30;
        window.Prepare(design);
        window.matrix_card_side->button(s.side)->click();
        for (int arrangement = 0; arrangement < window.print_alignment->count(); ++arrangement) {
            window.print_alignment->setCurrentIndex(arrangement);
            EXPECT_TRUE(fitsSmallScreen(window)) << s.name << " arrangement " << arrangement;
        }
        shot(window, QStringLiteral("win-print-%1").arg(s.name));
        bool previewed = false;
        window.previewRunner = [&](Print_Preview_Dialog &d) {
            previewed = true;
            EXPECT_TRUE(fitsSmallScreen(d)) << s.name << " preview";
            // It opens within its screen, its frame included.
            EXPECT_LE(d.height() + testsupport::kWindowFrame.height(), d.screen()->availableGeometry().height())
                << s.name << " preview";
        };
        window.Preview_btn->click();
        EXPECT_TRUE(previewed) << s.name;
    }
}

TEST(SmallScreen, CardMailingWindowFitsWithAndWithoutRecords)
{
    for (int records : {0, 25}) {
        Cards cards;
        cards.rows = records;
        Send_Mail window(cards);
        window.Reset_For_Design();
        EXPECT_TRUE(fitsSmallScreen(window)) << records << " records";
        shot(window, QStringLiteral("win-mail-%1-records").arg(records));
    }
}

} // namespace small_screen_test
