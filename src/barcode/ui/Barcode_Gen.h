#pragma once
// The barcode settings window: edits a copy of one barcode control's settings and data
// binding with a live preview rendered by the barcode engine, and hands the copy back
// on OK.
#include "BarcodeEngine.h"

#include <QDialog>
#include <functional>
#include <optional>

class ColorWell;
class Modal_Runner;
class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QScrollArea;
class QSpinBox;
class QTabWidget;
class QWidget;

// Where a barcode's value comes from: 0 typed, 1 a series, 2 a spreadsheet column.
struct Barcode_Binding {
    int data_source_type = 0;
    QString batch_list_name;
    int batch_list_index = -1;
    int excel_col_indx = -1;
    // The source, with the other bindings reset as the control's setter resets them.
    void setSource(int type);
    bool operator==(const Barcode_Binding &) const = default;
};

// What the window edits: the control's barcode settings and its binding.
struct Barcode_Edit {
    Barcode_Settings settings;
    Barcode_Binding binding;
};

// The series and spreadsheet the design offers a barcode's value from.
class Barcode_Data_Source {
public:
    virtual ~Barcode_Data_Source() = default;
    virtual bool visitorMode() const = 0;       // visitor mode: typed values only
    virtual bool spreadsheetBound() const = 0;  // a spreadsheet is bound to the design
    virtual QStringList seriesNames() const = 0;
    virtual QStringList columnTitles() const = 0;
    virtual QString firstSeriesValue(const QString &name) const = 0;
    // The cell a barcode bound to the column shows: the current row's in group mode.
    virtual QString columnValueShown(int index) const = 0;
    virtual void viewSeries(const QString &name) = 0;
    virtual void viewSpreadsheetRows() = 0;
};

class Barcode_Gen : public QDialog {
    Q_OBJECT
public:
    // Shows a help button's title and text; by default a message box.
    using Help_Presenter = std::function<void(const QString &title, const QString &text)>;

    // runner: runs the window (null: exec()).
    explicit Barcode_Gen(QWidget *parent = nullptr, Help_Presenter helpPresenter = {}, Modal_Runner *runner = nullptr);

    void setDataSource(Barcode_Data_Source *source) { m_source = source; }
    // Fills the data-source list for the design's mode, loads the copy, renders the
    // preview and runs the window: the edited copy on OK, none on Cancel.
    std::optional<Barcode_Edit> Open_Wnd(const Barcode_Edit &edit);

    // The data-source list for the mode ("Manual"; "Series"; "Excel" when bound).
    void Fill_Data_Source_List();
    // Loads every element from the copy; the preview waits until the load is done.
    void Set_Barcode_Prop_To_Control(const Barcode_Edit &edit);
    // The copy as the elements show it.
    Barcode_Edit current() const;
    // The last preview picture (none when the value gives no barcode).
    const Picture &preview() const { return m_preview; }
    bool isTwoD() const { return m_twoD; }

    // Sizes the window for a screen's available area: as large as its pages ask, as far
    // as the area goes less a window frame; beyond that the option pages scroll.
    void Fit_To_Screen(const QSize &available);

    // The value is one the window draws and OK takes: not blank and, when typed, ASCII.
    bool valueAccepted() const;
    // Validates the value and the data source (messages when asked) .
    bool Check_And_Validat_Barcode(bool showMessages);
    // OK: validates and ends the run with 1; stays open on a fault.
    void OK_Btn_Clicked();

    // Help buttons, in the order of Help_Texts().
    static QList<QPair<QString, QString>> Help_Texts();

