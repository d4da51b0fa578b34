// The Export Card command: one card, the front, the back or both, to picture or PDF
// files chosen in a save panel.
#include "Dialogs.h"
#include "Export_Card_Dialog.h"
#include "Export_File_Writer.h"
#include "Globals.h"
#include "MessageBox.h"
#include "SKTGraphicList.h"
#include "SKTWindowController.h"

#include <QFileInfo>
#include <QMainWindow>

void SKTWindowController::Export_Card_Clicked()
{
    Export_Card_Dialog dialog(document.Front_card_Prop.Card_Side() != QLatin1String("1"), ui.window);
    if (dialog.exec() != QDialog::Accepted) return;
    Export_Card(dialog.options());
}

bool SKTWindowController::Export_Card(const Export_Card_Options &options)
{
    for (;;) {
        FilePanelRequest request;
        request.kind = FilePanelRequest::SaveFile;
        request.title = tr("Export Card");
        request.suggestedName = QStringLiteral("Card_%1.%2").arg(export_card_counter).arg(options.extension);
        request.extensions = {options.extension};
        const QStringList chosen = Run_File_Panel(request);
        if (chosen.isEmpty()) return false;
        QString path = chosen.first();
        if (QFileInfo(path).suffix().compare(options.extension, Qt::CaseInsensitive) != 0)
            path += u'.' + options.extension;
        // The files this export would write; the first one taken is asked about.
        QString taken;
        for (const QString &target : Export_Target_Paths(path, options.layout))
            if (taken.isEmpty() && QFileInfo::exists(target)) taken = target;
        if (!taken.isEmpty()
            && Show_YES_NO_MessageBox(QFileInfo(taken).completeBaseName()
                                      + QStringLiteral(" already exists. Do you want to replace it?"))
                   != 1) {
            ++export_card_counter;
            continue;
        }
        ++export_card_counter;
        if (ui.window) ui.window->raise();
        return Export_Single_File(path, options.layout, true);
    }
}

bool SKTWindowController::Export_Single_File(const QString &path, Export_Layout layout, bool show_msg)
{
    const QRectF frame = frontCardBounds();
    const RenderResources resources = Application_Render_Resources(pictureAdjuster);
    const Export_Side front{Get_Front_Controls_Array().items(), &document.Front_card_Prop, frame, resources};
    const Export_Side back{Get_Back_Controls_Array().items(), &document.Back_card_Prop, frame, resources};
    QStringList written;
    QString error;
    if (!Write_Export_Files(path, layout, front, back, &written, &error)) {
        if (show_msg) Show_MessageBox(error);
        return false;
    }
    if (!show_msg) return true;
    const bool combined = layout == Export_Layout::Combined_Side_By_Side || layout == Export_Layout::Combined_Above;
    const QString message = combined ? QStringLiteral("Card has been exported successfully.")
                                     : QStringLiteral("File has been exported successfully.");
    // The front (or the one file) is offered; the back file of a pair goes with it.
    const QString shown = written.last();
    if (Show_YES_NO_MessageBox(message + QStringLiteral("\n\n") + shown + QStringLiteral("\n\nOpen exported file?")) == 1) {
        for (auto it = written.crbegin(); it != written.crend(); ++it)
            if (QFileInfo::exists(*it)) Open_With_Default_Application(*it);
    }
    return true;
}
