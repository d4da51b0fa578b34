// The visitor log's output: the listed visits as a workbook, the shown visit's gate
// pass as a picture or a PDF file, its printing through the pass printer and its
// mailing as a PDF file.
#include "Visitor_Log_Records.h"

#include "Dialogs.h"
#include "Export_File_Writer.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "Log.h"
#include "MessageBox.h"
#include "Output_Pass_Printer.h"
#include "RenderedSide.h"
#include "Shared_Dialogs.h"
#include "SpreadsheetWriter.h"
#include "StandInPictures.h"
#include "VisitorPassPrinter.h"
#include "Visitor_Log_Model.h"
#include "Visitor_Photo_Text.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {
void offerToOpen(const QString &path, const QString &message, QWidget *over)
{
    Open_Export_Log::Open_Export_File_Box(Export_Open_Offer{path, QString(), message, QString()}, over);
}
// The exported columns, in order; the titles are the first row.
const Visitor_Log_Key kExported[] = {Log_SNO,   Log_DateTime, Log_Photo, Log_Name,     Log_CompanyName, Log_Address,
                                     Log_Phone, Log_Email,    Log_Purpose, Log_Meet, Log_VisitoNO,    Log_Other};

// The photo column's text: a stand-in picture recorded as the photo is no photo.
QString exportedPhoto(const QString &photoText)
{
    return Is_Stand_In_Picture(Parse_Visitor_Photo_Text(photoText).path, Resource_Path) ? QString() : photoText;
}

// The shown visit's pass as a page of `page`'s size.
RenderedSide passSide(const Gate_Pass_Data &pass, const QRectF &page)
{
    return Visitor_Pass_Recorded(Gate_Pass_Picture(pass, page), page);
}

// The name chosen in a save panel for a file of the extension (completed with it), the
// name suggested; an empty path when cancelled.
Save_Panel_Choice chosenSavePath(const QString &title, const QString &name, const QString &extension)
{
    FilePanelRequest request;
    request.kind = FilePanelRequest::SaveFile;
    request.title = title;
    request.suggestedName = name + u'.' + extension;
    request.extensions = {extension};
    return Run_Save_Panel(request);
}

// Writes the pass to `path` in the type of its extension (pictures at 600 dpi), without
// the keep/replace question (a save panel asked); a link there gets `links`. With
// `offer` the exported-file box follows. A failed write says so: another user's file or
// link in the way in a shared folder as an export of a card says it, else with the
// system's reason.
bool writePass(const QString &path, File_Link links, const RenderedSide &side, bool offer, QWidget *over)
{
    Output_Run_State state;
    const Export_Write result =
        Export_File_Function(path, side, offer, true, true, state, Side_Mirror::None, over, true, nullptr, links);
    if (result == Export_Write::Written) return true;
    Show_MessageBox(
        Write_Refusal_Text(path, Failed_Write_Text(QStringLiteral("Error in file accessing."), state.failed_error)));
    return false;
}
} // namespace

void Visitor_Log_Records::Export_Records_Click()
{
    try {
        const QList<Visitor_Log_Entry> &entries = model->entries();
        if (entries.isEmpty()) {
            Show_MessageBox(QStringLiteral("List is empty."));
            return;
        }
        // A workbook is what is written, so that is what the file is named (a link there
        // is replaced: the workbook is renamed over the name).
        const QString path = chosenSavePath(QStringLiteral("Export Visitor Log"), QStringLiteral("Visitor_Log"),
                                            QStringLiteral("xlsx"))
                                 .path;
        if (path.isEmpty()) return;
        raise();

        SheetRows rows;
        QStringList titles;
        for (Visitor_Log_Key k : kExported) titles << Visitor_Log_Model::title(k);
        rows << titles;
        for (const Visitor_Log_Entry &e : entries) {
            QStringList row;
            for (Visitor_Log_Key k : kExported) row << (k == Log_Photo ? exportedPhoto(e.value(k)) : e.value(k));
            rows << row;
        }
        bool written = false;
        int error = 0;
        {
            const PleaseWait_Scope wait(this);
            written = SpreadsheetWriter::WriteWorkbook(path, rows, false, Resource_Path, &error);
        }
        raise();
        if (!written) {
            Show_MessageBox(
                Write_Refusal_Text(path, Failed_Write_Text(QStringLiteral("Error in file accessing."), error)));
            return;
        }
        offerToOpen(path, QStringLiteral("Record has been exported successfully."), this);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
        Show_MessageBox(QStringLiteral("Error in file accessing."));
    }
}

void Visitor_Log_Records::Export_Image_click()
{
    try {
        // The path ends in the format chosen in the panel (jpg, bmp, png or tiff).
        const Save_Panel_Choice chosen = Run_Save_Image_Panel(QString(), QStringLiteral("Visitor_Pass"));
        if (chosen.path.isEmpty()) return;
        raise();
        writePass(chosen.path, chosen.links, passSide(pass, page_rect), true, this);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Visitor_Log_Records::Export_PDF_click()
{
    try {
        const Save_Panel_Choice chosen =
            chosenSavePath(QStringLiteral("Export PDF"), QStringLiteral("Visitor_Pass"), QStringLiteral("pdf"));
        if (chosen.path.isEmpty()) return;
        raise();
        writePass(chosen.path, chosen.links, passSide(pass, page_rect), true, this);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Visitor_Log_Records::Page_Setup_click()
{
    if (!printer || !printer->hasPrinter()) {
        Show_MessageBox(QStringLiteral("No printer found."));
        return;
    }
    printer->pageSetup(this);
}

void Visitor_Log_Records::Execute_Printing(bool preview)
{
    try {
        if (!printer || !printer->hasPrinter()) {
            Show_MessageBox(QStringLiteral("No printer found."));
            return;
        }
        printer->printPass(Gate_Pass_Picture(pass, page_rect), page_rect, preview, this);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}

void Visitor_Log_Records::Mail_click()
{
    try {
        if (!mailer) return;
        // A folder only this user can enter (QTemporaryDir makes it 0700), so no one
        // else reads the pass or plants another file in its place; it is removed when
        // the mail window has closed.
        QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/Visitor_Details-XXXXXX"));
        if (!folder.isValid()) {
            Show_NSLog_Message(QStringLiteral("No private folder for the mailed pass: ") + folder.errorString());
            Show_MessageBox(Failed_Write_Text(QStringLiteral("Error in file accessing."), folder.errorString()));
            return;
        }
        const QString path = folder.filePath(QStringLiteral("Visitor_Details_%1.pdf").arg(sel_db_id_str));
        if (!writePass(path, File_Link::Replace, passSide(pass, page_rect), false, this)) return;
        mailer(path);
    } catch (const std::exception &e) {
        Show_NSLog_Message(QString::fromUtf8(e.what()));
    }
}
