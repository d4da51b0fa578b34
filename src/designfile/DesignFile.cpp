// Writing the design file: the design as one flat array of strings, section by
// section (see docs/design-file.md), then an XML property list written whole.
#include "DesignFile.h"

#include "DesignFileFormat.h"
#include "FileUtilities.h"
#include "FileWrite.h"
#include "Globals.h"
#include "GraphicFields.h"
#include "Log.h"
#include "Plist.h"
#include "ResourcePaths.h"
#include "SKTDocument.h"
#include "StoredValues.h"

#include <QFileInfo>

const QString kDesignFileMagic = QStringLiteral("DOZO-ID-CARD-DESIGN");

namespace designfile {

const std::vector<ColumnChoiceField> &Column_Choice_Fields()
{
#define CHOICE(name) ColumnChoiceField{QStringLiteral(#name), &DesignColumnChoices::name}
    static const std::vector<ColumnChoiceField> table = {
        CHOICE(excel_cb_value1),  CHOICE(excel_cb_value2),  CHOICE(excel_cb_value3),      CHOICE(excel_cb_value4),
        CHOICE(excel_cb_value5),  CHOICE(excel_cb_value6),  CHOICE(excel_cb_value7),      CHOICE(excel_cb_value8),
        CHOICE(excel_cb_value9),  CHOICE(excel_cb_value10), CHOICE(excel_cb_value11),     CHOICE(excel_cb_value12),
        CHOICE(excel_cb_value_f_man), CHOICE(excel_cb_value_b_man),
    };
#undef CHOICE
    return table;
}

bool Is_Design_Mode(Card_Mode mode)
{
    return mode == Card_Mode::Opened || mode == Card_Mode::Template || mode == Card_Mode::Group;
}

namespace {

template <class... Fs> struct Overloaded : Fs... { using Fs::operator()...; };
template <class... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

using Pairs = QList<std::pair<QString, QString>>;

// A section of key/value pairs: its count, then key, value, key, value ...
void appendPairs(QStringList &out, const Pairs &pairs)
{
    out << QString::number(pairs.size());
    for (const auto &[key, value] : pairs) out << key << value;
}

// The picture paths under these keys that point into our resources, in the form any
// copy of the program reads into its own resources.
void storeResourcePaths(Pairs &pairs, const QStringList &keys)
{
    for (auto &[key, value] : pairs)
        if (keys.contains(key)) value = Stored_Resource_Path(value, Resource_Path);
}

// The picture paths a control of this kind keeps (an image control's text holds its path too).
QStringList picturePathKeys(GraphicKind kind)
{
    if (kind == GraphicKind::Image) return {QStringLiteral("_file_path"), QStringLiteral("Text_Value")};
    if (kind == GraphicKind::Signature) return {QStringLiteral("_file_path")};
    return {};
}

// The pairs of one control: every field its kind archives, pictures left out.
// Absent objects (no font, no colour, no rich text) are left out too.
Pairs controlPairs(const SKTGraphic &g)
{
    Pairs pairs;
    for (const GraphicField &f : Graphic_Fields()) {
        if (!inMask(f.archivedBy, g.kind())) continue;
        const QString &k = f.name;
        std::visit(Overloaded{
                       [](const Picture &) {},
                       [&](const std::optional<QFont> &v) {
                           if (v) pairs.append({k, To_Stored_Text(*v)});
                       },
                       [&](const std::optional<TextRecord> &v) {
                           if (!v) return;
                           pairs.append({k, v->text});
                           pairs.append({k + kTextFontSuffix, To_Stored_Text(v->font)});
                           if (v->color.isValid()) pairs.append({k + kTextColorSuffix, To_Stored_Text(v->color)});
                       },
                       [&](const QColor &v) {
                           if (v.isValid()) pairs.append({k, To_Stored_Text(v)});
                       },
                       [&](const auto &v) { pairs.append({k, To_Stored_Text(v)}); },
                   },
                   f.get(g));
    }
    return pairs;
}

// The pairs of a card side's properties: every field of its keyed archive but the
// background picture, in archive order.
Pairs cardPairs(const Card_Property &card)
{
    Pairs pairs;
    const KeyedArchive archive = card.encode();
    for (const auto &entry : archive.entries()) {
        const QString &key = entry.first;
        std::visit(Overloaded{
                       [](const Picture &) {},
                       [](const TextRecord &) {},
                       [&](const auto &v) { pairs.append({key, To_Stored_Text(v)}); },
                   },
                   entry.second);
    }
    storeResourcePaths(pairs, {QStringLiteral("Card_BG_Image_Path")});
    return pairs;
}

void appendControls(QStringList &out, const QString &side, const std::vector<GraphicPtr> &controls)
{
    int count = 0;
    for (const GraphicPtr &g : controls) count += g ? 1 : 0;
    out << kControlsSection << side << QString::number(count);
    for (const GraphicPtr &g : controls) {
        if (!g) continue;
        out << kControlTag << g->className();
        Pairs pairs = controlPairs(*g);
        storeResourcePaths(pairs, picturePathKeys(g->kind()));
        appendPairs(out, pairs);
    }
}

} // namespace
} // namespace designfile

