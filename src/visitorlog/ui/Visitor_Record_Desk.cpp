// Recording the visitor shown in the two entry panels as one row of the visitor
// database, and the visitor log window over the same database.
#include "Visitor_Record_Desk.h"

#include "FileUtilities.h"
#include "Globals.h"
#include "Helpers.h"
#include "Log.h"
#include "MessageBox.h"
#include "Picture.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "StandInPictures.h"
#include "Visitor_Fields.h"
#include "Output_Pass_Printer.h"
#include "Visitor_Log_Records.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLineEdit>
#include <QStringList>
#include <exception>

namespace {
// Panel field f holds the value column f and the caption column f: the ten fields from
// name to unique, then the date and the time.
constexpr int kValueColumnOfField[kVisitorFieldCount] = {VName,   Position, CompanyName, Slogan,
                                                         Address, Phone,    Fax,         Email,
                                                         Website, UniqueNo, EntryDate,   EntryTime};

struct Moment {
    QString today, now;
};

// One side of the row from its panel. `emptied` (the back of a one-sided card) empties
// every typed value, caption and the other details; the date and time boxes still
// decide between the panel's texts and the moment of recording.
Visitor_Side_Record Read_Visitor_Side(const Profile_Panel &panel, const QString &other, bool emptied, const Moment &m)
{
    Visitor_Side_Record side;
    for (int f = 0; f < kVisitorFieldCount; ++f) {
        const Profile_Panel::Field_Boxes &b = panel.fields[f];
        const bool shown = b.value_chk->isChecked();
        QString value = emptied ? QString() : b.value->text();
        if (f == kDateField && !shown) value = m.today;
        else if (f == kTimeField && !shown) value = m.now;
        else if (f < kDateField && !shown) value.clear();
        side.values[kValueColumnOfField[f]] = value;
        side.captions[f] = emptied || !b.label_chk->isChecked() ? QString() : b.label->text();
    }
    side.values[Use_Date] = panel.fields[kDateField].value_chk->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    side.values[Use_Time] = panel.fields[kTimeField].value_chk->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    side.values[Other] = emptied ? QString() : other;
    return side;
}

// True when the items hold anything but blanks, quotes and commas.
bool Holds_Something(const QStringList &items)
{
    QString joined = items.join(QString());
    joined.remove(QLatin1Char('\'')).remove(QLatin1Char(','));
    return !Trim_Str(joined).isEmpty();
}

bool Side_Entered(const Visitor_Side_Record &side, const Profile_Panel &panel)
{
    QStringList values;
    for (int c = VName; c <= UniqueNo; ++c) values << side.values[c];
    values << side.values[Other];
    return Holds_Something(QStringList(side.captions.begin(), side.captions.end())) || Holds_Something(values) ||
           panel.fields[kDateField].value_chk->isChecked() || panel.fields[kTimeField].value_chk->isChecked();
}
} // namespace

Visitor_Record_Desk::Visitor_Record_Desk(SKTDocument &document, const PictureAdjuster &adjuster, QWidget *window,
                                         Visitor_Pass_Mailer mailer, QThreadPool *pool)
    : m_document(document), pictureAdjuster(adjuster), m_window(window), m_mailer(std::move(mailer))
{
    visitor_store.index_pool = pool;
}

Visitor_Record_Desk::~Visitor_Record_Desk() = default;

void Visitor_Record_Desk::Add_Visitor_Record_To_DB(const Profile_Panel *frontPanel, const Profile_Panel *backPanel)
{
    try {
        Check_Path_And_Create_VISITOR_Files();
        const bool twoSided = m_document.Front_card_Prop.Card_Side() != QLatin1String("1");
        // A one-sided card's visitor is its front's, which is what prints: on its back
        // the clerk sees (and types into) details the record would not hold.
        if (!twoSided && m_document.currentSide() == 1) {
            Show_MessageBox(QStringLiteral("This card has one side: its visitor is recorded from the front.\n"
                                           "Please show the front and enter the visitor's details there."));
            return;
        }
        int count = m_document.graphics().count();
        if (twoSided && count == 0) count = m_document.graphics_back().count();
        if (count == 0) {
            Show_MessageBox(QStringLiteral("There is no details for Visitor.\nPlease enter some details."));
            return;
        }
        if (!frontPanel || !backPanel) return;
        const Profile_Panel &front = *frontPanel;
        const Profile_Panel &back = *backPanel;

        // One moment for the stamp and the date and time that stand in for unticked boxes.
        const QDateTime when = QDateTime::currentDateTime();
        const Moment moment{Format_Date_Time(when, QStringLiteral("dd-MMM-yyyy")),
                            Format_Date_Time(when, QStringLiteral("HH:mm:ss"))};
        Visitor_Record record;
        record.Date_Time_Stamp = Format_Date_Time(when, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        // The user-added rows' lines of each side.
        record.front = Read_Visitor_Side(front, front.Other_Details_Text(), false, moment);
        record.back = Read_Visitor_Side(back, back.Other_Details_Text(), !twoSided, moment);
        record.Photo = Trim_Str(front.image_path_val->text());
        // The picture an image control shows without a photo (the empty control's, the
        // templates' grey figure) is no visitor's photo; a picture of the shipped library is.
        // Nor is a file that cannot be read as a picture (a zip, a cut or empty file, a
        // folder, a file gone), whatever named it: a design, a typed path.
        if (Is_Stand_In_Picture(record.Photo, Resource_Path) || !Picture_File_Readable(record.Photo))
            record.Photo.clear();

        if (!Side_Entered(record.front, front) && !Side_Entered(record.back, back) && record.Photo.isEmpty()) {
            Show_MessageBox(QStringLiteral("Please enter some details of visitor."));
            return;
        }
        if (!visitor_store.Open_DB_Connection()) {
            Show_MessageBox(QStringLiteral("Error in database access."));
            return;
        }
        QString reason;
        const bool saved = visitor_store.Insert_Visitor_Record(record, &reason);
        visitor_store.Close_DB_Connection();
        if (saved)
            Show_MessageBox(QStringLiteral("Visitor Details has been saved successfully"));
        else
            Show_MessageBox(QStringLiteral("Visitor Details could not be saved.\n") + reason);
    } catch (const std::exception &e) {
        visitor_store.Close_DB_Connection();
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Visitor_Record_Desk::View_Vistor_Record()
{
    try {
        Check_Path_And_Create_VISITOR_Files();
        // The pass prints on the document's print settings, which its page set-up and its
        // prints change.
        if (!m_visitorLog)
            m_visitorLog = new Visitor_Log_Records(visitor_store, pictureAdjuster,
                                                   std::make_unique<Output_Pass_Printer>(m_document), m_window, m_mailer);
        m_visitorLog->Open_Log_Wnd();
    } catch (const std::exception &e) {
        visitor_store.Close_DB_Connection();
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}
