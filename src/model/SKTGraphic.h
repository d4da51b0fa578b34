#pragma once
// SKTGraphic: the base of every card control. One class carries the fields of every
// kind (geometry, flags, fill and stroke, image adjustments, binding, text, shape,
// barcode and shadow settings); the exact kind decides what is drawn, archived and
// observed.
//
// Fields are plain public members under their own names, so that panels, binding and
// design-file code can read them directly. A write that can change what the control
// draws goes through a setter (the named ones below, or setField for any member),
// which reports the change to the control's owner with the drawing bounds before and
// after; writes of pure data (IDs, bindings) may be plain.
//
// Every field is listed once in the field table (GraphicFields.h), which drives the
// defaults, copy(), the control archive and generic access by name.
#include "CardModes.h"
#include "DrawContext.h"
#include "GraphicKind.h"
#include "KeyedArchive.h"
#include "Picture.h"
#include "SKTError.h"
#include "TextRecord.h"

#include <QColor>
#include <QPainterPath>
#include <QFont>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <type_traits>
#include <vector>

class QCursor;
class QPainter;

class SKTGraphic;
using GraphicPtr = std::shared_ptr<SKTGraphic>;

// What holds a control (a side's list) and wants to hear when its drawing changes.
// `oldDrawingBounds` and `newDrawingBounds` are drawingBounds() before and after the
// change: the areas to repaint.
class GraphicOwner {
public:
    virtual ~GraphicOwner() = default;
    virtual void graphicDidChange(SKTGraphic &g, const QRectF &oldDrawingBounds, const QRectF &newDrawingBounds) = 0;
    // Whether graphicDidChange wants the drawing bounds (a text's lay its text out).
    virtual bool observesDrawing() const { return true; }
    // The card the control lies on, from (0, 0), in points.
    virtual QRectF cardBounds() const { return kDefaultCardBounds; }
    static inline const QRectF kDefaultCardBounds{0, 0, 243, 154};
};

// Property keys of the properties dictionary and of the observed-key lists.
extern const QString SKTGraphicIsDrawingFillKey;    // "drawingFill"
extern const QString SKTGraphicFillColorKey;        // "fillColor"
extern const QString SKTGraphicIsDrawingStrokeKey;  // "drawingStroke"
extern const QString SKTGraphicStrokeColorKey;      // "strokeColor"
extern const QString SKTGraphicStrokeWidthKey;      // "strokeWidth"
extern const QString SKTGraphicBoundsKey;           // "bounds"
extern const QString SKTGraphicDrawingBoundsKey;    // "drawingBounds"
extern const QString SKTGraphicDrawingContentsKey;  // "drawingContents"

// Whether a properties-dictionary value is a number (or a flag).
bool Is_Number_Variant(const QVariant &v);

constexpr double SKTGraphicHandleWidth = 8.0;
constexpr double SKTGraphicHandleHalfWidth = 4.0;

// Where a control's value comes from; the number is what a design file stores.
enum Data_Source_Kind : int { Data_Source_Manual = 0, Data_Source_Series = 1, Data_Source_Spreadsheet = 2 };

class SKTGraphic {
public:
    virtual ~SKTGraphic() = default;
    SKTGraphic(const SKTGraphic &) = delete;
    SKTGraphic &operator=(const SKTGraphic &) = delete;

    // A new control of the kind with the defaults of its kind; `blank` leaves every
    // field zero, false or empty instead (the start of reading an archive).
    static GraphicPtr create(GraphicKind kind, bool blank = false);

    GraphicKind kind() const { return m_kind; }
    QString className() const { return Graphic_Class_Name(m_kind); }

    GraphicOwner *owner() const { return m_owner; }
    void setOwner(GraphicOwner *owner) { m_owner = owner; }
    // The card of the side that holds the control (the default card when none does).
    QRectF cardBounds() const { return m_owner ? m_owner->cardBounds() : GraphicOwner::kDefaultCardBounds; }

