#pragma once
// The visitor panels' desk with the window's undo history, without the main window: a
// bundled template opened in visitor mode, undo and redo by side snapshots, the card
// view's commands, Copy to Other Side, the photo buttons, the Image tab and Add to
// Database, each through the library calls the window makes for it.
#include "DesignFile.h"
#include "PanelDesk.h"
#include "SKTImage.h"
#include "TestSupport.h"
#include "UndoHistory.h"

#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>

// A picture of its own, of one colour, under the test's home.
inline QString Own_Picture(const QString &name, QColor colour)
{
    const QString path = testsupport::testHome() + "/" + name + ".png";
    QImage image(30, 40, QImage::Format_RGB32);
    image.fill(colour);
    image.save(path);
    return path;
}

inline QString Bundled_Template(const QString &name)
{
    for (const char *folder : {"Corporate", "Education", "Misc", "Visitor"}) {
        const QString path = Resource_Path + "Templates/" + folder + "/" + name + ".zcd";
        if (QFileInfo::exists(path)) return path;
    }
    return QString();
}

struct HistoryDesk : PanelDesk {
    UndoHistory history;
    int imageIDs = 0, crops = 0;
    QString cameraPicture;  // what the camera window stores next ("" cancelled)
    // The visitor recorded by Add to Database: each side's photo box and fixed fields, as
    // the log reads them (a field's value only when its box is ticked).
    struct Visit {
        QString photo[2];
        QString values[2][kVisitorFieldCount];
    };
    std::vector<Visit> visits;

    HistoryDesk()
    {
        // The wording every test of the panels starts from (the captions are no part of
        // what is checked here).
        Set_Field_Captions(Caption_Wording::General_ID_Card);
        record = [this] {
            Visit v{{fp().image_path_val->text(), bp().image_path_val->text()}, {}};
            for (int side : {0, 1})
                for (int f = 0; f < kVisitorFieldCount; ++f) {
                    const Profile_Panel::Field_Boxes &b = (side ? bp() : fp()).fields[size_t(f)];
                    if (b.value_chk->isChecked()) v.values[side][f] = b.value->text();
                }
            visits.push_back(v);
        };
    }

    SideSnapshot present(int side) { return Side_Snapshot(document.sideList(side).items()); }

    // Opened as the start window opens a template in visitor mode; false when it cannot be read.
    bool open(const QString &path)
    {
        QGuiApplication::clipboard()->clear();
        return reopen(path);
    }
    // Read again as the window opens a design (the clipboard kept): a new history.
    bool reopen(const QString &path)
    {
        DesignData data;
        QString error;
        if (!Read_Design_File(path, data, &error)) return false;
        Put_Design_In_Document(data, document, false);
        designDidLoad();
        history.clear();
        history.record(0, present(0));
        return true;
    }
    // The panels and photos after a design was put in place (a read, Copy to Other Side).
    void designDidLoad(Visitor_Panel_Desk::Side_Photos photos = Visitor_Panel_Desk::Side_Photos::From_Design)
    {
        showSide(0);
        desk.Rebuild_From_Card(photos);
        for (Profile_Panel *p : {&fp(), &bp()}) p->Refresh_Controls();
        desk.Show_Single_Mode_Front_Panel();
        desk.Follow_Locks();
    }

    // ---- Undo and redo, as the window's ----
    void Record_Undo(int side) override
    {
        PanelDesk::Record_Undo(side);
        if (undoPaused) return;
        const int s = side < 0 ? document.currentSide() : side == 1 ? 1 : 0;
        history.makeSureOfBase(1 - s, [&] { return present(1 - s); });
        history.record(s, present(s));
    }
    void restore(const SideSnapshot &snapshot)
    {
        desk.Refresh_After_Undo();
        const std::vector<GraphicPtr> restored = Controls_From_Snapshot(snapshot);
        document.sideList(document.currentSide()).replaceAll(restored);
        for (const GraphicPtr &g : restored) desk.Show_Control_After_Undo(g.get());
        desk.Follow_Locks();
        Show_Properties(nullptr);
    }
    void undo()
    {
        const int side = document.currentSide();
        if (!history.canUndo(side)) return;
        if (const SideSnapshot *before = history.undo(side, present(side))) restore(*before);
    }
    void redo()
    {
        const int side = document.currentSide();
        if (std::optional<SideSnapshot> undone = history.redo(side)) {
            restore(*undone);
            history.push(side, present(side));
        }
    }

