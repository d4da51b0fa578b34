#pragma once
// The card's own property panels: the five card tabs of the main window (card,
// information, size, background, border and watermark). They show a side's
// Card_Property and write it back through the window. Each tab is a table of rows; a
// row of the card's own properties says how the property shows in its widget and how
// the widget's value goes back.
#include "FormRows.h"

#include <QObject>
#include <QVariant>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class Card_Property;
class ColorWell;
class PropertyPanelHost;
struct MainWindowLayout;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QSlider;
class QSpinBox;
class SKTGraphic;

// The longest card side the size fields take in `unit` (0 inch, 1 cm, 2 mm): the model's
// kLargestCardSideMM in that unit, cut to the fields' three decimals.
double Largest_Card_Side_Shown(int unit);

class CardPropertyPanel : public QObject {
    Q_OBJECT
public:
    // Builds the card tabs' pages and the position and size fields into the window.
    CardPropertyPanel(PropertyPanelHost &host, MainWindowLayout &ui, QObject *parent = nullptr);

    void loadFrom(const Card_Property &prop);
    void storeInto(Card_Property &prop) const;

    void setUnitLabels(int unit);
    // Converts the width and height shown from one unit into another.
    void convertShownSize(int fromUnit, int toUnit);
    void showSizeInMM(QSizeF mm);
    // The width and height typed, converted from the unit shown into points.
    QSizeF typedSizeInPoints() const;
    // Shows a control's geometry (nullptr: no control; the fields are disabled).
    void showControlGeometry(SKTGraphic *g);
    void showFillChoice(const QString &code);
    void fillHatchStyles(const QStringList &names);
    void fillBackgrounds(const QStringList &paths);

    // Widgets, for tests and the controller.
    QGroupBox *sizeBox = nullptr;
    QComboBox *Unit_ComboBox = nullptr, *Category_ComboBox = nullptr, *Preset_ComboBox = nullptr;
    QListWidget *ColList = nullptr;
    QDoubleSpinBox *width_Text = nullptr, *height_Text = nullptr;
    QLabel *width_label = nullptr, *height_label = nullptr;
    QLineEdit *Card_Name_Text = nullptr;
    QComboBox *Sides_ComboBox = nullptr, *Shape_ComboBox = nullptr;
    QCheckBox *Card_fill_chk = nullptr;
    QComboBox *Fill_Style_ComboBox = nullptr, *Card_hatch_style = nullptr, *Card_image_layout = nullptr;
    ColorWell *Card_fill_clr = nullptr, *Card_fill_Grd_1_clr = nullptr, *Card_fill_Grd_2_clr = nullptr,
              *Card_hatch_bk_clr = nullptr, *Card_bordr_clr = nullptr, *Watermark_Color = nullptr;
    QSpinBox *Card_grad_Stepper = nullptr, *Card_bor_Stepper = nullptr;
    QSlider *Card_alpha_Slider = nullptr, *Watermark_Transp_Slider = nullptr;
    QListWidget *imageBrowser = nullptr;
    QLineEdit *Card_BG_Path = nullptr;
    QCheckBox *Card_border_chk = nullptr, *Watermark_chk = nullptr;
    QComboBox *Card_border_style = nullptr, *Watermark_Alignment = nullptr;
    QLineEdit *Watermark_Text = nullptr;
    // The current control's position (points) and size (the chosen unit).
    QGroupBox *geometryBox = nullptr;
    QDoubleSpinBox *X_Text = nullptr, *Y_Text = nullptr, *Ctrl_Width_Text = nullptr, *Ctrl_Height_Text = nullptr;
    QLabel *ctrl_width_label = nullptr, *ctrl_height_label = nullptr;

private:
    // One row of a card tab: its widget and, when it shows a card property, how.
    struct Card_Row {
        Form_Row form;
        std::function<QVariant(const Card_Property &)> shown{};
        std::function<void(Card_Property &, const QVariant &)> store{};
        bool notify = false;  // an edit of the widget applies the panel to the card
    };
    void buildTab(int tab, const std::vector<Card_Row> &rows);
    void buildCardTab();
    void buildSizeTab();
    void buildBackgroundTab();
    void buildBorderTab();
    void buildGeometryBox();
    void geometryTyped();
    bool shownControlAlive() const;
    void changed();
    void presetChosen();
    void applyTypedSize();
    void chooseBackground(const QString &path);

    PropertyPanelHost &m_host;
    MainWindowLayout &m_ui;
    // The widgets of the rows that show card properties, with their rows.
    std::vector<std::pair<QWidget *, Card_Row>> m_bound;
    QString m_bgPath;
    // The control shown, held weakly: a control deleted or rebuilt by undo is never
    // written through the fields, even if a new one takes its address.
    std::weak_ptr<SKTGraphic> m_shownControl;
};
