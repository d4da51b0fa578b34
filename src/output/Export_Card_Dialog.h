#pragma once
// The options of a card export: the side (both, front or back), both sides joined
// into one picture (side by side or one above the other), the file type, a mirror
// image, and, outside visitor mode, whether the series and spreadsheet values are used
// and the range of cards (all, or from - to).
#include "Batch_Export.h"
#include "Range_Boxes.h"
#include "Export_File_Writer.h"
#include "RenderedSide.h"
#include "WidgetDecls.h"

#include <QDialog>

struct Export_Card_Options {
    Export_Layout layout = Export_Layout::Front;
    QString extension = QStringLiteral("png");
    Side_Mirror mirror = Side_Mirror::None;
    // The data of a batch: the sources left on, and the range of cards (from 0).
    bool useSeries = false;
    bool useExcel = false;
    Batch_Range range;
    bool batch() const { return useSeries || useExcel; }
    // The sides of a batch run as the layout says.
    Batch_Sides sides() const;
};

// What the design's data offers the window (taken when the export starts).
struct Export_Data_Sources {
    bool visitorMode = true;  // "V": the data boxes and the range are not offered
    bool seriesInUse = false;
    bool excelInUse = false;
    int seriesRows = 0;
    int excelRows = 0;
    // The cards of a batch with these sources: the larger count, at least 1.
    int cardCount(bool series, bool excel) const;
};

// A range field as typed: empty or 0 becomes 1, and (with `cap`) a value above
// `max` becomes `max`.
int Range_Field_Value(const QString &typed, int max, bool cap);

class Export_Card_Dialog : public QDialog {
public:
    // `twoSided`: both and back are offered only for a two-sided card.
    explicit Export_Card_Dialog(bool twoSided, QWidget *parent = nullptr);
    Export_Card_Dialog(bool twoSided, const Export_Data_Sources &sources, QWidget *parent = nullptr);
    Export_Card_Options options() const;

    // The file types offered, as extensions, in the order shown.
    static const QStringList &fileTypes();

    // The total, to and from fields: `set_for` says which of total and to take v; v
    // 0 becomes 1; with both data boxes off the maximum is 999999.
    void Set_Tot_Value(int v, int max, Range_Box set_for);
    // OK: a from above to gives "Please select valid range." and the window stays.
    void exportOkay();
    // The card count of the data boxes on (Total_Batch_Excel_Card of this export).
    int cardCount() const;

    QButtonGroup *sideGroup;  // ids 0 both, 1 front, 2 back
    QCheckBox *combinedChk;
    QCheckBox *sideBySideChk;
    QComboBox *fileTypePopup;
    QCheckBox *mirror_chk_box;
    QButtonGroup *mirror_matrix;  // ids 0 horizontal, 1 vertical
    QCheckBox *Export_with_batch_chk;
    QCheckBox *Export_with_excel_chk;
    QGroupBox *export_range_box;
    QRadioButton *All_print_rd;
    QRadioButton *Sel_print_rd;
    QSpinBox *from_Text;
    QSpinBox *To_Text;
    QSpinBox *Total_Text;
    QLabel *from_label;
    QLabel *to_label;
    QLabel *tot_label;

private:
    void build(bool twoSided);
    void sideChanged();
    void dataBoxChanged();
    void Set_Enable_Diable_Range_Box();
    void rangeRadioChanged();
    void rangeTyped(QSpinBox *field, const QString &text);

    Export_Data_Sources m_sources;
    int m_max = 999999;
    bool m_applyingRule = false;
};
