// The value generator's rules, pinned by the bytes of the series they make.
#include "SeriesFile.h"
#include "ValueGenerator.h"

#include <QRegularExpression>
#include <gtest/gtest.h>
#include <random>

namespace VG = ValueGenerator;

namespace {

QStringList seq(const QString &from, const QString &to, bool pad, const QString &prefix = {}, const QString &suffix = {})
{
    const VG::Sequence s = VG::Sequential(prefix, suffix, from, to, pad);
    EXPECT_FALSE(s.refusal) << (s.refusal ? s.refusal->message.toStdString() : "");
    return s.values;
}

TEST(ValueGenerator, SequentialBytes)
{
    QByteArray padded, plain;
    for (int i = 1; i <= 200; ++i) {
        padded += QByteArray::number(i).rightJustified(3, '0') + '\n';
        plain += QByteArray::number(i) + '\n';
    }
    EXPECT_EQ(SeriesFile::Encode(seq("1", "200", true)), padded);
    EXPECT_EQ(padded.size(), 800);
    EXPECT_EQ(SeriesFile::Encode(seq("1", "200", false)), plain);
    EXPECT_EQ(SeriesFile::Encode(seq("8", "10", false, "A-", "-X")), QByteArray("A-8-X\nA-9-X\nA-10-X\n"));
    EXPECT_EQ(SeriesFile::Encode(seq("1", "10", true)), QByteArray("01\n02\n03\n04\n05\n06\n07\n08\n09\n10\n"));
}

TEST(ValueGenerator, SequentialPadding)
{
    const QStringList wide = seq("001", "00200", true);
    ASSERT_EQ(wide.size(), 200);
    EXPECT_EQ(wide.first(), "00001");
    EXPECT_EQ(wide.at(10), "00011");
    EXPECT_EQ(wide.last(), "00200");
    EXPECT_EQ(seq("-3", "3", true), (QStringList{"-3", "-2", "-1", "00", "01", "02", "03"}));
    EXPECT_EQ(seq("-3", "3", false), (QStringList{"-3", "-2", "-1", "0", "1", "2", "3"}));
    // Prefix and suffix exactly as typed.
    EXPECT_EQ(seq("1", "2", false, " p ", " s"), (QStringList{" p 1 s", " p 2 s"}));
    EXPECT_EQ(VG::PadZero("-3", 3), "0-3");
    EXPECT_EQ(VG::PadZero("1234", 3), "1234");
}

TEST(ValueGenerator, SequentialRefusals)
{
    const QString from = "Please enter valid number for 'From' value.";
    const QString to = "Please enter valid number for 'To' value.";
    const QString order = "Please enter valid number.\n'From' value must be smaller than 'To' value.";
    struct Row {
        QString from, to, message;
        VG::Field field;
    } rows[] = {
        {"", "5", from, VG::Field::From},
        {"1", "", to, VG::Field::To},
        {"5", "5", order, VG::Field::From},
        {"6", "5", order, VG::Field::From},
        {"1", "9999999999", to, VG::Field::To},
        {"-9999999999", "1", to, VG::Field::To},
        {"1", "100001", to, VG::Field::To},
        {"-", "5", from, VG::Field::From},
        {"1", "x", to, VG::Field::To},
    };
    for (const Row &r : rows) {
        const VG::Sequence s = VG::Sequential({}, {}, r.from, r.to, true);
        ASSERT_TRUE(s.refusal) << r.from.toStdString() << " " << r.to.toStdString();
        EXPECT_EQ(s.refusal->message, r.message);
        EXPECT_EQ(s.refusal->field, r.field);
        EXPECT_TRUE(s.values.isEmpty());
    }
    // The largest range allowed and the 32-bit ends.
    EXPECT_EQ(seq("1", "100000", false).size(), 100000);
    EXPECT_EQ(seq("2147483646", "2147483647", false), (QStringList{"2147483646", "2147483647"}));
    EXPECT_EQ(seq("-2147483648", "-2147483647", false), (QStringList{"-2147483648", "-2147483647"}));
}

TEST(ValueGenerator, ConstantAndRandom)
{
    EXPECT_EQ(VG::Constant("  ", 2), (QStringList{"  ", "  "}));
    EXPECT_EQ(VG::Constant("x", 0), QStringList());
    EXPECT_EQ(VG::Constant("x", -4), QStringList());
    std::mt19937 rng(7);
    auto draw = [&] { return quint32(rng()); };
    const QStringList four = VG::Random({}, {}, 4, 50, draw);
    ASSERT_EQ(four.size(), 50);
    const QRegularExpression digits4("^[1-9][0-9]{3}$");
    for (const QString &v : four) EXPECT_TRUE(digits4.match(v).hasMatch()) << v.toStdString();
    for (const QString &v : VG::Random("P", "S", 1, 200, draw)) EXPECT_TRUE(QRegularExpression("^P[1-9]S$").match(v).hasMatch());
    for (const QString &v : VG::Random({}, {}, 9, 50, draw)) EXPECT_TRUE(QRegularExpression("^[1-9][0-9]{8}$").match(v).hasMatch());
    // The draw's ends map onto the range's ends.
    EXPECT_EQ(VG::Random_Between(10, 99, 0), 10);
    EXPECT_EQ(VG::Random_Between(10, 99, 89), 99);
    EXPECT_EQ(VG::Random_Between(10, 99, 90), 10);
    EXPECT_EQ(VG::Random_Between(1, 9, 0xFFFFFFFFu), 4);
    EXPECT_EQ(VG::Random_Between(-5, 5, 12), -4);
    EXPECT_EQ(VG::Constant("c", 20000).size(), VG::kMaxCount);
    // The ends of each length's range.
    struct Ends {
        int length;
        quint32 draw;
        QString value;
    } ends[] = {{1, 0, "1"}, {1, 8, "9"}, {1, 9, "1"}, {2, 0, "10"}, {2, 89, "99"}, {2, 90, "10"},
                {4, 8999, "9999"}, {4, 9000, "1000"}, {9, 899999999, "999999999"}, {12, 0, "100000000"}};
    for (const Ends &e : ends)
        EXPECT_EQ(VG::Random({}, {}, e.length, 1, [&] { return e.draw; }), QStringList{e.value}) << e.length << " " << e.draw;
}

TEST(ValueGenerator, TypingRules)
{
    struct Row {
        QString typed, count, length, range;
    } rows[] = {
        {"0", "1", "1", "0"},
        {"", "1", "1", ""},
        {"123456", "10000", "1", "123456"},
        {"12", "12", "1", "12"},
        {"10001", "10000", "1", "10001"},
        {"-5", "-5", "-", "-5"},
        {"abc12def", "1", "1", "12"},
        {"+7", "+7", "+", "7"},
        {" 42 ", "42", "4", "42"},
        {"12345678901234", "10000", "1", "1234567890"},
    };
    for (const Row &r : rows) {
        EXPECT_EQ(VG::Count_Field_Text(r.typed), r.count) << r.typed.toStdString();
        EXPECT_EQ(VG::Range_Field_Text(r.typed), r.range) << r.typed.toStdString();
    }
    EXPECT_EQ(VG::Range_Field_Text("abc"), "");
    EXPECT_EQ(VG::Range_Field_Text("+"), "");
    struct Int {
        QString text;
        int value;
    } ints[] = {{"", 0}, {"7x", 7}, {"-", 0}, {" -12 ", -12}, {"x7", 0}, {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1}};
    for (const Int &i : ints) EXPECT_EQ(VG::Field_Int(i.text), i.value) << i.text.toStdString();
    EXPECT_EQ(VG::Length_Field_Text("12"), "1");
    EXPECT_EQ(VG::Length_Field_Text("7"), "7");
    EXPECT_EQ(VG::Length_Field_Text("0"), "1");
    EXPECT_EQ(VG::Length_Field_Text("05"), "1");
    struct Key {
        QString text;
        bool ok;
    } keys[] = {{"", true}, {"-", true}, {"-12", true}, {" 3 ", true}, {"1a", false}, {"a", false}, {"1.5", false}, {"1 2", false}};
    for (const Key &k : keys) EXPECT_EQ(VG::Integer_Partial_Valid(k.text), k.ok) << k.text.toStdString();
    EXPECT_EQ(VG::Check_Constant("", "1")->message, "Please enter valid Value.");
    EXPECT_EQ(VG::Check_Constant(" ", "")->message, "Please enter valid number for 'Count' value.");
    EXPECT_FALSE(VG::Check_Constant(" ", "1"));
    EXPECT_EQ(VG::Check_Random("", "1")->message, "Please enter valid number for 'Count' value.");
    EXPECT_EQ(VG::Check_Random("1", "")->message, "Please enter valid number for 'Length' value.");
}

} // namespace
