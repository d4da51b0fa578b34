#pragma once
// The visitor record of the main window: the visitor shown in the two entry panels
// recorded as one row of the visitor database, and the visitor log window over the same
// database. The connection is opened and closed within each command.
#include "VisitorRecordStore.h"
#include "Visitor_Log_Records.h"

#include <QString>

class Profile_Panel;
class QThreadPool;
class QWidget;
class SKTDocument;
struct PictureAdjuster;

class Visitor_Record_Desk {
public:
    // `document`: the design shown, whose sides and print settings the commands read;
    // `window`: the parent of the log window; `mailer` mails a visitor's pass file. The
    // document, the adjuster and the window outlive the desk; the log's text index is
    // built on `pool` (the process's global pool when none), which outlives it too.
    Visitor_Record_Desk(SKTDocument &document, const PictureAdjuster &adjuster, QWidget *window,
                        Visitor_Pass_Mailer mailer, QThreadPool *pool = nullptr);
    ~Visitor_Record_Desk();
    Visitor_Record_Desk(const Visitor_Record_Desk &) = delete;
    Visitor_Record_Desk &operator=(const Visitor_Record_Desk &) = delete;

    // Records the visitor shown in the panels as one new database row and tells the
    // user the outcome (saved, nothing entered, or the database failure). On a one-sided
    // card the back's panel is no visitor's: while the back is shown nothing is recorded
    // and the user is told to use the front. A stand-in
    // picture of the program in the photo box (StandInPictures.h) is recorded as no
    // photo and counts as nothing entered.
    void Add_Visitor_Record_To_DB(const Profile_Panel *front, const Profile_Panel *back);
    // The "Visitor Log" command: runs the visitor log window modally (made on first use).
    void View_Vistor_Record();

    VisitorRecordStore &store() { return visitor_store; }
    Visitor_Log_Records *logWindow() const { return m_visitorLog; }

private:
    SKTDocument &m_document;
    const PictureAdjuster &pictureAdjuster;
    QWidget *m_window;
    Visitor_Pass_Mailer m_mailer;
    VisitorRecordStore visitor_store;
    Visitor_Log_Records *m_visitorLog = nullptr;  // a child of the window
};
