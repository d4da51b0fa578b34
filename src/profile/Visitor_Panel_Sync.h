#pragma once
// The card read back into the visitor entry panels: after a design or template was
// read, after undo and redo, on lock changes, and when a control is selected or
// deleted on the card. Also the sample layout that places new profile controls.
#include "Picture.h"

#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>


class Profile_Panel;
class QCheckBox;
class QLineEdit;
class SKTDocument;
class SKTGraphic;
class SKTGraphicList;

// Where a new profile control stands on a card of the given size (the orientation of
// the front side picks the sample layout), in card view coordinates.
QRectF Visitor_Sample_Rect(QSizeF card, const QString &ctrl_id);

class Visitor_Panel_Sync {
public:
    // `document`: the open design, whose mode and current side decide what is read and
    // into which panel. It outlives the object.
    explicit Visitor_Panel_Sync(const SKTDocument &document) : m_document(document) {}

    // The value or caption box and its check box of the control ID in the panel of the
    // current side (fixed fields and user-added rows); nullptr when there is none.
    QLineEdit *Text_Box(const QString &ctrl_id) const;
    QCheckBox *Chk_Box(const QString &ctrl_id) const;

    // How a read of a side treats its shown date and time: unless typed by hand the
    // visit's own (the moment of the read) when a design or template was read; a refresh
    // of the same design (a side copied onto the other) keeps what the card holds.
    enum class Visit_Time { Stamped, Kept };
    // The side's visible text and photo controls into the panel of the side.
    void Load_Side(Profile_Panel *panel, const SKTGraphicList *controls, Visit_Time time = Visit_Time::Stamped) const;
    // A control selected on the card: its box and check box follow its lock, a picture
    // shows in the photo box unless it is another picture than the side's photo without
    // an ID (a logo); returns the box to focus (nullptr when none). What the box shows
    // so is never what a record stores: that is the side's photo (Photo_Box_Follows).
    QLineEdit *Control_Selected(SKTGraphic &g) const;
    // A control about to be deleted from the card (still on its side): its boxes
    // unticked and closed; the photo box emptied only when it is the side's photo.
    void Control_Deleted(const SKTGraphic &g) const;
    // After undo or redo: the panel's rows and photo anew, then each control's box
    // (a photo row's path and picture as Follow_Control gives them), then the locks.
    // The clerk's Manual ticks stay, and the boxes of `textHere` (the restored state's,
    // SideSnapshot) hold the words "Text here" again before the controls are read.
    void Refresh_After_Undo(const QStringList &textHere = {}) const;
    void Show_Control_After_Undo(const SKTGraphic &g) const;
    // Every box of the current side's panel follows its control's lock.
    void Follow_Locks(const SKTGraphicList &controls) const;

    // The panels are a view of the card's profile controls: a changed control of the
    // front or back, whatever changed it, brings the boxes of its ID in the panel of
    // its side in step (the show box, and the text while the control is shown; the
    // photo box for the side's photo; a photo row's box and well), in visitor and group
    // mode. Boxes are set, not edited: nothing goes back to the card and no undo step is
    // recorded. An empty box stays empty over the card's "Text here"; a text's box is
    // read-only while its control is hidden or shows the row's number. A photo row's box
    // names the control's file path; a stand-in picture is nobody's photo, so the photo
    // box stays empty for it.
    void Follow_Control(const SKTGraphic &g) const;
    // Every profile control of both sides, as Follow_Control, and each side's photo box
    // as Photo_Box_Follows gives it.
    void Follow_Card() const;
    // The photo box of the side's panel shows the side's photo (SKTDocument::
    // Visitor_Photo): its path and picture, or nothing when the side has none or its
    // photo shows a stand-in.
    void Photo_Box_Follows(int side) const;

private:
    QLineEdit *Text_Box_Of_Side(int side, const QString &ctrl_id) const;
    // The side (0 front, 1 back) that holds the control; -1 for the scratch side.
    int Side_Holding(const SKTGraphic &g) const;
    // Whether the control is its side's photo.
    bool Is_Side_Photo(const SKTGraphic &g) const;
    // Whether the control shows the row's number: in group mode a text bound to column
    // 0 ("S.No."), which no row's save stores, so its box takes no typing.
    bool Shows_Row_Number(const SKTGraphic &g) const;
    void Follow_Text(Profile_Panel &panel, const SKTGraphic &g, const QString &id) const;
    void Follow_Picture(Profile_Panel &panel, const SKTGraphic &g, const QString &id) const;

    const SKTDocument &m_document;
};
