#pragma once
// The property panels of the card controls: the control tabs of the main window
// (line, shape, text and text style, image, signature, lock). Showing a control puts
// the tabs of its kind after the card's five tabs and fills them from the control;
// each edit the user makes writes that one property through the control's setters
// (so the card redraws what changed) and records one undo snapshot of the side.
#include "GraphicKind.h"
#include "MainWindowLayout.h"
#include "PanelField.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>
#include <vector>

class ColorWell;
class PropertyPanelHost;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSpinBox;
class QTimer;
class QWidget;
class SKTGraphic;

class ControlPanels : public QObject {
    Q_OBJECT
public:
    // Builds the control tabs' pages into the window's tab pages.
    ControlPanels(PropertyPanelHost &host, MainWindowLayout &ui, QObject *parent = nullptr);

    // Shows the tabs of the control's kind filled from it (nullptr: removes the control
    // tabs). Pending edits of the control shown before are written to it first. Does
    // nothing while an edit of the panels is being written.
    void showControl(SKTGraphic *g);
    // The control the panels show, while it is still on one of the sides.
    SKTGraphic *shownControl() const;
    // A control changed, whatever changed it (a row's fill, a photo button): the tabs of
    // the shown control show it again, so that they name the picture it holds and act
    // on it. Text still waiting in the text box keeps the box until it is written.
    void Follow_Control(const SKTGraphic *g);
    // The property tabs of a kind, in their order.
    static std::vector<int> Tabs_For_Kind(GraphicKind kind);

    // Write the panel's values that differ from the shown control into it (the
    // opacities as slider value / 100, rotation and the print flag as whole numbers);
    // with `record`, one undo snapshot follows when anything changed. True when
    // something was written.
    bool Update_Line_Graphics(bool record = true) { return applyTabs({line_tab}, record); }
    bool Update_Shape_Graphics(bool record = true) { return applyTabs({shape_tab}, record); }
    bool Update_Text_Graphics(bool record = true) { return applyTabs({text_edtng_tab, text_prop_tab, Lock_tab}, record); }
    bool Update_Image_Graphics(bool record = true) { return applyTabs({image_tab}, record); }
    // Puts the image panel's transparency, flips, adjustments (neutral) and border back
    // to their defaults, without writing them into any control.
    void Reset_Image_Editing_Controls();
    // True when two or more image controls are selected on the current side; with
    // `showMsg` the user is told to select one ("%@" is the action word).
    bool Check_Multiple_Image_Selection(const QString &action, bool showMsg) const;
    // Gives the shown image control the picture of the path (also as its value).
    void Set_Image_On_Card_Control(const QString &path);
    // The image tab's camera command: with one image control selected, the picture
    // taken with the camera becomes its picture.
    void Open_Camera_Clicked();
    // The image tab's crop command: the cropping window opened directly on the shown
    // image control's picture, series or column; its result becomes the control's
    // picture or binding, as one undo step.
    void Cropping_Selected_Image_clicked();
    // Writes the text box now when its pause has not run out yet.
    void commitPendingEdits();

