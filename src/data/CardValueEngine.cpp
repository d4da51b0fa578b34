#include "CardValueEngine.h"

#include "BatchBarcode.h"
#include "Globals.h"
#include "GroupBinding.h"
#include "GuiThread.h"
#include "Helpers.h"
#include "Log.h"
#include "SKTDocument.h"
#include "SKTGraphicList.h"
#include "SKTImage.h"
#include "SeriesFile.h"

#include <QFileInfo>
#include <algorithm>

namespace {
bool takesValues(const SKTGraphic &g)
{
    return g.kind() == GraphicKind::Text || g.kind() == GraphicKind::Image || g.kind() == GraphicKind::Barcode;
}

std::vector<KeyedArchive> archivesOf(const std::vector<GraphicPtr> &side)
{
    std::vector<KeyedArchive> out;
    out.reserve(side.size());
    for (const GraphicPtr &g : side)
        if (g) out.push_back(g->encode());
    return out;
}

// Where the side's visitor photo stands among its archives (-1: the side has none).
int photoOf(const std::vector<GraphicPtr> &side)
{
    int index = 0;
    for (const GraphicPtr &g : side) {
        if (!g) continue;
        if (g->Is_Visitor_Photo()) return index;
        ++index;
    }
    return -1;
}

std::vector<QRectF> framesOf(const std::vector<GraphicPtr> &side)
{
    std::vector<QRectF> out;
    for (const GraphicPtr &g : side)
        if (g) out.push_back(g->bar_image_ctrl_bounds);
    return out;
}
} // namespace

// ---- Side copies ----

struct SideCopy::Owner final : GraphicOwner {
    explicit Owner(const QRectF &c) : card(c) {}
    void graphicDidChange(SKTGraphic &, const QRectF &, const QRectF &) override {}
    bool observesDrawing() const override { return false; }
    QRectF cardBounds() const override { return card; }
    QRectF card;
};

SideCopy::SideCopy(const std::vector<KeyedArchive> &archives, const std::vector<QRectF> &frames, const QRectF &card,
                   int photo)
    : m_owner(std::make_shared<Owner>(card))
{
    controls.reserve(archives.size());
    for (size_t i = 0; i < archives.size(); ++i) {
        GraphicPtr g = SKTGraphic::decode(archives[i]);
        if (!g) continue;
        if (int(i) == photo) g->Set_Visitor_Photo_Mark(true);
        if (g->kind() == GraphicKind::Barcode) {
            const QRectF frame = i < frames.size() ? frames[i] : QRectF();
            g->bar_image_ctrl_bounds = frame.isEmpty() ? g->bounds() : frame;
        }
        g->setOwner(m_owner.get());
        controls.push_back(std::move(g));
    }
}

// ---- Series ----

CardValueEngine::CardValueEngine(QString seriesFolder, QString noImagePath)
    : m_seriesFolder(std::move(seriesFolder)), m_noImagePath(std::move(noImagePath))
{
}

QString CardValueEngine::seriesPath(const QString &name) const { return SeriesFile::Path(m_seriesFolder, name); }

QStringList CardValueEngine::Get_datasheet_File_Name_Array() const { return SeriesFile::Names(m_seriesFolder); }

int CardValueEngine::Index_Of_Series(const QStringList &list, const QString &name)
{
    return SeriesFile::Index_Of(list, name);
}

int CardValueEngine::Get_Data_SetIndex_According_Name(const QString &name) const
{
    return Index_Of_Series(Get_datasheet_File_Name_Array(), name);
}

bool CardValueEngine::Check_Batch_File_In_Use_Validation(const QString &name, const SKTDocument &doc) const
{
    if (name.isEmpty() || !QFileInfo(seriesPath(name)).isFile()) return false;
    auto uses = [&](const SKTGraphicList &side) {
        for (const GraphicPtr &g : side.items())
            if (g && takesValues(*g) && g->data_source_type == Data_Source_Series && g->batch_list_name == name) return true;
        return false;
    };
    return uses(doc.graphics()) || (doc.Front_card_Prop.Card_Side() == QLatin1String("2") && uses(doc.graphics_back()));
}