    // ---- The card ----
    void click(SKTGraphic *g)
    {
        currentView().selectGraphics({g});
        currentView().setSelected_Graphic(g);
        desk.Control_Selected(g);
    }
    void clickEmptyPlace() { Show_Properties(nullptr); }
    void command(SKTGraphicView::Command c) { currentView().runCommand(c); }
    // The Image tab's Browse...: a new picture for the selected control, one undo step.
    void browseOnImageTab(SKTGraphic *g, const QString &path)
    {
        static_cast<SKTImage *>(g)->setFilePath(path, true);
        Record_Undo(-1);
    }
    // The Text tab: a new text for the control, one undo step.
    void textOnCard(SKTGraphic *g, const QString &text)
    {
        g->Set_text_value(text);
        Record_Undo(-1);
    }
    // The Image tab's Crop on a control's own picture: its middle written as a new
    // picture (under the test's home), which the control then shows, one undo step; the
    // new path ("" for a control without a picture).
    QString cropOnImageTab(SKTGraphic *g)
    {
        const QImage whole = g->_contents.image();
        if (whole.isNull()) return QString();
        const QString folder = testsupport::testHome() + "/Cropped_Images";
        QDir().mkpath(folder);
        const QString path = folder + "/cropped-" + QString::number(++crops) + ".png";
        whole.copy(whole.rect().adjusted(whole.width() / 4, whole.height() / 4, -whole.width() / 4, -whole.height() / 4))
            .save(path);
        browseOnImageTab(g, path);
        return path;
    }
    // Save As: the design as the window writes it in visitor mode; false when refused.
    bool saveAs(const QString &path)
    {
        QString error;
        return Write_Design_File(path, document, Card_Mode::Opened, &error);
    }
    void copyToOtherSide()
    {
        const int from = document.currentSide(), destination = 1 - from;
        history.makeSureOfBase(destination, [&] { return present(destination); });
        for (int side = 0; side < 3; ++side) view(side).Clear_Control_Selection();
        document.copySideToOther(from);
        designDidLoad(Visitor_Panel_Desk::Side_Photos::Kept);
        showSide(destination);
        Record_Undo(-1);
    }

    // ---- The panel ----
    Profile_Panel &panel() { return document.currentSide() == 1 ? bp() : fp(); }
    void photoFromFile(const QString &path)
    {
        testsupport::queueFilePanelAnswer({path});
        panel().Browse_image_Btn_Clicked();
        testsupport::clearFilePanels();
    }
    void camera(const QString &path)
    {
        cameraPicture = path;
        panel().Open_Camera_Clicked();
    }
    // A fixed field's value box ticked on or off.
    void tick(int field, bool on)
    {
        QCheckBox *chk = panel().fields[size_t(field)].value_chk;
        if (chk->isChecked() != on) chk->click();
    }
    // Typed into the value box of a fixed field, ticked first as the person must.
    void typeInto(int field, const QString &text)
    {
        Profile_Panel::Field_Boxes &b = panel().fields[size_t(field)];
        if (!b.value_chk->isChecked()) b.value_chk->click();
        type(b.value, text);
    }
    void addToDatabase() { desk.Add_Visitor_Record_To_DB(); }

    // ---- The window's answers ----
    QString Camera_Picture() override { return cameraPicture; }
    QString Generate_Extra_image_control_ID() override
    {
        QString id;
        do id = QStringLiteral("F_Pic%1").arg(++imageIDs);
        while (currentView().Selcect_Ctrl_With_ID(id));
        return id;
    }
};