using namespace designfile;

QStringList Design_To_Array(const DesignData &data)
{
    QStringList out{kDesignFileMagic, QString::number(kDesignFileVersion), kModeSection, Card_Mode_Letter(data.mode)};

    out << kCardSection << kFrontSide;
    appendPairs(out, cardPairs(data.front_card));
    out << kCardSection << kBackSide;
    appendPairs(out, cardPairs(data.back_card));

    const DesignSpreadsheet &s = data.spreadsheet;
    out << kSpreadsheetSection;
    appendPairs(out, {{"Excel_Source_Path", To_Stored_Text(s.Excel_Source_Path)},
                      {"Excel_Sheet_Number", To_Stored_Text(s.Excel_Sheet_Number)},
                      {"contains_header", To_Stored_Text(s.contains_header)},
                      {"Excel_Binding_Use", To_Stored_Text(s.Excel_Binding_Use)}});
    out << kColumnTitlesSection << QString::number(s.column_titles.size()) << s.column_titles;
    out << kRowsSection << QString::number(s.rows.size());
    for (const QStringList &row : s.rows) out << QString::number(row.size()) << row;

    Pairs choices;
    for (const ColumnChoiceField &c : Column_Choice_Fields()) choices.append({c.name, To_Stored_Text(data.columns.*c.member)});
    out << kColumnChoicesSection;
    appendPairs(out, choices);

    appendControls(out, kFrontSide, data.front_controls);
    appendControls(out, kBackSide, data.back_controls);
    out << kEndTag;
    return out;
}

bool Write_Design_File(const QString &path, const DesignData &data, QString *error, File_Link links)
{
    if (!Is_Design_Mode(data.mode)) {
        if (error) *error = QStringLiteral("The design could not be saved: it has no valid kind (design or template).");
        return false;
    }
    QVariantList root;
    for (const QString &s : Design_To_Array(data)) root << s;
    int failure = 0;
    if (!Write_File_Whole(path, Plist_To_Bytes(root, PlistFormat::Xml), 0644, nullptr, links, &failure)) {
        Show_NSLog_Message(QStringLiteral("Design file not written: %1").arg(path));
        // Why, as far as it is known: another user's file in a shared folder, else the
        // system's own reason (a full disk, no permission, ...).
        QString reason = Write_Refusal_Reason(path);
        if (reason.isEmpty() && failure != 0) reason = qt_error_string(failure) + u'.';
        if (error)
            *error = QStringLiteral("The design could not be saved as \"%1\". ").arg(QFileInfo(path).fileName()) +
                     (reason.isEmpty() ? QStringLiteral("Please check that the folder exists and can be written to.")
                                       : reason);
        return false;
    }
    return true;
}

DesignData Design_Of_Document(const SKTDocument &document, Card_Mode mode)
{
    DesignData data;
    data.mode = mode;
    data.front_card = document.Front_card_Prop;
    data.back_card = document.Back_card_Prop;
    for (Card_Property *p : {&data.front_card, &data.back_card}) p->setCard_Size(document.cardBounds().size());
    data.front_controls = document.graphics().items();
    data.back_controls = document.graphics_back().items();
    data.spreadsheet = document.m_spreadsheet;
    data.columns = document.m_columnChoices;
    return data;
}

bool Write_Design_File(const QString &path, const SKTDocument &document, Card_Mode mode, QString *error,
                       File_Link links)
{
    return Write_Design_File(path, Design_Of_Document(document, mode), error, links);
}

void Put_Design_In_Document(DesignData &data, SKTDocument &document, bool withRows)
{
    document.Enable_Disable_Undo_Registraion(false);
    document.graphics().replaceAll(data.front_controls);
    document.graphics_back().replaceAll(data.back_controls);
    document.graphics_temp().clear();
    document.Front_card_Prop = data.front_card;
    document.Back_card_Prop = data.back_card;
    if (withRows) document.m_spreadsheet = data.spreadsheet;
    document.m_columnChoices = data.columns;
    document.Enable_Disable_Undo_Registraion(true);
}