    // ---- Widgets (for the controller and tests) ----
    struct StrokeWidgets {
        QCheckBox *on = nullptr;  // absent for the line
        ColorWell *color = nullptr;
        QDoubleSpinBox *width = nullptr;
        QComboBox *style = nullptr;
    };
    struct {
        StrokeWidgets stroke;
        QComboBox *cap = nullptr, *orientation = nullptr;
        QSlider *opacity = nullptr;
    } line;
    struct {
        QComboBox *type = nullptr, *doubleStar = nullptr, *polygon = nullptr;
        QDoubleSpinBox *cornerRadius = nullptr;
        QCheckBox *fillOn = nullptr;
        QComboBox *fillKind = nullptr, *hatch = nullptr;
        ColorWell *fillColor = nullptr, *gradient1 = nullptr, *gradient2 = nullptr, *hatchBack = nullptr;
        QSpinBox *gradientAngle = nullptr, *rotation = nullptr;
        QSlider *fillOpacity = nullptr;
        StrokeWidgets stroke;
    } shape;
    struct {
        QPlainTextEdit *value = nullptr;
        QTimer *valuePause = nullptr;  // runs while typed text waits to be written
        QComboBox *family = nullptr, *align = nullptr, *vertical = nullptr, *textCase = nullptr;
        QDoubleSpinBox *size = nullptr, *kerning = nullptr;
        QCheckBox *bold = nullptr, *italic = nullptr;
        ColorWell *color = nullptr;
        QSpinBox *rotation = nullptr;
        QCheckBox *fillOn = nullptr;
        ColorWell *fillColor = nullptr;
        QSlider *fillOpacity = nullptr;
        StrokeWidgets frame;
        QCheckBox *shadowOn = nullptr;
        ColorWell *shadowColor = nullptr;
        QDoubleSpinBox *shadowX = nullptr, *shadowY = nullptr, *shadowBlur = nullptr;
        QSlider *shadowOpacity = nullptr;
    } text;
    struct {
        QLineEdit *path = nullptr;
        QPushButton *browse = nullptr, *library = nullptr, *camera = nullptr, *reset = nullptr;
        QLabel *invalid_source_label = nullptr;
        QPushButton *crop = nullptr;
        QSlider *transparency = nullptr;
        QCheckBox *flipH = nullptr, *flipV = nullptr;
        QCheckBox *grey = nullptr, *sepia = nullptr, *invert = nullptr;
        QDoubleSpinBox *hue = nullptr, *saturation = nullptr, *brightness = nullptr, *contrast = nullptr,
                       *sharpness = nullptr, *exposure = nullptr, *blur = nullptr, *rotation = nullptr;
        StrokeWidgets border;
    } image;
    struct {
        QLabel *kind = nullptr;
        QLineEdit *path = nullptr;
        QPushButton *browse = nullptr;
        StrokeWidgets border;
    } sign;
    struct {
        QPushButton *lockBtn = nullptr, *unlockBtn = nullptr;
        QCheckBox *visible = nullptr, *leaveOutOfPrint = nullptr;
        QLineEdit *controlID = nullptr;
        QWidget *flags = nullptr;
    } lock;
    struct {
        QPushButton *settingsBtn = nullptr;
    } barcode;
    // The body of each control tab's page (disabled for a locked control).
    std::array<QWidget *, 15> pageBody{};

private:
    // The pages, one row table per tab (in ShapeLinePanel.cpp, TextPanel.cpp,
    // ImagePanel.cpp; the lock tab here).
    void buildLineTab();
    void buildShapeTab();
    void buildTextTabs();
    void buildImageTab();
    void buildSignTab();
    void buildLockTab();
    void buildBarcodeTab();
    // Builds a tab's rows into its page and ties each widget to its field; returns the
    // page's boxes.
    std::vector<QGroupBox *> buildTab(int tab, const std::vector<Panel_Row> &rows);
    // The rows of a stroke in a box: the switch (when it has a text), colour, width, style.
    std::vector<Panel_Row> strokeRows(StrokeWidgets &s, const QString &box, const QString &switchText);
    QWidget *body(int tab);

    // Ties a widget to a field and applies the user's edits of it.
    size_t bind(PanelField field);
    void fieldEdited(size_t index, bool record);
    // Writes the field when its widget shows another value; true when written.
    bool writeIfChanged(const PanelField &field, SKTGraphic &g);
    bool applyTabs(const std::vector<int> &tabs, bool record);
    // Runs a change of the shown control: the undo base is made sure of first, one
    // snapshot follows when `record` is set and something changed since the last one.
    // With `refill` the widgets show the control again afterwards.
    bool change(const std::function<bool(SKTGraphic &)> &edit, bool record, bool refill = true);
    void recordPending();
    void load(SKTGraphic &g);
    void updateEnabled();
    void setControlTabs(const std::vector<int> &tabs);
    // 0 front, 1 back, -1 neither (the scratch side).
    int sideOf(const SKTGraphic &g) const;
    // Browse commands of the image and signature pages.
    void browseImage();
    void browseLibraryImage();
    void resetImage();
    void browseSignature();
    void refreshInvalidSource(SKTGraphic &g);

    PropertyPanelHost &m_host;
    MainWindowLayout &m_ui;
    std::vector<PanelField> m_fields;
    std::weak_ptr<SKTGraphic> m_target;
    GraphicKind m_shownKind = GraphicKind::Text;
    bool m_hasShown = false;
    bool m_applying = false;
    bool m_unrecorded = false;
    size_t m_valueField = size_t(-1);      // the text box's field
    QWidget *m_lastControlPage = nullptr;  // the control tab shown last
};