std::optional<QStringList> CardValueEngine::Series_Values(const QString &name) const
{
    return SeriesFile::Read_Engine_Values(seriesPath(name));
}

QString CardValueEngine::Get_First_Value_Of_Dataset(const QString &name) const
{
    const std::optional<QByteArray> bytes = name.isEmpty() ? std::nullopt : SeriesFile::Read_Bytes(seriesPath(name));
    if (!bytes) return QString("");
    return SeriesFile::First_Line(*bytes);
}

// ---- The spreadsheet source ----

QString CardValueEngine::Get_First_Value_Of_Excel_Binding(const SKTDocument &doc, int column)
{
    if (doc.ListData().isEmpty()) return QString("");
    const QString cell = doc.Get_Item_Text(0, column).value_or(QString());
    if (column == 0) return cell;
    return cell.isEmpty() ? QStringLiteral(" ") : cell;
}

QString CardValueEngine::Column_Value_Shown(const SKTDocument &doc, int column)
{
    const int row = doc.listSelection();
    if (doc.Start_Card_Option == Card_Mode::Group && row >= 0 && row < doc.ListData().size())
        return Trim_Str(doc.Get_sel_row_col_value_of_Excel(row, column));
    return Get_First_Value_Of_Excel_Binding(doc, column);
}

QString CardValueEngine::Get_Excel_Column_Name_Of_Index(const SKTDocument &doc, int column)
{
    const QList<SpreadsheetColumn> columns = doc.ColList();
    return column >= 0 && column < columns.size() ? columns.at(column).title : QString("");
}

// ---- Use flags and card count ----

const Card_Value_Source &CardValueEngine::Source_Of(const SKTGraphic &g) const
{
    switch (g.data_source_type) {
    case Data_Source_Series: return m_series;
    case Data_Source_Spreadsheet: return m_sheet;
    default: return m_manual;
    }
}

bool CardValueEngine::Bound_On(const std::vector<GraphicPtr> &side, const Card_Value_Source &source) const
{
    return std::any_of(side.begin(), side.end(), [&](const GraphicPtr &g) {
        return g && takesValues(*g) && &Source_Of(*g) == &source && source.Binds(*g) && g->print_object == 0;
    });
}

std::vector<Series_Source::Entry> CardValueEngine::Series_Table(const QStringList &names,
                                                               const std::vector<GraphicPtr> &front,
                                                               const std::vector<GraphicPtr> &back) const
{
    std::vector<Series_Source::Entry> table(names.begin(), names.end());
    auto addSide = [&](const std::vector<GraphicPtr> &side) {
        for (const GraphicPtr &g : side) {
            if (!g || !takesValues(*g) || g->data_source_type != Data_Source_Series) continue;
            const int index = Index_Of_Series(names, g->batch_list_name);
            if (index < 0) {
                if (!g->batch_list_name.isEmpty())
                    Show_NSLog_Message(QStringLiteral("Series \"%1\" not found").arg(g->batch_list_name));
                continue;
            }
            if (std::holds_alternative<QStringList>(table[size_t(index)])) continue;
            if (std::optional<QStringList> values = Series_Values(names.at(index)))
                table[size_t(index)] = std::move(*values);
            else if (SeriesFile::Too_Large(seriesPath(names.at(index))))
                Show_NSLog_Message(SeriesFile::Too_Large_Message(names.at(index)));
        }
    };
    addSide(front);
    if (twoSided() && !back.empty()) addSide(back);
    return table;
}

int CardValueEngine::Field_Column(const SKTGraphic &g) const
{
    if (!m_group || g.kind() != GraphicKind::Text) return -1;
    const QString id = g.control_ID.trimmed();
    for (const GroupBinding::Fixed_Field &field : GroupBinding::Fixed_Fields())
        if (id == QLatin1String(field.id)) return m_choices.*field.column;
    return -1;
}

