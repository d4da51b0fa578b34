// Reading the design file: the flat array is walked section by section into a
// temporary DesignData, which replaces the caller's only when all of it was sound.
#include "DesignFile.h"

#include "DesignFileFormat.h"
#include "FileUtilities.h"
#include "Globals.h"
#include "GraphicFields.h"
#include "Log.h"
#include "Plist.h"
#include "ResourcePaths.h"
#include "SKTImage.h"
#include "SKTSignature.h"
#include "StoredValues.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

using namespace designfile;

namespace {

template <class... Fs> struct Overloaded : Fs... { using Fs::operator()...; };
template <class... Fs> Overloaded(Fs...) -> Overloaded<Fs...>;

constexpr qint64 kLargestDesignFile = 256ll * 1024 * 1024;

enum class Fault { None, NotDesign, LaterVersion, Damaged, Unreadable, CardTooLarge };

// Thrown inside the reader for anything that makes the array unsound.
struct Damaged {
    QString detail;
};
// Thrown for a card larger than any the card size tab makes (Is_Card_Size_Allowed).
struct CardTooLarge {
    QSizeF points;
};

class ArrayReader {
public:
    explicit ArrayReader(const QStringList &array) : m_a(array) {}

    QString take(const QString &what)
    {
        if (m_i >= m_a.size()) throw Damaged{QStringLiteral("the design ends before %1").arg(what)};
        return m_a[m_i++];
    }
    void expect(const QString &tag)
    {
        const QString got = take(tag);
        if (got != tag) throw Damaged{QStringLiteral("\"%1\" found where \"%2\" belongs (item %3)").arg(got, tag).arg(m_i - 1)};
    }
    // A count of items that take `perItem` array elements each (at least).
    int count(const QString &what, int perItem)
    {
        int n = -1;
        if (!From_Stored_Text(take(what), n) || n < 0 || qint64(n) * perItem > m_a.size() - m_i)
            throw Damaged{QStringLiteral("the count of %1 is damaged (item %2)").arg(what).arg(m_i - 1)};
        return n;
    }
    QStringList strings(const QString &what)
    {
        const int n = count(what, 1);
        QStringList out = m_a.mid(m_i, n);
        m_i += n;
        return out;
    }
    QHash<QString, QString> pairs(const QString &what)
    {
        const int n = count(what, 2);
        QHash<QString, QString> out;
        for (int i = 0; i < n; ++i) {
            const QString key = take(what);
            if (out.contains(key)) throw Damaged{QStringLiteral("%1 holds \"%2\" twice").arg(what, key)};
            out.insert(key, take(what));
        }
        return out;
    }
    bool atEnd() const { return m_i >= m_a.size(); }

private:
    const QStringList &m_a;
    qsizetype m_i = 0;
};

template <class T> T parsed(const QString &text, const QString &key)
{
    T v{};
    if (!From_Stored_Text(text, v)) throw Damaged{QStringLiteral("the value of \"%1\" is damaged: \"%2\"").arg(key, text)};
    return v;
}

void refuseUnknownKeys(const QHash<QString, QString> &pairs, const QSet<QString> &known, const QString &what)
{
    for (auto it = pairs.begin(); it != pairs.end(); ++it)
        if (!known.contains(it.key())) throw Damaged{QStringLiteral("%1 holds an unknown key \"%2\"").arg(what, it.key())};
}

// The key and value pairs of a section that starts with its name; a key not known is damage.
QHash<QString, QString> sectionPairs(ArrayReader &r, const QString &section, const QString &what, const QSet<QString> &known)
{
    r.expect(section);
    QHash<QString, QString> pairs = r.pairs(what);
    refuseUnknownKeys(pairs, known, what);
    return pairs;
}

// ---- Card properties ----

// The stored keys of a card side with a value of each one's type (taken from a new
// record, which has every field set; the background picture is not stored).
const QHash<QString, KeyedArchive::Value> &cardKeyTypes()
{
    static const QHash<QString, KeyedArchive::Value> types = [] {
        QHash<QString, KeyedArchive::Value> h;
        const KeyedArchive sample = Card_Property().encode();
        for (const auto &[key, value] : sample.entries())
            if (!std::holds_alternative<Picture>(value) && !std::holds_alternative<TextRecord>(value)) h.insert(key, value);
        return h;
    }();
    return types;
}

void put(KeyedArchive &a, const QString &k, bool v) { a.encodeBool(k, v); }
void put(KeyedArchive &a, const QString &k, int32_t v) { a.encodeInt(k, v); }
void put(KeyedArchive &a, const QString &k, float v) { a.encodeFloat(k, v); }
void put(KeyedArchive &a, const QString &k, double v) { a.encodeDouble(k, v); }
void put(KeyedArchive &a, const QString &k, const QRectF &v) { a.encodeRect(k, v); }
void put(KeyedArchive &a, const QString &k, const QPointF &v) { a.encodePoint(k, v); }
void put(KeyedArchive &a, const QString &k, const QSizeF &v) { a.encodeSize(k, v); }
void put(KeyedArchive &a, const QString &k, const QString &v) { a.encodeString(k, v); }
void put(KeyedArchive &a, const QString &k, const QColor &v) { a.encodeColor(k, v); }
void put(KeyedArchive &a, const QString &k, const QFont &v) { a.encodeFont(k, v); }

Card_Property readCard(ArrayReader &r, const QString &side)
{
    const QString what = QStringLiteral("the card properties of side %1").arg(side);
    r.expect(kCardSection);
    if (r.take(what) != side) throw Damaged{what + QStringLiteral(" are missing")};
    const QHash<QString, QString> pairs = r.pairs(what);
    const auto &types = cardKeyTypes();
    KeyedArchive a(QStringLiteral("Card_Property"));
    for (auto it = pairs.begin(); it != pairs.end(); ++it) {
        const auto type = types.find(it.key());
        if (type == types.end()) throw Damaged{QStringLiteral("%1 hold an unknown key \"%2\"").arg(what, it.key())};
        std::visit([&](const auto &sample) {
            using T = std::decay_t<decltype(sample)>;
            if constexpr (!std::is_same_v<T, Picture> && !std::is_same_v<T, TextRecord>)
                put(a, it.key(), parsed<T>(it.value(), it.key()));
        }, type.value());
    }
    Card_Property card = Card_Property::decode(a);
    if (!Is_Sound_Stored_Geometry(QRectF(card.Card_Location(), card.Card_Size())))
        throw Damaged{QStringLiteral("%1 hold a card position or size out of bounds").arg(what)};
    if (!Is_Card_Size_Allowed(card.Card_Size())) throw CardTooLarge{card.Card_Size()};
    return card;
}

// ---- Controls ----

GraphicPtr buildControl(GraphicKind kind, const QHash<QString, QString> &pairs)
{
    GraphicPtr g = SKTGraphic::create(kind, true);
    QSet<QString> known;
    for (const GraphicField &f : Graphic_Fields()) {
        const FieldValue blank = f.blankValue();
        // Pictures are not stored: image and signature pictures are loaded from their
        // paths afterwards, barcode pictures are made again by the caller.
        if (!inMask(f.archivedBy, kind) || std::holds_alternative<Picture>(blank)) continue;
        const QString &k = f.name;
        known << k;
        if (std::holds_alternative<std::optional<TextRecord>>(blank)) known << k + kTextFontSuffix << k + kTextColorSuffix;
        if (!pairs.contains(k)) continue;  // missing: stays zero, false or empty
        const QString &text = pairs[k];
        const FieldValue v = std::visit(
            Overloaded{
                [&](const Picture &p) -> FieldValue { return p; },  // not reached
                [&](const std::optional<QFont> &) -> FieldValue { return std::optional<QFont>(parsed<QFont>(text, k)); },
                [&](const std::optional<TextRecord> &) -> FieldValue {
                    TextRecord t;
                    t.text = text;
                    t.font = parsed<QFont>(pairs.value(k + kTextFontSuffix), k + kTextFontSuffix);
                    t.color = parsed<QColor>(pairs.value(k + kTextColorSuffix), k + kTextColorSuffix);
                    return std::optional<TextRecord>(t);
                },
                [&](const auto &sample) -> FieldValue { return parsed<std::decay_t<decltype(sample)>>(text, k); },
            },
            blank);
        if (const QRectF *r = std::get_if<QRectF>(&v); r && !Is_Sound_Stored_Geometry(*r))
            throw Damaged{QStringLiteral("the value of \"%1\" is out of bounds: \"%2\"").arg(k, text)};
        if (const float *a = std::get_if<float>(&v); a && Is_Adjustment_Key(k) && !Is_Sound_Stored_Adjustment(*a))
            throw Damaged{QStringLiteral("the value of \"%1\" is out of bounds: \"%2\"").arg(k, text)};
        f.set(*g, v);
    }
    refuseUnknownKeys(pairs, known, QStringLiteral("a %1 control").arg(Graphic_Class_Name(kind)));
    return g;
}

std::vector<GraphicPtr> readControls(ArrayReader &r, const QString &side)
{
    const QString what = QStringLiteral("the controls of side %1").arg(side);
    r.expect(kControlsSection);
    if (r.take(what) != side) throw Damaged{what + QStringLiteral(" are missing")};
    const int n = r.count(what, 3);
    std::vector<GraphicPtr> out;
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        r.expect(kControlTag);
        const QString cls = r.take(what);
        GraphicKind kind;
        if (!Graphic_Kind_For_Class_Name(cls, &kind)) throw Damaged{QStringLiteral("\"%1\" is not a card control").arg(cls)};
        out.push_back(buildControl(kind, r.pairs(QStringLiteral("a control of side %1").arg(side))));
    }
    return out;
}

