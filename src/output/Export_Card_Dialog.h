#pragma once
// The options of a single card export: the side (both, front or back), both sides
// joined into one picture (side by side or one above the other) and the file type.
#include "Export_File_Writer.h"

#include <QDialog>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QRadioButton;

struct Export_Card_Options {
    Export_Layout layout = Export_Layout::Front;
    QString extension = QStringLiteral("png");
};

class Export_Card_Dialog : public QDialog {
public:
    // `twoSided`: both and back are offered only for a two-sided card.
    Export_Card_Dialog(bool twoSided, QWidget *parent = nullptr);
    Export_Card_Options options() const;

    // The file types offered, as extensions, in the order shown.
    static const QStringList &fileTypes();

    QButtonGroup *sideGroup;  // ids 0 both, 1 front, 2 back
    QCheckBox *combinedChk;
    QCheckBox *sideBySideChk;
    QComboBox *fileTypePopup;

private:
    void sideChanged();
};