    // ---- Geometry ----
    QRectF bounds() const { return _bounds; }
    virtual void setBounds(const QRectF &bounds);
    double xPosition() const { return _bounds.x(); }
    double yPosition() const { return _bounds.y(); }
    double width() const { return _bounds.width(); }
    double height() const { return _bounds.height(); }
    void setXPosition(double x);
    void setYPosition(double y);
    void setWidth(double w);
    void setHeight(double h);
    // The area that drawing the control and its handles may touch.
    virtual QRectF drawingBounds() const;

    // ---- Fill and stroke ----
    virtual bool isDrawingFill() const { return _isDrawingFill; }
    virtual bool isDrawingStroke() const { return _isDrawingStroke; }
    virtual bool canSetDrawingFill() const { return true; }
    virtual bool canSetDrawingStroke() const { return true; }
    void setDrawingFill(bool on) { setField(&SKTGraphic::_isDrawingFill, on); }
    void setDrawingStroke(bool on) { setField(&SKTGraphic::_isDrawingStroke, on); }
    void setFillColor(const QColor &c) { setField(&SKTGraphic::_fillColor, c); }
    void setStrokeColor(const QColor &c) { setField(&SKTGraphic::_strokeColor, c); }
    void setStrokeWidth(double w) { setField(&SKTGraphic::_strokeWidth, w); }
    // The stored colour with its alpha replaced by alpha_val (alpha_val_stroke for the
    // stroke), clamped to 0..1; the result is stored back. An unset colour stays unset.
    QColor fillColor();
    QColor strokeColor();
    QColor fill_hatch_bk_clr();
    double strokeWidth() const { return _strokeWidth; }
    QString strokeBorderType() const { return _stroke_border_type; }
    QString fill_type() const { return _fill_type; }
    QString fill_hatch_type() const { return _fill_hatch_type; }
    QColor fill_Grad_clr1() const { return _fill_Grad_clr1; }
    QColor fill_Grad_clr2() const { return _fill_Grad_clr2; }
    double fill_grad_angle() const { return _fill_grad_angle; }
    // The colour panel's action: switches fill on and sets the fill colour when the
    // kind allows a fill; the line overrides it to colour its stroke.
    virtual void setColor(const QColor &color);

    // ---- Plain accessors ----
    void Set_Ctrl_Is_Visible(bool v) { setField(&SKTGraphic::ctrl_is_visible, v); }
    bool Is_Control_Locked() const { return ctrl_is_locked; }
    void Set_Barcode_image_control_bounds(const QRectF &r) { bar_image_ctrl_bounds = r; }
    QString Get_shape_type() const { return _shape_type; }
    void Set_Shape_Type(const QString &t) { setField(&SKTGraphic::_shape_type, t); }
    std::optional<QFont> Text_Font_value() const { return text_ctrl_font; }
    QColor Text_Color_Value() const { return txt_clr; }
    int Get_Line_Ori() const { return _line_ori; }
    int Get_Line_Cap_Style() const { return _line_cap_style; }
    void Set_Batch_List_Name(const QString &n) { batch_list_name = n; }
    QString batch_list_name_val() const { return batch_list_name; }
    void Set_Batch_List_Index(int i) { batch_list_index = i; }
    int batch_list_index_val() const { return batch_list_index; }
    int data_source_type_val() const { return data_source_type; }
    void Set_Excel_binding(bool b) { excel_binding = b; }
    void Set_Excel_binding_Index(int i) { excel_col_indx = i; }
    virtual void setFlippedHorizontally(bool f) { setField(&SKTGraphic::_isFlippedHorizontally, f); }
    virtual void setFlippedVertically(bool f) { setField(&SKTGraphic::_isFlippedVertically, f); }
    QString Sign_Or_FP_Val() const { return sign_or_fingureprint; }
    void Set_Sign_Or_FP(const QString &s) { setField(&SKTGraphic::sign_or_fingureprint, s); }
    void Set_Control_File_path(const QString &p) { setField(&SKTGraphic::_file_path, p); }
    QString FilePath() const { return _file_path; }
    double Get_Image_Trnsp_val() const { return img_trnsp_val; }
    double Get_Hue_val() const { return hue_val; }

