#include "ControlArchiveBytes.h"
#include "Plist.h"
#include "UnusualValues.h"

#include <gtest/gtest.h>

using namespace designtest;

TEST(ControlArchiveBytes, EveryKindRoundTripsExactly)
{
    for (GraphicKind kind : kEveryKind) {
        SCOPED_TRACE(Graphic_Class_Name(kind).toStdString());
        const KeyedArchive archive = unusualControl(kind, int(kind))->encode();
        QString error;
        const auto back = Control_Archive_From_Bytes(Control_Archive_To_Bytes(archive), &error);
        ASSERT_TRUE(back.has_value()) << error.toStdString();
        // Same class, same keys in the same order, same typed values (pictures and
        // fonts included).
        EXPECT_TRUE(*back == archive);

        GraphicPtr g = SKTGraphic::decode(*back);
        ASSERT_TRUE(g);
        EXPECT_TRUE(g->encode() == archive);
    }
}

TEST(ControlArchiveBytes, FloatsStayFloatsAndMissingKeysReadAsZero)
{
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->_strokeWidth = 1.3;
    text->_fill_grad_angle = 1.3;
    const QVariantMap plist = Control_Archive_To_Plist(text->encode());
    EXPECT_EQ(plist.value("_strokeWidth").toMap().firstKey(), "float");

    QVariantMap withoutAlpha = plist;
    withoutAlpha.remove("alpha_val");
    QVariantList keys = withoutAlpha.value("$keys").toList();
    keys.removeAll(QVariant(QStringLiteral("alpha_val")));
    withoutAlpha.insert("$keys", keys);

    const auto archive = Control_Archive_From_Bytes(Plist_To_Bytes(withoutAlpha, PlistFormat::Binary));
    ASSERT_TRUE(archive.has_value());
    GraphicPtr back = SKTGraphic::decode(*archive);
    EXPECT_EQ(back->_strokeWidth, 1.2999999523162842);
    EXPECT_EQ(back->_fill_grad_angle, 1.2999999523162842);
    EXPECT_EQ(back->alpha_val, 0.0f);                 // not the default 100
    EXPECT_FLOAT_EQ(back->alpha_val_stroke, 100.0f);  // still there
}

TEST(ControlArchiveBytes, CardPropertiesAndControlListsRoundTrip)
{
    Card_Property card = unusualCard(3);
    QImage bg(4, 4, QImage::Format_RGB32);
    bg.fill(Qt::darkCyan);
    card.setCard_BG_Image(Picture(bg, QSizeF(10.5, 10.5)));
    const auto cardBack = Control_Archive_From_Bytes(Control_Archive_To_Bytes(card.encode()));
    ASSERT_TRUE(cardBack.has_value());
    EXPECT_TRUE(Card_Property::decode(*cardBack) == card);

    std::vector<GraphicPtr> side;
    for (GraphicKind kind : kEveryKind) side.push_back(unusualControl(kind, 7));
    QString error;
    const auto back = Graphics_From_Archive_Bytes(Graphics_To_Archive_Bytes(side), &error);
    ASSERT_TRUE(back.has_value()) << error.toStdString();
    ASSERT_EQ(back->size(), side.size());
    for (size_t i = 0; i < side.size(); ++i) {
        EXPECT_EQ((*back)[i]->kind(), side[i]->kind());
        EXPECT_TRUE((*back)[i]->encode() == side[i]->encode());
    }
    // An empty side is an empty list, not a failure.
    const auto none = Graphics_From_Archive_Bytes(Graphics_To_Archive_Bytes({}));
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());
}

TEST(ControlArchiveBytes, RefusesWhatIsNotAListOfControlArchives)
{
    const QVariantMap good = Control_Archive_To_Plist(SKTGraphic::create(GraphicKind::Shape)->encode());
    auto with = [&](const QString &key, const QVariant &value) {
        QVariantMap m = good;
        m.insert(key, value);
        return Plist_To_Bytes(QVariantList{m}, PlistFormat::Binary);
    };
    const QList<QByteArray> bad = {
        QByteArray(),
        QByteArray("\x89PNG\r\n\x1a\n", 8),
        Plist_To_Bytes(good, PlistFormat::Binary),              // one archive, not a list
        Plist_To_Bytes(QVariantList{QString("x")}, PlistFormat::Binary),
        with("$class", QString("NSWindow")),                    // not a card control
        with("alpha_val", QVariantMap{{"quaternion", 1.0}}),     // unknown value type
        with("alpha_val", QVariantMap{{"float", QString("1")}}), // wrong value for its type
        with("print_object", QVariantMap{{"int", qint64(1) << 40}}),
        with("stray", QVariantMap{{"bool", true}}),              // key outside the key list
    };
    QList<QByteArray> outOfBounds;  // non-finite, huge or negative bounds
    for (const QVariantList &r : {QVariantList{0.0, 0.0, qQNaN(), 10.0}, QVariantList{0.0, 0.0, 1e308, 10.0},
                                  QVariantList{0.0, 0.0, 10.0, -5.0}, QVariantList{-2e6, 0.0, 1.0, 1.0},
                                  QVariantList{qInf(), 0.0, 1.0, 1.0}})
        outOfBounds << with("_bounds", QVariantMap{{"rect", r}});
    EXPECT_TRUE(Graphics_From_Archive_Bytes(with("_bounds", QVariantMap{{"rect", QVariantList{-1e6, 0.0, 1e6, 0.0}}})));
    // Picture adjustments of an image control: not finite or beyond a million.
    const QVariantMap image = Control_Archive_To_Plist(SKTGraphic::create(GraphicKind::Image)->encode());
    auto adjusted = [&](const char *key, double value) {
        QVariantMap m = image;
        m.insert(QString::fromLatin1(key), QVariantMap{{"float", value}});
        return Plist_To_Bytes(QVariantList{m}, PlistFormat::Binary);
    };
    const std::pair<const char *, float SKTGraphic::*> adjustments[] = {
        {"rotate_image", &SKTGraphic::rotate_image}, {"hue_val", &SKTGraphic::hue_val}, {"blr_val", &SKTGraphic::blr_val},
        {"sat_val", &SKTGraphic::sat_val}, {"img_trnsp_val", &SKTGraphic::img_trnsp_val}};
    for (const auto &[key, field] : adjustments) {
        for (double v : {qQNaN(), qInf(), -qInf(), 1e30, -1000001.0}) outOfBounds << adjusted(key, v);
        const auto read = Graphics_From_Archive_Bytes(adjusted(key, -1e6));
        ASSERT_TRUE(read.has_value() && read->size() == 1) << key;
        EXPECT_EQ(read->front().get()->*field, -1e6f) << key;
    }
    for (const QByteArray &bytes : bad + outOfBounds) {
        QString error;
        EXPECT_FALSE(Graphics_From_Archive_Bytes(bytes, &error).has_value());
        EXPECT_FALSE(error.isEmpty());
    }
}
