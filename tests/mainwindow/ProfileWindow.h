#pragma once
// The main window as the panel and profile tests use it: set up without the start
// gallery, in visitor mode, front side shown.
#include "Globals.h"
#include "PhotoPictureAdjuster.h"
#include "Profile_Panel.h"
#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTGraphicView.h"
#include "SKTWindowController.h"
#include "ScriptedRunner.h"

#include <QCheckBox>
#include <QLineEdit>

struct ProfileWindow {
    PhotoPictureAdjuster adjuster;
    SKTDocument document;
    testsupport::ScriptedRunner runner;  // answers the windows opened from the main window
    SKTWindowController controller{document, adjuster, nullptr, &runner};
    explicit ProfileWindow(const char *mode = "V")
    {
        controller.awakeFromNib(false);
        document.Start_Card_Option = Card_Mode_Of_Letter(QLatin1String(mode)).value();
        controller.Select_front_side();
    }
    Profile_Panel &fp() { return *Front_Profile_Panel_OBJ; }
    Profile_Panel &bp() { return *Back_Profile_Panel_OBJ; }
    SKTGraphicList &front() { return document.graphics(); }
    SKTGraphicList &back() { return document.graphics_back(); }
    SKTGraphic *onFront(const QString &id) { return controller._graphicView->Selcect_Ctrl_With_ID(id); }
    SKTGraphic *onBack(const QString &id) { return controller._graphicView_BACK->Selcect_Ctrl_With_ID(id); }
    static void type(QLineEdit *box, const QString &text)
    {
        box->setText(text);
        emit box->textEdited(text);
    }
};