    // ---- Accessors that do more ----
    // The rich text, made on first request from Text_Value in black at the default
    // text font (Text_Ctrl_Font at Text_Ctrl_Font_Size).
    TextRecord &Text_contents();
    // Stores the value and, when the rich text exists, replaces its text keeping its
    // font and colour.
    void Set_text_value(const QString &value);
    // Stores the rendered barcode and sizes the control to it (through setWidth and
    // setHeight).
    void Set_Barcode_image(const Picture &image);
    // Stores the data source type and resets the other binding fields to match.
    void Set_Data_source_type(int type);

    // ---- The visitor's photo ----
    // Whether the control is its side's visitor photo (SKTDocument::Visitor_Photo). A
    // mark of the open design, not of the control: archives, copies and pastes leave it
    // out. Setting it is a change of the control, so the panels hear of it.
    bool Is_Visitor_Photo() const { return m_visitorPhoto; }
    void Set_Visitor_Photo_Mark(bool mark);

    // ---- Copy, properties dictionary, archive ----
    // A fresh default control of the same kind carrying the fields that copy carries
    // (bounds, fill, stroke, binding and text value; the line and image add theirs).
    GraphicPtr copy() const;
    virtual QVariantMap properties();
    // Takes the properties of the dictionary into this (freshly created) control;
    // entries that are missing or of the wrong type leave the field as it is.
    virtual void initWithProperties(const QVariantMap &properties);
    static GraphicPtr createWithProperties(GraphicKind kind, const QVariantMap &properties);
    // The control archive. When nothing archived has changed since the last call, the
    // archive of that call comes back (sharing its entries), so consecutive undo
    // snapshots share the archives of the controls that did not change.
    KeyedArchive encode() const;
    // The control of the archive's class, from a blank object; nullptr for an archive
    // of an unknown class.
    static GraphicPtr decode(const KeyedArchive &archive);

    // ---- Drawing, handles, hit-testing and resizing ----
    // Handle numbers: 1 upper-left, 2 upper-middle, 3 upper-right, 4 middle-left,
    // 5 middle-right, 6 lower-left, 7 lower-middle, 8 lower-right; 0 none.
    static constexpr int SKTGraphicNoHandle = 0;

    // Draws the control's contents in card coordinates (points, y down). Drawing never
    // asks for a repaint, and reads nothing process-wide: what it needs besides the
    // control comes in `context`. The base draws nothing.
    virtual void drawContentsInView(QPainter &painter, bool isBeingCreateOrEdited, const DrawContext &context);
    // The outline of the control (line and shape); the base has none (empty path).
    virtual QPainterPath bezierPathForDrawing() const;
    // The bounds as a path turned by text_rotation about the bounds' centre.
    QPainterPath Rotated_Control_Path() const;
    // The rectangle the handles sit on: the bounds (a text control: the upright
    // rectangle around its rotated bounds).
    virtual QRectF handleFrame() const;
    virtual void drawHandlesInView(QPainter &painter, bool locked) const;
    static void drawHandleInView(QPainter &painter, QPointF point, bool locked);
    virtual bool canMakeNaturalSize() const;
    virtual bool isContentsUnderPoint(QPointF point) const;
    virtual int handleUnderPoint(QPointF point) const;
    static bool isHandleAtPoint(QPointF handlePoint, QPointF point);
    // Half-open point-in-rectangle test: the right and bottom edges are outside.
    static bool pointInRect(QPointF point, const QRectF &rect);
    // Moves the handle to the point; returns the handle under the mouse afterwards.
    virtual int resizeByMovingHandle(int handle, QPointF point);
    virtual void flipHorizontally() {}
    virtual void flipVertically() {}
    // The size of the whole card (the front card view's bounds), from its top-left corner.
    void makeSameAsLabelSize();
    virtual void makeNaturalSize();
    // The cursor shown while a control is being created: the "Cross" picture of the
    // resources with its hot spot at the centre, made once.
    static QCursor creationCursor();
    // The handle dragged while the control is created by dragging (8; the line: its end).
    virtual int creationSizingHandle() const { return 8; }