// ---- Spreadsheet and column choices ----

DesignSpreadsheet readSpreadsheet(ArrayReader &r)
{
    DesignSpreadsheet s;
    const QHash<QString, QString> pairs =
        sectionPairs(r, kSpreadsheetSection, QStringLiteral("the spreadsheet settings"),
                     {"Excel_Source_Path", "Excel_Sheet_Number", "contains_header", "Excel_Binding_Use"});
    for (auto it = pairs.begin(); it != pairs.end(); ++it) {
        if (it.key() == QLatin1String("Excel_Source_Path")) s.Excel_Source_Path = it.value();
        else if (it.key() == QLatin1String("Excel_Sheet_Number")) s.Excel_Sheet_Number = parsed<int>(it.value(), it.key());
        else if (it.key() == QLatin1String("contains_header")) s.contains_header = parsed<bool>(it.value(), it.key());
        else s.Excel_Binding_Use = parsed<bool>(it.value(), it.key());
    }
    r.expect(kColumnTitlesSection);
    s.column_titles = r.strings(QStringLiteral("the column titles"));
    r.expect(kRowsSection);
    const int rows = r.count(QStringLiteral("the spreadsheet rows"), 1);
    for (int i = 0; i < rows; ++i) s.rows << r.strings(QStringLiteral("a spreadsheet row"));
    return s;
}

