#include "MainWindowLink.h"

#include "Globals.h"
#include "SKTGraphic.h"

#include <QFileInfo>

namespace {

struct StandInLink final : MainWindowLink {
    QFont allTextFont() const override { return Font_With_Name(Text_Ctrl_Font, Text_Ctrl_Font_Size); }
    QColor allTextColor() const override { return QColor::fromRgbF(0, 0, 0, 1); }
};

MainWindowLink *g_link = nullptr;

} // namespace

Picture MainWindowLink::Get_Image_For_Path(const QString &path, bool)
{
    if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
    return Picture::fromFile(path);
}

// Until the adjustment chain is in place the picture passes through as loaded, its
// transparency kept, only mirrored by the control's flips.
Picture MainWindowLink::Get_Image_With_Update_Settings(SKTGraphic *image)
{
    if (!image || image->_contents.isNull()) return {};
    const Picture &loaded = image->_contents;
    if (!image->_isFlippedHorizontally && !image->_isFlippedVertically) return loaded;
    return Picture(loaded.image().mirrored(image->_isFlippedHorizontally, image->_isFlippedVertically), loaded.size());
}

MainWindowLink *Main_Window_Link()
{
    static StandInLink standIn;
    return g_link ? g_link : &standIn;
}

void Set_Main_Window_Link(MainWindowLink *link) { g_link = link; }

QRectF MainWindowLink::frontCardBounds() const { return QRectF(0, 0, 243, 154); }