    // Moves the controls by (dx, dy): a locked control stays, and a control moves only
    // when its moved bounds still meet the card (the front card view's bounds).
    static void translateGraphics(const std::vector<SKTGraphic *> &graphics, double dx, double dy);

    static QRectF boundsOfGraphics(const std::vector<GraphicPtr> &graphics);
    // The union of the drawing bounds; the whole card for an empty list.
    static QRectF drawingBoundsOfGraphics(const std::vector<GraphicPtr> &graphics);

    // ---- Clipboard data (SKTGraphicClipboard.cpp) ----
    // One control archive per control, in order.
    static std::vector<KeyedArchive> propertiesWithGraphics(const std::vector<GraphicPtr> &graphics);
    // The clipboard's private data: the archives' byte form (a binary property list
    // whose root is an array with one archive per control).
    static QByteArray pasteboardDataWithGraphics(const std::vector<GraphicPtr> &graphics);
    // The controls of the clipboard's private data, made fresh for pasting (see
    // graphicsWithProperties). Data whose root is not an array gives nullopt and, when
    // asked, the error of code 2. `mode` is the design's mode; `newImageID`
    // names pasted image controls in visitor and group mode; `photo` as for
    // graphicsWithProperties.
    static std::optional<std::vector<GraphicPtr>> graphicsWithPasteboardData(const QByteArray &data,
                                                                             SKTError *error, Card_Mode mode,
                                                                             const std::function<QString()> &newImageID,
                                                                             int photo = -1);
    // Reads each archive, skipping those that do not read back, and makes each control
    // fresh for pasting: no control ID, unlocked; an image reloads its picture from its
    // file when that exists and, in visitor or group mode, takes a new ID from
    // `newImageID`; in group mode a text or image control bound to a spreadsheet
    // column loses the binding. The image of archive `photo` (-1: none) is pasted as
    // the visitor's photo it was: it keeps its own ID and carries the photo mark.
    static std::vector<GraphicPtr> graphicsWithProperties(const QVariantList &archives, Card_Mode mode,
                                                          const std::function<QString()> &newImageID,
                                                          int photo = -1);
    // Places pasted controls: the first one's origin goes to (x, y), each later one's to
    // the next point that `nextPoint` gives; sizes stay, locked controls are skipped
    // and barcodes' picture frames follow.
    static void Paste_Location_Of_Graphics(const std::vector<GraphicPtr> &graphics, double x, double y,
                                           const std::function<QPointF()> &nextPoint);

    // ---- Observed keys ----
    virtual QStringList keysForValuesToObserveForUndo() const;
    static QStringList keyPathsForValuesAffectingDrawingBounds();
    static QStringList keyPathsForValuesAffectingDrawingContents();
    virtual QStringList drawingContentsKeys() const { return keyPathsForValuesAffectingDrawingContents(); }

    // Writes a member and reports the change when the value differs. For members of a
    // subclass pass the subclass's member pointer (the object must be of that class).
    template <class T, class C> void setField(T C::*member, const std::type_identity_t<T> &value)
    {
        T &ref = static_cast<C &>(*this).*member;
        if (ref == value) return;
        ChangeScope scope(*this);
        ref = value;
    }

    // Groups changes: the owner hears once, when the outermost scope ends, with the
    // drawing bounds from before the first change.
    class ChangeScope {
    public:
        explicit ChangeScope(SKTGraphic &g);
        ~ChangeScope();
        ChangeScope(const ChangeScope &) = delete;
        ChangeScope &operator=(const ChangeScope &) = delete;

    private:
        SKTGraphic &m_g;
    };