DesignColumnChoices readColumnChoices(ArrayReader &r)
{
    DesignColumnChoices c;
    QSet<QString> known;
    for (const ColumnChoiceField &f : Column_Choice_Fields()) known << f.name;
    const QHash<QString, QString> pairs = sectionPairs(r, kColumnChoicesSection, QStringLiteral("the column choices"), known);
    for (const ColumnChoiceField &f : Column_Choice_Fields())
        if (pairs.contains(f.name)) c.*f.member = parsed<int>(pairs[f.name], f.name);
    return c;
}

// ---- After reading ----

// A path into the resources of some copy of the program, re-pointed into ours; any
// other path stays exactly as stored.
void repoint(QString &path)
{
    path = Repoint_Resource_Path(path, Resource_Path);
}

void finishCard(Card_Property &card)
{
    QString path = card.Card_BG_Image_Path();
    repoint(path);
    card.setCard_BG_Image_Path(path);
    if (!path.isEmpty() && QFileInfo(path).isFile()) card.setCard_BG_Image(Picture::fromFile(path));
}

void finishControls(std::vector<GraphicPtr> &controls)
{
    for (const GraphicPtr &g : controls) {
        if (g->kind() == GraphicKind::Image) {
            repoint(g->_file_path);
            repoint(g->Text_Value);
            static_cast<SKTImage &>(*g).setFileNSImage(g->_file_path);
        } else if (g->kind() == GraphicKind::Signature) {
            repoint(g->_file_path);
            static_cast<SKTSignature &>(*g).setFilePath(g->_file_path);
        }
    }
}

