#include "GroupBinding.h"

#include "SKTDocument.h"
#include "SKTGraphic.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"

namespace GroupBinding {

const QString kTextHere = QStringLiteral("Text here");

const std::array<Fixed_Field, 10> &Fixed_Fields()
{
    static const std::array<Fixed_Field, 10> fields = {{
        {"Fup_Name", &DesignColumnChoices::excel_cb_value1},
        {"Fup_Title", &DesignColumnChoices::excel_cb_value2},
        {"Fup_Company", &DesignColumnChoices::excel_cb_value3},
        {"Fup_CompanySlogan", &DesignColumnChoices::excel_cb_value4},
        {"Fup_Address", &DesignColumnChoices::excel_cb_value5},
        {"Fup_PhoneNO", &DesignColumnChoices::excel_cb_value6},
        {"Fup_FaxNo", &DesignColumnChoices::excel_cb_value7},
        {"Fup_EmailID", &DesignColumnChoices::excel_cb_value8},
        {"Fup_Website", &DesignColumnChoices::excel_cb_value9},
        {"Fup_UniqueNo", &DesignColumnChoices::excel_cb_value10},
    }};
    return fields;
}

QString Cell_Text(const SKTDocument &doc, int row, int column)
{
    const QList<QStringList> &rows = doc.ListData();
    if (column < 1 || row < 0 || row >= rows.size()) return kTextHere;
    if (column >= doc.ColList().size()) return kTextHere;
    const QStringList &cells = rows.at(row);
    return column < cells.size() ? cells.at(column) : kTextHere;
}

QString Picture_Cell(const SKTDocument &doc, int row, int column)
{
    const QString text = Cell_Text(doc, row, column);
    return text == kTextHere ? QString() : text;
}

SKTGraphic *Find_Control(const SKTGraphicList &side, const QString &id)
{
    for (const GraphicPtr &g : side.items()) {
        if ((g->kind() == GraphicKind::Text || g->kind() == GraphicKind::Image) && g->control_ID == id) return g.get();
    }
    return nullptr;
}

void Bind(SKTGraphic &control, int column, bool visible)
{
    if (column < 0) {
        control.Set_Data_source_type(Data_Source_Manual);
    } else {
        control.Set_Data_source_type(Data_Source_Spreadsheet);
        control.Set_Excel_binding(true);
        control.Set_Excel_binding_Index(column);
    }
    control.Set_Ctrl_Is_Visible(visible);
}

SKTGraphic *Place_Field(SKTDocument &doc, int side, const QString &id, const QString &value, bool picture,
                        int column, bool visible, bool updateOnly, bool checkOtherSide, const Maker &make)
{
    SKTGraphic *control = Find_Control(doc.sideList(side), id);
    if (control) {
        if (control->kind() == GraphicKind::Image) {
            // The picture the path names with it, so that path and picture never part.
            static_cast<SKTImage *>(control)->setFilePath(value, true);
        } else if (!value.isEmpty()) {
            control->Set_text_value(value);
            control->setDrawingStroke(false);
            control->setDrawingFill(false);
        }
    } else {
        if (checkOtherSide && Find_Control(doc.sideList(side == 1 ? 0 : 1), id)) return nullptr;
        if (updateOnly || !make) return nullptr;
        control = make(side, id, value, picture);
        if (!control) return nullptr;
    }
    Bind(*control, column, visible);
    return control;
}

namespace {

const SKTGraphicList &sideOf(const SKTDocument &doc, int side)
{
    return side == 1 ? doc.graphics_back() : doc.graphics();
}

bool visibleOn(const SKTDocument &doc, int side, const QString &id)
{
    const SKTGraphic *g = Find_Control(sideOf(doc, side), id);
    return !g || g->ctrl_is_visible;
}

} // namespace

bool Column_Follows_Binding(SKTDocument &doc, int side, const SKTGraphic &control)
{
    side = side == 1 ? 1 : 0;
    const QString id = control.control_ID.trimmed();
    DesignColumnChoices &choices = doc.m_columnChoices;
    int *chosen = nullptr;
    if (id == QLatin1String(kPhotoID)) chosen = side == 1 ? &choices.excel_cb_value12 : &choices.excel_cb_value11;
    for (const Fixed_Field &field : Fixed_Fields())
        if (id == QLatin1String(field.id)) chosen = &(choices.*field.column);
    if (!chosen) return false;
    const int now = control.data_source_type_val() == Data_Source_Spreadsheet ? control.excel_col_indx : -1;
    if (now == *chosen) return false;
    const int old = *chosen;
    *chosen = now;
    // The photo's choice is the side's own; a text field's stands for both sides: the
    // other side's text that took the old column (typed by hand when there was none)
    // takes the new one.
    if (id != QLatin1String(kPhotoID))
        if (SKTGraphic *other = Find_Control(doc.sideList(1 - side), id);
            other && (other->data_source_type_val() == Data_Source_Spreadsheet
                          ? other->excel_col_indx == old
                          : old == -1 && other->data_source_type_val() == Data_Source_Manual))
            Bind(*other, now, other->ctrl_is_visible);
    return true;
}

DesignColumnChoices Columns_After_Step(DesignColumnChoices now, const DesignColumnChoices &from,
                                       const DesignColumnChoices &to)
{
    using C = DesignColumnChoices;
    for (int C::*choice : {&C::excel_cb_value1, &C::excel_cb_value2, &C::excel_cb_value3, &C::excel_cb_value4,
                           &C::excel_cb_value5, &C::excel_cb_value6, &C::excel_cb_value7, &C::excel_cb_value8,
                           &C::excel_cb_value9, &C::excel_cb_value10, &C::excel_cb_value11, &C::excel_cb_value12,
                           &C::excel_cb_value_f_man, &C::excel_cb_value_b_man})
        if (from.*choice != to.*choice) now.*choice = to.*choice;
    return now;
}

void Update_Excel_Column_Binding(SKTDocument &doc, Binding_Apply mode, const Maker &make)
{
    const bool updateOnly = mode == Binding_Apply::Update_Only;
    const DesignColumnChoices &choices = doc.m_columnChoices;
    for (const Fixed_Field &field : Fixed_Fields()) {
        const int column = choices.*field.column;
        if (column == -1) continue;
        const QString id = QLatin1String(field.id);
        const QString value = Cell_Text(doc, 0, column);
        Place_Field(doc, 0, id, value, false, column, visibleOn(doc, 0, id), updateOnly, true, make);
        Place_Field(doc, 1, id, value, false, column, visibleOn(doc, 1, id), updateOnly, true, make);
    }
    const QString photo = QLatin1String(kPhotoID);
    if (choices.excel_cb_value11 != -1) {
        Place_Field(doc, 0, photo, Picture_Cell(doc, 0, choices.excel_cb_value11), true, choices.excel_cb_value11,
                    true, updateOnly, true, make);
    }
    if (choices.excel_cb_value12 != -1) {
        Place_Field(doc, 1, photo, Picture_Cell(doc, 0, choices.excel_cb_value12), true, choices.excel_cb_value12,
                    true, updateOnly, false, make);
    }
}

void Update_Excel_Column_Binding_Update_Column(SKTDocument &doc, int side, const std::array<bool, 10> &shown,
                                               const Maker &make)
{
    side = side == 1 ? 1 : 0;
    const DesignColumnChoices &choices = doc.m_columnChoices;
    for (size_t f = 0; f < Fixed_Fields().size(); ++f) {
        const Fixed_Field &field = Fixed_Fields()[f];
        const int column = choices.*field.column;
        const QString id = QLatin1String(field.id);
        SKTGraphic *here = Find_Control(doc.sideList(side), id);
        if (column != -1) {
            Place_Field(doc, side, id, Cell_Text(doc, 0, column), false, column, shown[f], false, false, make);
        } else if (!shown[f]) {
            if (here) Bind(*here, -1, false);
        } else if (here) {
            for (int s : {0, 1})
                if (SKTGraphic *g = Find_Control(doc.sideList(s), id)) Bind(*g, -1, g->ctrl_is_visible);
        } else if (make) {
            if (SKTGraphic *g = make(side, id, kTextHere, false)) Bind(*g, -1, true);
        }
    }
    const QString photo = QLatin1String(kPhotoID);
    for (int s : {0, 1}) {
        const int column = s == 0 ? choices.excel_cb_value11 : choices.excel_cb_value12;
        if (column == -1) {
            if (SKTGraphic *g = Find_Control(doc.sideList(s), photo)) Bind(*g, -1, g->ctrl_is_visible);
        } else {
            Place_Field(doc, s, photo, Picture_Cell(doc, 0, column), true, column, true, false, false, make);
        }
    }
}

QStringList Row_List_Entries(const SKTDocument &doc)
{
    QStringList entries;
    const int column = doc.m_columnChoices.excel_cb_value1;
    if (column < 1 || column >= doc.ColList().size()) return entries;
    int n = 1;
    for (const QStringList &cells : doc.ListData()) {
        entries << QStringLiteral("%1 - %2").arg(n++).arg(column < cells.size() ? cells.at(column) : QString());
    }
    return entries;
}

} // namespace GroupBinding