bool CardValueEngine::Group_Bound_On(const std::vector<GraphicPtr> &side, int s) const
{
    if (!m_group) return false;
    const int photoColumn = s == 1 ? m_choices.excel_cb_value12 : m_choices.excel_cb_value11;
    return std::any_of(side.begin(), side.end(), [&](const GraphicPtr &g) {
        if (!g || g->print_object != 0) return false;
        if (g->Is_Visitor_Photo() && g->kind() == GraphicKind::Image) return photoColumn >= 0;
        return Field_Column(*g) >= 0;
    });
}

void CardValueEngine::Check_Series_Or_Excel_Use_or_not(const SKTDocument &doc)
{
    m_cardSide = doc.Front_card_Prop.Card_Side();
    m_group = doc.Start_Card_Option == Card_Mode::Group;
    m_choices = doc.m_columnChoices;
    const std::vector<GraphicPtr> &front = doc.graphics().items();
    const std::vector<GraphicPtr> &back = doc.graphics_back().items();

    // Series: the binding table holds the values of every series a control names.
    QStringList names = Get_datasheet_File_Name_Array();
    m_series.Set_Used(Bound_On(front, m_series) || (twoSided() && Bound_On(back, m_series)));
    std::vector<Series_Source::Entry> table;
    if (m_series.Used() && !(!twoSided() && front.empty())) table = Series_Table(names, front, back);
    m_series.Set_Table(std::move(names), std::move(table));

    // Spreadsheet: its rows are copied, so cards never read the live table.
    const bool sheetBound = Bound_On(front, m_sheet) || (twoSided() && Bound_On(back, m_sheet)) ||
                            Group_Bound_On(front, 0) || (twoSided() && Group_Bound_On(back, 1));
    m_sheet.Set_Rows(sheetBound ? doc.ListData() : QList<QStringList>());
    m_sheet.Set_Used(sheetBound && m_sheet.Rows() > 0);
    m_inDesign = {m_series.Used(), m_sheet.Used()};
    Count_Cards();
}

void CardValueEngine::Count_Cards()
{
    m_cards = 1;
    const Card_Value_Source *const sources[] = {&m_series, &m_sheet};
    for (const Card_Value_Source *s : sources)
        if (s->Used()) m_cards = std::max(m_cards, s->Rows());
}

void CardValueEngine::Use_Only_Sources(bool series, bool excel)
{
    m_series.Set_Used(m_inDesign[0] && series);
    m_sheet.Set_Used(m_inDesign[1] && excel);
    Count_Cards();
}

void CardValueEngine::Assign_Batch_Values_To_Control(const std::vector<GraphicPtr> &controls, int card,
                                                   QStringList *missing) const
{
    Assign_Values(controls, card, missing, true);
}

void CardValueEngine::Fill_Card_Side(const std::vector<GraphicPtr> &controls, int side, int card,
                                     QStringList *missing) const
{
    // The window shows a field that is not printed with the row's value too.
    Assign_Values(controls, card, missing, !m_group);
    if (!m_group || !m_sheet.Used()) return;
    for (const GraphicPtr &g : controls)
        if (const int column = g ? Field_Column(*g) : -1; column >= 0)
            g->Set_text_value(Trim_Str(m_sheet.Value(card, column)));
    const int column = side == 1 ? m_choices.excel_cb_value12 : m_choices.excel_cb_value11;
    if (column < 0) return;
    const auto photo = std::find_if(controls.begin(), controls.end(), [](const GraphicPtr &g) {
        return g && g->Is_Visitor_Photo() && g->kind() == GraphicKind::Image;
    });
    if (photo == controls.end()) return;
    // A person without a photo shows the stand-in, never the photo the side held.
    const QString cell = Trim_Str(m_sheet.Value(card, column));
    const QString path = cell.isEmpty() ? m_noImagePath : cell;
    SKTGraphic &g = **photo;
    if (g.FilePath() == path) return;
    static_cast<SKTImage &>(g).setFilePath(path, true);
    if (missing && !cell.isEmpty() && g._contents.isNull())
        *missing << QStringLiteral("photo \"%1\" cannot be read").arg(QFileInfo(cell).fileName());
}