Fault parseDesign(const QStringList &array, DesignData &data, QString *detail)
{
    if (array.isEmpty() || array.first() != kDesignFileMagic) return Fault::NotDesign;
    try {
        // A design file can't hold a NUL character, so a design with one could not be saved.
        for (const QString &item : array)
            if (item.contains(QChar(0))) throw Damaged{QStringLiteral("a string holds a NUL character")};
        ArrayReader r(array);
        r.expect(kDesignFileMagic);
        const int version = parsed<int>(r.take(QStringLiteral("the format version")), QStringLiteral("version"));
        if (version > kDesignFileVersion) return Fault::LaterVersion;
        if (version < 1) throw Damaged{QStringLiteral("unknown format version %1").arg(version)};

        DesignData d;
        r.expect(kModeSection);
        const QString kind = r.take(QStringLiteral("the design's kind"));
        const std::optional<Card_Mode> mode = Card_Mode_Of_Letter(kind);
        if (!mode || !Is_Design_Mode(*mode)) throw Damaged{QStringLiteral("unknown design kind \"%1\"").arg(kind)};
        d.mode = *mode;
        d.front_card = readCard(r, kFrontSide);
        d.back_card = readCard(r, kBackSide);
        d.spreadsheet = readSpreadsheet(r);
        d.columns = readColumnChoices(r);
        d.front_controls = readControls(r, kFrontSide);
        d.back_controls = readControls(r, kBackSide);
        r.expect(kEndTag);
        if (!r.atEnd()) throw Damaged{QStringLiteral("items follow the end of the design")};

        finishCard(d.front_card);
        finishCard(d.back_card);
        finishControls(d.front_controls);
        finishControls(d.back_controls);
        data = std::move(d);
        return Fault::None;
    } catch (const Damaged &e) {
        if (detail) *detail = e.detail;
        return Fault::Damaged;
    } catch (const CardTooLarge &e) {
        // The size in millimetres, as the card size tab shows it.
        if (detail)
            *detail = QStringLiteral("%1 x %2").arg(QString::number(Points_to_MM_Convert(e.points.width()), 'f', 1),
                                                    QString::number(Points_to_MM_Convert(e.points.height()), 'f', 1));
        return Fault::CardTooLarge;
    }
}

// The message for the user; `detail` is the card's size in millimetres for CardTooLarge.
QString faultMessage(Fault fault, const QString &fileName, const QString &detail)
{
    const QString file = fileName.isEmpty() ? QStringLiteral("This file") : QStringLiteral("\"%1\"").arg(fileName);
    switch (fault) {
    case Fault::None: return {};
    case Fault::Unreadable: return QStringLiteral("%1 could not be opened.").arg(file);
    case Fault::NotDesign: return QStringLiteral("%1 is not a design file.").arg(file);
    case Fault::LaterVersion:
        return QStringLiteral("%1 was saved by a later version of %2 and can't be opened.").arg(file, App_Name);
    case Fault::Damaged: return QStringLiteral("%1 is damaged or incomplete and can't be opened.").arg(file);
    case Fault::CardTooLarge:
        return QStringLiteral("%1 holds a card of %2 mm, but a card side can be at most %3 mm long; the design can't be "
                              "opened.")
            .arg(file, detail, QString::number(kLargestCardSideMM, 'f', 0));
    }
    return {};
}

Fault report(Fault fault, const QString &fileName, const QString &detail, QString *error)
{
    if (fault != Fault::None) {
        const QString message = faultMessage(fault, fileName, detail);
        if (error) *error = message;
        Show_NSLog_Message(message + (detail.isEmpty() || fault == Fault::CardTooLarge ? QString()
                                                                                       : QStringLiteral(" (%1)").arg(detail)));
    }
    return fault;
}

} // namespace

bool Design_From_Array(const QStringList &array, DesignData &data, QString *error)
{
    QString detail;
    const Fault fault = parseDesign(array, data, &detail);
    return report(fault, QString(), detail, error) == Fault::None;
}

bool Read_Design_File(const QString &path, DesignData &data, QString *error)
{
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return report(Fault::Unreadable, name, path, error) == Fault::None;
    if (file.size() > kLargestDesignFile) return report(Fault::NotDesign, name, QStringLiteral("too large"), error) == Fault::None;
    const QByteArray bytes = file.readAll();

    const std::optional<QVariant> root = Plist_From_Bytes(bytes);
    if (!root) {
        // A file that names itself a design but does not parse was cut short or damaged.
        const Fault f = bytes.contains(kDesignFileMagic.toUtf8()) ? Fault::Damaged : Fault::NotDesign;
        return report(f, name, QStringLiteral("not a property list"), error) == Fault::None;
    }
    if (root->typeId() != QMetaType::QVariantList) return report(Fault::NotDesign, name, {}, error) == Fault::None;
    QStringList array;
    const QVariantList items = root->toList();
    for (const QVariant &item : items) {
        if (item.typeId() != QMetaType::QString) {
            const bool named = !items.isEmpty() && items.first().toString() == kDesignFileMagic;
            return report(named ? Fault::Damaged : Fault::NotDesign, name, QStringLiteral("not an array of strings"),
                          error) == Fault::None;
        }
        array << item.toString();
    }
    QString detail;
    const Fault fault = parseDesign(array, data, &detail);
    return report(fault, name, detail, error) == Fault::None;
}
