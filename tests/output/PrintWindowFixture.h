#pragma once
// The print window's test fixture: a profile folder holding "Default", the virtual PDF
// printer offered, a window on a design, the profile dialog answered by a script.
#include "PdfProbe.h"
#include "Print_Window.h"
#include "PrinterLayer.h"
#include "SKTDocument.h"
#include "TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <memory>
#include <string>

namespace print_window_test {

using namespace pdfprobe;

class Rows : public Print_Card_Source {
public:
    RenderedSide Print_Card(int record, int side) const override
    {
        return cardSide(QStringLiteral("%1%2").arg(side == 0 ? "Name" : "Back").arg(record + 1));
    }
};

// A profile folder holding "Default", the PDF printer offered, a window on a
// two-sided design bound to `rows` spreadsheet rows.
struct Fixture {
    QString folder = testsupport::testHome() + "/PrintProfile";
    QString pdf = testsupport::testHome() + "/printed.pdf";
    Print_Settings settings;
    Rows rows;
    Print_Design design;
    std::unique_ptr<Print_Window> window;

    explicit Fixture(int records, bool twoSided = true)
    {
        QDir().mkpath(folder);
        QFile::copy(Resource_Path + "PrintProfile/Default.zvp", folder + "/Default.zvp");
        qputenv(Virtual_PDF_Printer_Setting, pdf.toUtf8());
        // The page set-up of a document started while the PDF printer is offered: a
        // window on empty settings would start on the first listed printer.
        settings = Print_Settings_From_Info(Start_Print_Info());
        design.front = cardSide("Front");
        design.back = cardSide("Back");
        design.twoSided = twoSided;
        if (records > 0) {
            design.source = &rows;
            design.spreadsheetRows = records;
        }
        window = std::make_unique<Print_Window>(settings, folder);
        window->pageSetupRunner = [](Print_Settings &) { return true; };
        window->Prepare(design);
    }
    ~Fixture() { qunsetenv(Virtual_PDF_Printer_Setting); }

    // Fills a field as typing does.
    static void set(QSpinBox *box, int v) { box->setValue(v); }
    void profileDialogAnswers(const QString &name)
    {
        window->profileDialog().runner = [name](Add_Print_Profile &d) {
            // A new profile's dialog starts on the first listed printer: the PDF one is picked.
            d.Printer_ComboBox->setCurrentIndex(d.Printer_ComboBox->findText(Virtual_PDF_Printer_Name));
            d.Profile_name->setText(name);
            d.OKPressed();
        };
    }
    QStringList listed() const
    {
        QStringList names;
        for (int i = 0; i < window->List_profile->count(); ++i) names << window->List_profile->item(i)->text();
        return names;
    }
};

// The messages shown since the last call, as one text ("\n" before each as shown).
inline std::string shown()
{
    return testsupport::boxes().take().join("|").toStdString();
}

} // namespace print_window_test