void CardValueEngine::Assign_Values(const std::vector<GraphicPtr> &controls, int card, QStringList *missing,
                                    bool printedOnly) const
{
    for (const GraphicPtr &g : controls) {
        if (!g || (printedOnly && g->print_object == 1) || !takesValues(*g)) continue;
        const Card_Value_Source &source = Source_Of(*g);
        if (!source.Used()) continue;
        const std::optional<Card_Value> bound = source.Value_Of(*g, card);
        if (!bound) continue;
        QString value = Trim_Str(bound->text);
        const bool seriesGone = bound->sourceGone;
        switch (g->kind()) {
        case GraphicKind::Text: g->Set_text_value(value); break;
        case GraphicKind::Image:
            static_cast<SKTImage &>(*g).setFilePath(value, false);
            if (missing && !value.isEmpty() && g->_contents.isNull())
                *missing << QStringLiteral("photo \"%1\" cannot be read").arg(QFileInfo(value).fileName());
            break;
        default: {
            if (seriesGone && value.isEmpty()) value = g->linear_or_2d != 0 ? g->two_d_font_val : g->linear_font_val;
            const std::optional<Picture> picture =
                value.isEmpty() ? std::nullopt
                                : Batch_Barcode_Picture(*g, value, g->header_val, g->footer_val);
            // A control read from a file has no frame yet: its own place is the frame.
            if (g->bar_image_ctrl_bounds.isEmpty() && !g->bounds().isEmpty()) g->bar_image_ctrl_bounds = g->bounds();
            g->Set_Barcode_image(picture.value_or(Picture()));
            if (missing && !picture)
                *missing << (value.isEmpty() ? QStringLiteral("no barcode value")
                                             : QStringLiteral("barcode value \"%1\" refused").arg(value));
            if (picture && !g->bar_image_ctrl_bounds.isEmpty()) {
                const QRectF frame = g->bar_image_ctrl_bounds;
                g->setXPosition(frame.x() + frame.width() / 2 - picture->size().width() / 2);
                g->setYPosition(frame.y() + frame.height() / 2 - picture->size().height() / 2);
            }
        }
        }
    }
}

// ---- Backup, card N, restore ----

void CardValueEngine::Create_Design_Backup_Array(const SKTDocument &doc, const RenderResources &resources)
{
    m_backup[0] = archivesOf(doc.graphics().items());
    m_backup[1] = archivesOf(doc.graphics_back().items());
    m_backupPhoto = {photoOf(doc.graphics().items()), photoOf(doc.graphics_back().items())};
    m_runBase = m_backup;
    m_runPhoto = m_backupPhoto;
    m_frames = {framesOf(doc.graphics().items()), framesOf(doc.graphics_back().items())};
    m_card = doc.cardBounds();
    m_cardProperty = {doc.Front_card_Prop, doc.Back_card_Prop};
    m_resources = resources;
}

void CardValueEngine::Set_Front_Back_Value_To_Print_Export_Mail(const SKTDocument &doc,
                                                               const RenderResources &resources, int groupSelectedRow)
{
    Create_Design_Backup_Array(doc, resources);
    if (doc.Start_Card_Option != Card_Mode::Group || groupSelectedRow < 0) return;
    const int other = doc.currentSide() == 1 ? 0 : 1;
    SideCopy copy = Side_Copy(other);
    Fill_Card_Side(copy.controls, other, groupSelectedRow);
    m_runBase[size_t(other)] = archivesOf(copy.controls);
    m_runPhoto[size_t(other)] = photoOf(copy.controls);
    m_frames[size_t(other)] = framesOf(copy.controls);
}

