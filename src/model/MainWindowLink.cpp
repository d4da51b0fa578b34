#include "MainWindowLink.h"

#include "Globals.h"

namespace {

struct StandInLink final : MainWindowLink {
    QFont allTextFont() const override { return Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size); }
    QColor allTextColor() const override { return QColor::fromRgbF(0, 0, 0, 1); }
};

MainWindowLink *g_link = nullptr;

} // namespace

MainWindowLink *Main_Window_Link()
{
    static StandInLink standIn;
    return g_link ? g_link : &standIn;
}

void Set_Main_Window_Link(MainWindowLink *link) { g_link = link; }

QRectF MainWindowLink::frontCardBounds() const { return QRectF(0, 0, 243, 154); }