    // ---- Fields, in declaration order ----
    bool _boundsBeingChangedToMatchContents{};
    QRectF _bounds;
    bool _isDrawingFill{};
    QColor _fillColor;
    bool _isDrawingStroke{};
    QColor _strokeColor;
    double _strokeWidth{};
    QString _stroke_border_type;
    QString _fill_type;
    QColor _fill_Grad_clr1;
    QColor _fill_Grad_clr2;
    double _fill_grad_angle{};
    QColor _fill_htch_clr;
    QString _fill_hatch_type;
    bool _isFlippedHorizontally{};
    bool _isFlippedVertically{};
    bool invert_clr{};
    bool gray_Scale{};
    bool Sepia{};
    float img_trnsp_val{};
    float hue_val{};
    float sat_val{};
    float brt_val{};
    float con_val{};
    float srp_val{};
    float ev_val{};
    float blr_val{};
    int data_source_type{};
    QString batch_list_name;
    int batch_list_index{};
    float rotate_image{};
    QString _file_path;
    QString sign_or_fingureprint;
    int _line_ori{};
    int _line_cap_style{};
    float cor_rad_val{};
    float alpha_val{};
    float alpha_val_stroke{};
    std::optional<QFont> text_ctrl_font;
    QColor txt_clr;
    std::optional<TextRecord> _Text_contents;
    QString _shape_type;
    QRectF bar_image_ctrl_bounds;
    Picture _barcode_image;
    int linear_or_2d{};
    int barcode_font_index{};
    QString linear_font_val;
    QString two_d_font_val;
    QString header_val;
    QString footer_val;
    int show_hide_hdr{};
    int show_hide_ftr{};
    int show_hide_val{};
    int show_val_on_top{};
    int align_hdr_index{};
    int align_ftr_index{};
    float linear_height_val{};
    float linear_width_val{};
    int qr_size_val{};
    int qr_version_index{};
    int qr_ec_index{};
    int pdf_hgt_val{};
    int pdf_wdt_val{};
    int pdf_ec_val{};
    int dm_module_val{};
    int dm_format_index{};
    int dm_encoding_index{};
    float hdr_margin_val{};
    float ftr_margin_val{};
    float val_margin_val{};
    float TB_marging_val{};
    float LR_margin_val{};
    std::optional<QFont> value_font_val;
    std::optional<QFont> header_font_val;
    std::optional<QFont> footer_font_val;
    QColor barcode_hdr_clr_val;
    QColor barcode_ftr_clr_val;
    QColor barcode_val_clr_val;
    QColor barcode_back_clr_val;
    QColor barcode_clr_val;
    int dpi_val_index{};
    QString dpi_custom_val;
    int barcode_unit_val{};
    bool ctrl_is_locked{};
    int text_alignmnet{};
    int text_alignmnet_Vert{};
    int text_transfrom_case{};
    float text_kerning{};
    int print_object{};
    QString control_ID;
    bool excel_binding{};
    int excel_col_indx{};
    QString Text_Value;
    bool ctrl_is_visible{};
    int double_star_type{};
    int polygon_type{};
    bool Drawing_Shadow{};
    QColor Shadow_Color;
    float Shadow_offset_X{};
    float Shadow_offset_Y{};
    float Shadow_blur{};
    float Shadow_transparency{};
    int text_rotation{};
    Picture _contents;
    Picture _contents_with_settings;

protected:
    explicit SKTGraphic(GraphicKind kind) : m_kind(kind) {}
private:
    friend class ChangeScope;
    GraphicKind m_kind;
    GraphicOwner *m_owner = nullptr;
    int m_changeDepth = 0;
    // The last archive made by encode(), which may run on any thread.
    mutable std::mutex m_archiveMutex;
    mutable KeyedArchive m_lastArchive;
    QRectF m_changeOldBounds;
    bool m_visitorPhoto = false;
};

// Stored geometry that readers accept: every coordinate finite and within
// kLargestStoredCoordinate points of the card's origin, sizes not negative. Anything
// else would make a control (or the card) vanish or overflow the drawing.
constexpr double kLargestStoredCoordinate = 1e6;
bool Is_Sound_Stored_Geometry(const QRectF &bounds);

// Stored picture adjustment values (hue_val ... rotate_image, img_trnsp_val) that
// readers accept: finite and at most kLargestStoredAdjustment from zero. Within that the
// adjustment chain takes any value, treating one outside its range as the nearest bound.
constexpr double kLargestStoredAdjustment = 1e6;
bool Is_Adjustment_Key(const QString &key);
bool Is_Sound_Stored_Adjustment(double value);