    // ---- Elements ----
    QComboBox *barcodeTypePopup = nullptr;
    QLineEdit *dataText = nullptr, *HeaderText = nullptr, *FooterText = nullptr;
    QPlainTextEdit *dataText_2D = nullptr;
    QLabel *barcodeImage = nullptr, *barcode_error_label = nullptr;
    QScrollArea *image_scroll = nullptr;
    QTabWidget *sett_tab = nullptr;
    QWidget *dpi_tab_item = nullptr;
    QGroupBox *linear_sett_box = nullptr, *two_d_sett_box = nullptr, *pdf_2d_sett_box = nullptr,
              *dm_2d_sett_box = nullptr;
    QDoubleSpinBox *HeightText = nullptr, *widthText = nullptr;
    QDoubleSpinBox *val_mar_Text = nullptr, *hdr_mar_Text = nullptr, *ftr_mar_Text = nullptr, *TB_mar_Text = nullptr,
                   *LR_mar_Text = nullptr;
    QCheckBox *captionCheckbox = nullptr, *showinTopCheckbox = nullptr, *hideHeaderCheckbox = nullptr,
              *hideFooterCheckbox = nullptr, *kerning_value_Checkbox = nullptr, *transparent_bkgnd = nullptr;
    QComboBox *align_hdr_combo = nullptr, *align_ftr_combo = nullptr;
    QLabel *value_font_value = nullptr, *header_font_value = nullptr, *footer_font_value = nullptr;
    QPushButton *val_font_btn = nullptr, *header_font_btn = nullptr, *footer_font_btn = nullptr;
    ColorWell *barcode_clr = nullptr, *bar_back_clr = nullptr, *bar_val_clr = nullptr, *bar_hdr_clr = nullptr,
              *bar_ftr_clr = nullptr;
    QLabel *bar_back_label = nullptr;  // "Background :", enabled with its well
    QSpinBox *HeightText_2D = nullptr;
    QComboBox *qr_version_ComboBox = nullptr, *qr_ec_lvl_ComboBox = nullptr;
    QSpinBox *pdf_HeightText_2D = nullptr, *Pdf_widthText_2D = nullptr, *pdf_ec_lvl_Text = nullptr;
    QSpinBox *dm_widthText_2D = nullptr, *dm_HeightText_2D = nullptr, *dm_moduleText_2D = nullptr;
    QComboBox *dm_format_ComboBox = nullptr, *dm_encoding_ComboBox = nullptr;
    QComboBox *DPI_ComboBox = nullptr;
    QSpinBox *dpi_Text = nullptr;
    QComboBox *Data_source_type = nullptr, *Batch_Series = nullptr;
    QLabel *series_label = nullptr;
    QPushButton *view_series_btn = nullptr, *ok_btn = nullptr, *cancel_btn = nullptr;
    std::vector<QPushButton *> help_buttons;

    // ---- Handlers ----
    void barcodeTypeChanged();
    void textChanged(QWidget *sender);
    void Transparent_Bkngd_Clicked();
    void qrVersionChanged();
    void data_matrix_barcode_size_acc_format();
    void dpiChoiceChanged();
    void dataSourceChanged();
    void seriesChosen();
    void View_batch_Series_Button();
    void goButtonActionPerformed();
    void Set_Blank_Image();

private:
    // The background well and its label, off while the background is transparent.
    void enableBackground(bool on);
    Modal_Runner *const m_runner;  // runs the window (null: exec())
    Help_Presenter m_helpPresenter;
    QWidget *makeTexts();
    QWidget *makeSymbolTab();
    QWidget *makeTextTab();
    QWidget *makeResolutionTab();
    QWidget *makeSourceBox();
    void wire();
    void showOptionSet();
    void chooseFont(QFont &font, QLabel *display);
    void showFont(const QFont &font, QLabel *display);
    QString currentValue() const;
    void setValueBoxesReadOnly(bool readOnly);

    Barcode_Data_Source *m_source = nullptr;
    Barcode_Binding m_binding;
    QFont m_value_font, m_header_font, m_footer_font;
    bool m_twoD = false;
    // Set while elements are loaded: the preview is not regenerated.
    char Not_Draw_Only_Prop_Change = 0;
    Picture m_preview;
    QString m_dpiCustom;  // the typed resolution as the control holds it
    std::vector<QWidget *> m_captionOnly;  // elements of linear symbologies only
};
