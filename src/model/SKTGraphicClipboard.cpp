// Controls as clipboard data and back, and the placing of pasted controls.
#include "SKTGraphic.h"

#include "ControlArchiveBytes.h"
#include "Globals.h"
#include "Log.h"
#include "Plist.h"
#include "SKTBarcode.h"
#include "SKTImage.h"

#include <QFileInfo>
#include <exception>

std::vector<KeyedArchive> SKTGraphic::propertiesWithGraphics(const std::vector<GraphicPtr> &graphics)
{
    std::vector<KeyedArchive> archives;
    archives.reserve(graphics.size());
    for (const GraphicPtr &g : graphics)
        if (g) archives.push_back(g->encode());
    return archives;
}

QByteArray SKTGraphic::pasteboardDataWithGraphics(const std::vector<GraphicPtr> &graphics)
{
    return Control_Archives_To_Bytes(propertiesWithGraphics(graphics));
}

std::optional<std::vector<GraphicPtr>> SKTGraphic::graphicsWithPasteboardData(const QByteArray &data, SKTError *error,
                                                                              Card_Mode mode,
                                                                              const std::function<QString()> &newImageID,
                                                                              int photo)
{
    const std::optional<QVariant> root = Plist_From_Bytes(data);
    if (!root || root->metaType().id() != QMetaType::QVariantList) {
        if (error) *error = SKTErrorWithCode(2);
        return std::nullopt;
    }
    return graphicsWithProperties(root->toList(), mode, newImageID, photo);
}

std::vector<GraphicPtr> SKTGraphic::graphicsWithProperties(const QVariantList &archives, Card_Mode mode,
                                                           const std::function<QString()> &newImageID,
                                                           int photo)
{
    const bool visitorOrGroup = Has_Visitor_Panels(mode);
    const bool group = mode == Card_Mode::Group;
    std::vector<GraphicPtr> graphics;
    for (int index = 0; index < archives.size(); ++index) {
        const QVariant &item = archives[index];
        QString reason;
        const std::optional<KeyedArchive> archive = Control_Archive_From_Plist(item, &reason);
        GraphicPtr g = archive ? decode(*archive) : nullptr;
        if (!g) {
            Show_NSLog_Message(QStringLiteral("A pasted control was skipped: %1")
                                   .arg(reason.isEmpty() ? QStringLiteral("unknown class") : reason));
            continue;
        }
        try {
            const QString ownID = g->control_ID;
            g->control_ID = QStringLiteral("");
            g->ctrl_is_locked = false;
            // A pasted barcode is rendered from its own settings.
            if (g->kind() == GraphicKind::Barcode) Render_Barcode(*g);
            if (g->kind() == GraphicKind::Image) {
                if (!g->_file_path.isEmpty() && QFileInfo(g->_file_path).isFile())
                    static_cast<SKTImage &>(*g).setFilePath(g->_file_path, false);
                if (index == photo) {
                    // The photo pasted back is the photo again, under the ID a design
                    // read later knows it by ("Fup_Photo", or none).
                    g->control_ID = ownID;
                    g->Set_Visitor_Photo_Mark(true);
                } else if (visitorOrGroup && newImageID) {
                    g->control_ID = newImageID();
                }
            }
            if (group && (g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image) &&
                g->data_source_type == Data_Source_Spreadsheet) {
                g->Set_Data_source_type(Data_Source_Manual);  // no column, no series
            }
        } catch (const std::exception &e) {
            Show_NSLog_Message(QString::fromUtf8(e.what()));
        }
        graphics.push_back(std::move(g));
    }
    return graphics;
}

void SKTGraphic::Paste_Location_Of_Graphics(const std::vector<GraphicPtr> &graphics, double x, double y,
                                            const std::function<QPointF()> &nextPoint)
{
    bool first = true;
    for (const GraphicPtr &g : graphics) {
        if (!g) continue;
        QPointF origin(x, y);
        if (!first) origin = nextPoint ? nextPoint() : origin;
        first = false;
        if (g->ctrl_is_locked) continue;
        g->setBounds(QRectF(origin, g->bounds().size()));
        if (g->kind() == GraphicKind::Barcode) g->Set_Barcode_image_control_bounds(g->bounds());
    }
}
