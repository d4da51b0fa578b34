#pragma once
// The document: owns the controls of the three card sides (front, back and the
// scratch side used by the profile preview and side copying), each list existing and
// empty from the start, and creates the program's one main window controller.
//
// The front side's property-level undo of the original document is not kept: the
// user's Undo and Redo work on side snapshots held by the main window controller.
#include "SKTGraphicList.h"

#include <QObject>
#include <QSizeF>
#include <functional>
#include <vector>

class SKTDocument : public QObject {
    Q_OBJECT
public:
    explicit SKTDocument(QObject *parent = nullptr);
    ~SKTDocument() override;

    SKTGraphicList &graphics() { return m_graphics; }
    SKTGraphicList &graphics_back() { return m_graphicsBack; }
    SKTGraphicList &graphics_temp() { return m_graphicsTemp; }
    const SKTGraphicList &graphics() const { return m_graphics; }
    const SKTGraphicList &graphics_back() const { return m_graphicsBack; }
    const SKTGraphicList &graphics_temp() const { return m_graphicsTemp; }

    // Front side: inserts the controls so that each ends at its index (indexes taken in
    // ascending order, each after the insertions before it). Refused (false, nothing
    // changed) when the counts differ, an index repeats or is out of range.
    bool insertGraphics(const std::vector<GraphicPtr> &graphics, const std::vector<int> &indexes);
    // Front side: removes the controls at the indexes; refused (false) when one is out
    // of range or repeats.
    bool removeGraphicsAtIndexes(const std::vector<int> &indexes);
    bool insertGraphic(const GraphicPtr &graphic, int index) { return insertGraphics({graphic}, {index}); }
    bool removeGraphicAtIndex(int index) { return removeGraphicsAtIndexes({index}); }
    bool addInGraphics(const GraphicPtr &graphic) { return insertGraphic(graphic, m_graphics.count()); }

    // Undo registration: only a switch here (the design-file reader turns it off while
    // it rebuilds controls).
    void Enable_Disable_Undo_Registraion(bool enable) { m_undoRegistration = enable; }
    bool isUndoRegistrationEnabled() const { return m_undoRegistration; }
    // Removes every front control with registration off, then turns it on again.
    void Clear_All_Undo_Redo();

    // The card's default canvas, 243 x 154 points, when `useDefault`; else `size`.
    static QSizeF canvasSize(bool useDefault, const QSizeF &size);

    // Creates the main window controller through the registered factory: once per
    // process, whatever the document.
    void makeWindowControllers();
    static void setWindowControllerFactory(std::function<void(SKTDocument &)> factory);

private:
    SKTGraphicList m_graphics;
    SKTGraphicList m_graphicsBack;
    SKTGraphicList m_graphicsTemp;
    bool m_undoRegistration = true;
};