SideCopy CardValueEngine::Side_Copy(int side) const
{
    const size_t s = side == 1 ? 1 : 0;
    return SideCopy(m_runBase[s], m_frames[s], m_card, m_runPhoto[s]);
}

SideCopy CardValueEngine::Card_Copy(int card, Card_Side side, QStringList *missing) const
{
    const int s = side == Card_Side::Front ? 0 : 1;
    SideCopy copy = Side_Copy(s);
    Fill_Card_Side(copy.controls, s, card, missing);
    return copy;
}

RenderedSide CardValueEngine::Set_data_table_value_to_card(int card, Card_Side side) const
{
    if (!m_resources) return RenderedSide();
    const int s = side == Card_Side::Front ? 0 : 1;
    // The filled copy stays with the side and is drawn wherever the side goes.
    QStringList missing;
    auto copy = std::make_shared<SideCopy>(Card_Copy(card, side, &missing));
    RenderedSide made = Render_Side_Drawing(copy->controls, m_card, &m_cardProperty[size_t(s)], *m_resources, copy);
    made.missing = std::move(missing);
    return made;
}

bool CardValueEngine::Create_Card_Design_Again(SKTDocument &doc) const
{
    bool rebuilt = false;
    for (int s : {0, 1}) {
        SKTGraphicList &list = doc.sideList(s);
        const int photo = m_backupPhoto[size_t(s)];
        if (archivesOf(list.items()) == m_backup[size_t(s)] && photoOf(list.items()) == photo) continue;
        std::vector<GraphicPtr> controls;
        const std::vector<KeyedArchive> &backup = m_backup[size_t(s)];
        for (size_t i = 0; i < backup.size(); ++i) {
            GraphicPtr g = SKTGraphic::decode(backup[i]);
            if (!g) continue;
            // The side's photo comes back as the photo, as from an undo snapshot.
            if (int(i) == photo) g->Set_Visitor_Photo_Mark(true);
            if (g->kind() == GraphicKind::Barcode) g->Set_Barcode_image_control_bounds(g->bounds());
            controls.push_back(std::move(g));
        }
        list.replaceAll(std::move(controls));
        rebuilt = true;
    }
    return rebuilt;
}

void CardValueEngine::Set_Temp_Design(SKTDocument &doc, std::vector<GraphicPtr> controls)
{
    doc.graphics_temp().replaceAll(std::move(controls));
}

// ---- The run guard ----

BatchRunGuard::BatchRunGuard(CardValueEngine &engine, SKTDocument &doc, const RenderResources &resources,
                             int groupSelectedRow, bool holdRedraw, std::function<void()> resetWorkingSide)
    : m_engine(engine), m_doc(doc), m_reset(std::move(resetWorkingSide)), m_active(engine.beginRun())
{
    if (!m_active) return;
    if (holdRedraw) m_engine.Hold_Redraw(true);
    try {
        m_engine.Set_Front_Back_Value_To_Print_Export_Mail(doc, resources, groupSelectedRow);
    } catch (...) {
        m_engine.Hold_Redraw(false);
        m_engine.endRun();
        throw;
    }
}

BatchRunGuard::~BatchRunGuard()
{
    if (!m_active) return;
    auto finish = [this] {
        try {
            m_engine.Create_Card_Design_Again(m_doc);
        } catch (...) {
            Show_NSLog_Message(QStringLiteral("The design could not be put back after the run."));
        }
        m_engine.Hold_Redraw(false);
        try {
            if (m_reset) m_reset();
        } catch (...) {
            Show_NSLog_Message(QStringLiteral("The working side could not be reset after the run."));
        }
    };
    if (Is_Gui_Thread()) finish();
    else Run_On_Gui_Thread_And_Wait(finish);
    m_engine.endRun();
}
