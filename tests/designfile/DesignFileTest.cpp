#include "AnotherUser.h"
#include "DesignFile.h"
#include "DesignTestSupport.h"
#include "Globals.h"
#include "Plist.h"
#include "QStringPrinter.h"
#include "SKTDocument.h"
#include "SKTSignature.h"
#include "TestSupport.h"
#include "UnusualValues.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <csignal>
#include <gtest/gtest.h>
#include <iostream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace design_file_test {

using namespace designtest;

namespace {

QString folder()
{
    const QString dir = testsupport::testHome() + "/designs";
    QDir().mkpath(dir);
    return dir;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QString pictureFile(const QString &name)
{
    const QString path = folder() + "/" + name;
    QImage img(6, 4, QImage::Format_RGB32);
    img.fill(Qt::magenta);
    img.save(path, "PNG");
    return path;
}

DesignData fullDesign()
{
    DesignData d;
    d.mode = Card_Mode::Group;
    d.front_card = unusualCard(1);
    d.back_card = unusualCard(2);
    for (GraphicKind kind : kEveryKind) d.front_controls.push_back(unusualControl(kind, int(kind)));
    d.back_controls = {unusualControl(GraphicKind::Text, 11), unusualControl(GraphicKind::Image, 12)};
    for (auto *side : {&d.front_controls, &d.back_controls})
        for (const GraphicPtr &g : *side)
            if (g->kind() == GraphicKind::Image || g->kind() == GraphicKind::Signature) g->_file_path = pictureFile("photo.png");
    d.spreadsheet = {"/home/someone/Staff list.xlsx", 3, false, true, {"Name", "", "Photo"},
                     {{"1", "Zo\u00eb", "a::::b", "/pics/1.png"}, {"2", "", "  "}, {}}};
    d.columns.excel_cb_value1 = 1;
    d.columns.excel_cb_value11 = 3;
    d.columns.excel_cb_value_b_man = 0;
    return d;
}

void expectRefused(const QString &path, const QString &messagePart)
{
    DesignData d = markerDesign();
    const GraphicPtr shape = d.front_controls[0];
    QString error;
    EXPECT_FALSE(Read_Design_File(path, d, &error)) << path.toStdString();
    EXPECT_TRUE(error.contains(messagePart)) << error.toStdString();
    expectMarkerDesign(d, shape);
}

} // namespace

TEST(DesignFile, SavedReopenedAndSavedAgainIsByteIdentical)
{
    const DesignData design = fullDesign();
    const QString first = folder() + "/first.zcd", second = folder() + "/second.zcd";
    QString error;
    ASSERT_TRUE(Write_Design_File(first, design, &error)) << error.toStdString();

    DesignData back;
    ASSERT_TRUE(Read_Design_File(first, back, &error)) << error.toStdString();
    expectSameDesign(design, back);
    ASSERT_TRUE(Write_Design_File(second, back, &error));
    EXPECT_EQ(readAll(first), readAll(second));

    // The file is an XML property list of one flat array of strings; pictures are
    // loaded again from their paths.
    const auto root = Plist_Read_File(first);
    ASSERT_TRUE(root && root->typeId() == QMetaType::QVariantList);
    EXPECT_EQ(root->toList().first().toString(), kDesignFileMagic);
    EXPECT_TRUE(readAll(first).startsWith("<?xml"));
    for (const GraphicPtr &g : back.front_controls) {
        if (g->kind() == GraphicKind::Image) {
            EXPECT_FALSE(g->_contents.isNull());
        } else if (g->kind() == GraphicKind::Signature) {
            EXPECT_FALSE(static_cast<SKTSignature &>(*g)._contents_img.isNull());
        } else if (g->kind() == GraphicKind::Barcode) {
            EXPECT_TRUE(g->_barcode_image.isNull());
        }
    }
}

TEST(DesignFile, BrokenTruncatedLaterAndForeignFilesAreRefused)
{
    const QString good = folder() + "/good.zcd";
    ASSERT_TRUE(Write_Design_File(good, fullDesign(), nullptr));
    const QByteArray bytes = readAll(good);
    auto variant = [&](const QString &name, const QByteArray &content) {
        const QString path = folder() + "/" + name;
        writeBytes(path, content);
        return path;
    };
    auto replaced = [&](const char *from, const char *to) {
        QByteArray b = bytes;
        const qsizetype at = b.indexOf(from);
        EXPECT_GE(at, 0) << from;
        return b.replace(at, qstrlen(from), to);
    };

    expectRefused(variant("cut.zcd", bytes.left(bytes.size() / 2)), "damaged");
    expectRefused(variant("xml.zcd", replaced("<string>CARD</string>", "<string>CARD</strin>")), "damaged");
    expectRefused(variant("section.zcd", replaced("<string>CONTROLS</string>", "<string>CONTROLZ</string>")), "damaged");
    expectRefused(variant("kind.zcd", replaced("<string>SKTImage</string>", "<string>NSImage</string>")), "damaged");
    expectRefused(variant("colour.zcd", replaced("<string>0.55:", "<string>0.55;")), "damaged");
    expectRefused(variant("nul.zcd", replaced("<string>CARD</string>", QByteArray("<string>CA\0RD</string>", 22))), "damaged");

    // Control and card geometry that is not finite, huge or a negative size.
    QStringList array = Design_To_Array(fullDesign());
    const qsizetype bounds = array.indexOf("_bounds") + 1, cardSize = array.indexOf("Card_Size") + 1;
    for (const auto &[at, value] : {std::pair{bounds, "{{0, 0}, {nan, 10}}"}, {bounds, "{{0, 0}, {1e308, 10}}"},
                                    {bounds, "{{0, 0}, {10, -5}}"}, {bounds, "{{-2e6, 0}, {1, 1}}"},
                                    {bounds, "{{inf, 0}, {1, 1}}"}, {cardSize, "{-1, 100}"}, {cardSize, "{1e7, 100}"}}) {
        QStringList damaged = array;
        damaged[at] = value;
        QVariantList root;
        for (const QString &s : damaged) root << s;
        expectRefused(variant("bounds.zcd", Plist_To_Bytes(root)), "damaged");
    }
    // Picture adjustments that are not finite or lie beyond a million.
    for (const char *key : {"rotate_image", "hue_val", "blr_val"})
        for (const char *value : {"nan", "inf", "-inf", "1e30", "-1000001"}) {
            QStringList damaged = array;
            const qsizetype at = array.indexOf(key) + 1;
            ASSERT_GT(at, 0) << key;
            damaged[at] = value;
            QVariantList root;
            for (const QString &s : damaged) root << s;
            expectRefused(variant("adjustment.zcd", Plist_To_Bytes(root)), "damaged");
        }
    // The largest accepted value is read as it stands.
    {
        QStringList large = array;
        large[array.indexOf("hue_val") + 1] = "1000000";
        DesignData d;
        ASSERT_TRUE(Design_From_Array(large, d, nullptr));
    }
    // A design holding a NUL character could not be saved again.
    QStringList withNul = array;
    withNul[array.indexOf("Card_Name") + 1] = QString("a") + QChar(0) + "b";
    DesignData d = markerDesign();
    EXPECT_FALSE(Design_From_Array(withNul, d, nullptr));
    expectMarkerDesign(d);

    QStringList later = Design_To_Array(fullDesign());
    later[1] = "2";
    QVariantList laterRoot;
    for (const QString &s : later) laterRoot << s;
    expectRefused(variant("later.zcd", Plist_To_Bytes(laterRoot)), "later version");

    expectRefused(Resource_Path + "PrintProfile/Default.zvp", "not a design file");
    expectRefused(Resource_Path + "no.png", "not a design file");
    expectRefused(variant("empty.zcd", QByteArray()), "not a design file");
    expectRefused(variant("dict.zcd", Plist_To_Bytes(QVariantMap{{"a", QString("b")}})), "not a design file");
    expectRefused(folder() + "/missing.zcd", "could not be opened");
    expectRefused(folder(), "could not be opened");
}

TEST(DesignFile, UnknownKeysAndDamagedValuesOfSettingSectionsAreRefused)
{
    const QStringList array = Design_To_Array(fullDesign());
    struct Row {
        const char *item;       // an item of the saved array
        const char *replacement;
        bool accepted;
    };
    const Row rows[] = {
        {"Excel_Sheet_Number", "Excel_Sheet_Numbers", false},
        {"contains_header", "Contains_header", false},
        {"excel_cb_value3", "excel_cb_value13", false},
        {"excel_cb_value_b_man", "excel_cb_value_c_man", false},
        {"Excel_Sheet_Number", "Excel_Sheet_Number", true},
        {"excel_cb_value3", "excel_cb_value3", true},
    };
    for (const Row &row : rows) {
        QStringList edited = array;
        const qsizetype at = array.indexOf(QString::fromLatin1(row.item));
        ASSERT_GT(at, 0) << row.item;
        edited[at] = QString::fromLatin1(row.replacement);
        DesignData d = markerDesign();
        QString error;
        EXPECT_EQ(Design_From_Array(edited, d, &error), row.accepted) << row.replacement;
        if (!row.accepted) {
            EXPECT_EQ(d.mode, Card_Mode::Template) << row.replacement;
            EXPECT_TRUE(error.contains("damaged")) << error.toStdString();
        }
    }
    // A value of each section that is not a number.
    for (const char *key : {"Excel_Sheet_Number", "excel_cb_value7"}) {
        QStringList edited = array;
        edited[array.indexOf(QString::fromLatin1(key)) + 1] = "seven";
        DesignData d = markerDesign();
        EXPECT_FALSE(Design_From_Array(edited, d, nullptr)) << key;
        EXPECT_EQ(d.mode, Card_Mode::Template) << key;
    }
}

TEST(DesignFile, TheKindIsStoredAsItsLetter)
{
    // Writing: the mode's letter follows "MODE"; modes no design file has are not written.
    const struct {
        Card_Mode mode;
        const char *letter;
    } kinds[] = {{Card_Mode::Opened, "L"}, {Card_Mode::Template, "T"}, {Card_Mode::Group, "G"}};
    for (const auto &k : kinds) {
        DesignData d = markerDesign();
        d.mode = k.mode;
        const QStringList array = Design_To_Array(d);
        ASSERT_GE(array.size(), 4);
        EXPECT_EQ(array[2], "MODE");
        EXPECT_EQ(array[3], k.letter);
        DesignData back;
        ASSERT_TRUE(Design_From_Array(array, back, nullptr)) << k.letter;
        EXPECT_EQ(back.mode, k.mode) << k.letter;
    }
    const QString path = folder() + "/kind.zcd";
    for (Card_Mode m : {Card_Mode::Visitor, Card_Mode::Wizard}) {
        DesignData d = markerDesign();
        d.mode = m;
        QString error;
        EXPECT_FALSE(Write_Design_File(path, d, &error));
        EXPECT_EQ(error, "The design could not be saved: it has no valid kind (design or template).");
    }
    EXPECT_FALSE(QFileInfo::exists(path));
    // Reading: any other text in the kind's place is a damaged file.
    const QStringList good = Design_To_Array(markerDesign());
    for (const char *letter : {"V", "W", "g", "", " L", "LL"}) {
        QStringList array = good;
        array[3] = letter;
        DesignData d = markerDesign();
        QString error;
        EXPECT_FALSE(Design_From_Array(array, d, &error)) << '"' << letter << '"';
        EXPECT_EQ(error, "This file is damaged or incomplete and can't be opened.");
        EXPECT_EQ(d.mode, Card_Mode::Template);
    }
}

TEST(DesignFile, EveryShortenedArrayIsRefused)
{
    const QStringList whole = Design_To_Array(fullDesign());
    DesignData d;
    ASSERT_TRUE(Design_From_Array(whole, d, nullptr));
    for (qsizetype n = 0; n < whole.size(); ++n) {
        DesignData target = markerDesign();
        QString error;
        ASSERT_FALSE(Design_From_Array(whole.mid(0, n), target, &error)) << n;
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(target.mode, Card_Mode::Template);
    }
    // Nothing may follow the end either.
    EXPECT_FALSE(Design_From_Array(QStringList(whole) << "extra", d, nullptr));
}

TEST(DesignFile, BundleResourcePathsArePointedIntoOurResources)
{
    DesignData d;
    const QString bundle = "/Applications/DOZO ID Card.app/Contents/Resources/";
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->_file_path = image->Text_Value = bundle + "no.png";
    GraphicPtr sign = SKTGraphic::create(GraphicKind::Signature);
    sign->_file_path = bundle + "sign_sample.png";
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->Text_Value = bundle + "no.png";  // a text is not a path
    d.front_controls = {image, sign, text};
    d.back_card.setCard_BG_Image_Path(bundle + "Background/Teal_Curves.png");
    d.front_card.setCard_BG_Image_Path(" /elsewhere/kept as is.png ");

    const QString path = folder() + "/bundle.zcd";
    ASSERT_TRUE(Write_Design_File(path, d, nullptr));
    DesignData back;
    ASSERT_TRUE(Read_Design_File(path, back, nullptr));
    const SKTGraphic &img = *back.front_controls[0];
    EXPECT_EQ(img._file_path, Resource_Path + "no.png");
    EXPECT_EQ(img.Text_Value, Resource_Path + "no.png");
    EXPECT_FALSE(img._contents.isNull());
    EXPECT_EQ(back.front_controls[1]->_file_path, Resource_Path + "sign_sample.png");
    EXPECT_EQ(back.front_controls[2]->Text_Value, bundle + "no.png");
    EXPECT_EQ(back.back_card.Card_BG_Image_Path(), Resource_Path + "Background/Teal_Curves.png");
    EXPECT_FALSE(back.back_card.Card_BG_Image().isNull());
    EXPECT_EQ(back.front_card.Card_BG_Image_Path(), " /elsewhere/kept as is.png ");
}

// A design made from a template by one copy of the program, opened by a copy whose
// resources are elsewhere (another build, an installed package, a moved build folder):
// the template's pictures come from the opening copy's resources; a user's own picture
// keeps its path.
TEST(DesignFile, TheTemplatesPicturesFollowTheResourcesOfTheCopyThatOpens)
{
    const QString home = testsupport::testHome();
    const QStringList pictures = {"pic_ic.png", "sign_sample.png", "LibraryImage/Business/Company_Logo.png",
                                  "Background/Soft_Gradient.jpg"};
    // The opening copy's resources: each picture a colour of its own, so that a pixel
    // tells where it was read from.
    const QString ours = home + "/B/resources/";
    const QRgb colours[] = {qRgb(10, 200, 30), qRgb(200, 10, 30), qRgb(30, 10, 200), qRgb(120, 120, 10)};
    for (int i = 0; i < pictures.size(); ++i) {
        QDir().mkpath(QFileInfo(ours + pictures[i]).path());
        QImage img(8, 8, QImage::Format_RGB32);
        img.fill(colours[i]);
        ASSERT_TRUE(img.save(ours + pictures[i], nullptr, 100));
    }
    const QString own = pictureFile("own photo.png");
    const auto design = [&](const QString &resources) {
        DesignData d;
        GraphicPtr photo = SKTGraphic::create(GraphicKind::Image);
        photo->_file_path = photo->Text_Value = resources + pictures[0];
        GraphicPtr sign = SKTGraphic::create(GraphicKind::Signature);
        sign->_file_path = resources + pictures[1];
        GraphicPtr logo = SKTGraphic::create(GraphicKind::Image);
        logo->_file_path = logo->Text_Value = resources + pictures[2];
        GraphicPtr mine = SKTGraphic::create(GraphicKind::Image);
        mine->_file_path = mine->Text_Value = own;
        d.front_controls = {photo, sign, logo, mine};
        d.front_card.setCard_BG_Image_Path(resources + pictures[3]);
        return d;
    };
    struct Row {
        const char *what;
        QString saving;     // the saving copy's resources (the design's paths are there)
        QString savedWith;  // Resource_Path while saving; "" for a file saved before the
                            // stored form, which holds the paths as they were
    };
    const QString build = home + "/A/build/resources/";
    const Row rows[] = {
        {"build tree", build, build},
        {"build tree, older file", build, ""},
        {"package", "/usr/share/dozo-idcard/resources/", "/usr/share/dozo-idcard/resources/"},
        {"package, older file", "/usr/share/dozo-idcard/resources/", ""},
        {"local install, older file", "/usr/local/share/dozo-idcard/resources/", ""},
        {"moved build folder, older file", home + "/moved away/build/resources/", ""},
    };
    for (const Row &r : rows) {
        Resource_Path = r.savedWith.isEmpty() ? ours : r.savedWith;
        const QString path = folder() + "/from another copy.zcd";
        ASSERT_TRUE(Write_Design_File(path, design(r.saving), nullptr)) << r.what;
        if (!r.savedWith.isEmpty()) {
            const QStringList stored = Plist_Read_File(path)->toStringList();
            EXPECT_TRUE(stored.contains("DOZO ID Card.app/Contents/Resources/LibraryImage/Business/Company_Logo.png"))
                << r.what;
            EXPECT_TRUE(stored.contains("DOZO ID Card.app/Contents/Resources/Background/Soft_Gradient.jpg")) << r.what;
            EXPECT_FALSE(stored.join(u'|').contains(r.saving)) << r.what;
        }
        Resource_Path = ours;
        DesignData back;
        ASSERT_TRUE(Read_Design_File(path, back, nullptr)) << r.what;
        ASSERT_EQ(back.front_controls.size(), 4u) << r.what;
        const SKTGraphic &photo = *back.front_controls[0], &sign = *back.front_controls[1],
                         &logo = *back.front_controls[2], &mine = *back.front_controls[3];
        EXPECT_EQ(photo._file_path, ours + pictures[0]) << r.what;
        EXPECT_EQ(photo.Text_Value, ours + pictures[0]) << r.what;
        EXPECT_EQ(sign._file_path, ours + pictures[1]) << r.what;
        EXPECT_EQ(logo._file_path, ours + pictures[2]) << r.what;
        EXPECT_EQ(back.front_card.Card_BG_Image_Path(), ours + pictures[3]) << r.what;
        EXPECT_EQ(mine._file_path, own) << r.what;
        EXPECT_EQ(mine.Text_Value, own) << r.what;
        // The pictures themselves are the opening copy's.
        ASSERT_FALSE(photo._contents.isNull()) << r.what;
        EXPECT_EQ(photo._contents.image().pixel(4, 4), colours[0]) << r.what;
        ASSERT_FALSE(logo._contents.isNull()) << r.what;
        EXPECT_EQ(logo._contents.image().pixel(4, 4), colours[2]) << r.what;
        ASSERT_FALSE(back.front_card.Card_BG_Image().isNull()) << r.what;
        const QRgb bg = back.front_card.Card_BG_Image().image().pixel(4, 4);
        EXPECT_NEAR(qRed(bg), qRed(colours[3]), 3) << r.what;
        EXPECT_NEAR(qBlue(bg), qBlue(colours[3]), 3) << r.what;
        ASSERT_FALSE(mine._contents.isNull()) << r.what;
        EXPECT_EQ(mine._contents.image().pixel(1, 1), QColor(Qt::magenta).rgb()) << r.what;
    }
}

TEST(DesignFile, FailedSaveLeavesThePreviousFileIntact)
{
    const QString dir = folder() + "/saves";
    QDir().mkpath(dir);
    const QString path = dir + "/kept.zcd";
    DesignData small;
    ASSERT_TRUE(Write_Design_File(path, small, nullptr));
    const QByteArray before = readAll(path);

    // The message names the system's reason.
    QString error;
    EXPECT_FALSE(Write_Design_File(folder() + "/no such folder/x.zcd", small, &error));
    EXPECT_EQ(error, "The design could not be saved as \"x.zcd\". No such file or directory.");

    DesignData nameless = small;
    nameless.mode = Card_Mode::Visitor;  // a mode no design file stores
    EXPECT_FALSE(Write_Design_File(path, nameless, &error));

    // A disk that fills up during the write (a file size limit stands in for it).
    const DesignData big = fullDesign();
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = old;
    tight.rlim_cur = rlim_t(before.size());
    setrlimit(RLIMIT_FSIZE, &tight);
    const bool written = Write_Design_File(path, big, &error);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "The design could not be saved as \"kept.zcd\". File too large.");

    // A full disk: a small file system of its own, filled up (only where the test may
    // mount one).
    const QString full = dir + "/full";
    QDir().mkpath(full);
    if (::geteuid() == 0 && ::mount("tmpfs", QFile::encodeName(full).constData(), "tmpfs", 0, "size=16k") == 0) {
        QFile filler(full + "/filler");
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        filler.write(QByteArray(64 * 1024, 'x'));
        filler.close();
        error.clear();
        EXPECT_FALSE(Write_Design_File(full + "/GR.zcd", small, &error));
        EXPECT_EQ(error, "The design could not be saved as \"GR.zcd\". No space left on device.");
        EXPECT_EQ(QDir(full).entryList(QDir::Files | QDir::Hidden), QStringList{"filler"});
        ::umount2(QFile::encodeName(full).constData(), MNT_DETACH);
    } else {
        std::cout << "Not run: the full disk, which needs a file system of its own\n";
    }
    QDir(full).removeRecursively();

    if (geteuid() != 0) {  // the superuser writes into read-only folders anyway
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        EXPECT_FALSE(Write_Design_File(path, big, &error));
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
    EXPECT_EQ(readAll(path), before);
    EXPECT_EQ(QDir(dir).entryList(QDir::Files | QDir::Hidden), QStringList{"kept.zcd"});  // no temporary left
}

TEST(DesignFile, ADocumentIsSavedAndPutInPlaceOfAnother)
{
    SKTDocument source;
    source.Front_card_Prop.setCard_Name("Gate pass");
    source.Front_card_Prop.setCard_Size({154, 243});
    source.m_spreadsheet.rows = {{"1", "Ann"}};
    source.m_columnChoices.excel_cb_value11 = 3;
    source.graphics().insert(SKTGraphic::create(GraphicKind::Shape));
    source.graphics_back().insert(SKTGraphic::create(GraphicKind::Text));
    const QString path = folder() + "/document.zcd";
    ASSERT_TRUE(Write_Design_File(path, source, Card_Mode::Opened, nullptr));

    for (bool withRows : {true, false}) {
        SKTDocument target;
        target.m_spreadsheet.rows = {{"9", "kept"}};
        target.graphics_temp().insert(SKTGraphic::create(GraphicKind::Line));
        DesignData data;
        ASSERT_TRUE(Read_Design_File(path, data, nullptr));
        Put_Design_In_Document(data, target, withRows);
        EXPECT_EQ(target.Front_card_Prop.Card_Name(), "Gate pass");
        EXPECT_EQ(target.Back_card_Prop.Card_Size(), QSizeF(154, 243)) << "both sides take the card's size";
        EXPECT_EQ(target.cardBounds(), QRectF(0, 0, 154, 243));
        EXPECT_EQ(target.m_columnChoices.excel_cb_value11, 3);
        EXPECT_EQ(target.m_spreadsheet.rows.front().value(1), withRows ? "Ann" : "kept");
        EXPECT_EQ(target.graphics().at(0)->kind(), GraphicKind::Shape);
        EXPECT_EQ(target.graphics_back().at(0)->kind(), GraphicKind::Text);
        EXPECT_TRUE(target.graphics_temp().isEmpty());
        EXPECT_EQ(target.graphics().at(0)->cardBounds(), target.cardBounds()) << "a control lies on its document's card";
    }
}

TEST(DesignFile, SpreadsheetSourceAndBindingsReopenAsSaved)
{
    SKTDocument source;
    source.Add_ColList_Column("Name");
    source.Add_ColList_Column("Photo");
    ASSERT_TRUE(source.Create_List_By_Array({" Ann ", ""}, 2));
    ASSERT_TRUE(source.Create_List_By_Array({"Bob", "/p/bob.png"}, 2));
    GraphicPtr text = SKTGraphic::create(GraphicKind::Text);
    text->Set_Data_source_type(1);
    text->Set_Batch_List_Name("Staff");
    text->Set_Batch_List_Index(2);
    GraphicPtr image = SKTGraphic::create(GraphicKind::Image);
    image->Set_Data_source_type(2);
    image->Set_Excel_binding_Index(2);
    source.graphics().insert(text);
    source.graphics().insert(image, 1);
    const QString path = folder() + "/rows.zcd";
    ASSERT_TRUE(Write_Design_File(path, source, Card_Mode::Opened, nullptr));

    SKTDocument target;
    DesignData data;
    ASSERT_TRUE(Read_Design_File(path, data, nullptr));
    Put_Design_In_Document(data, target, true);
    EXPECT_EQ(target.ListData(), (QList<QStringList>{{"1", "Ann", ""}, {"2", "Bob", "/p/bob.png"}}));
    QStringList titles;
    for (const SpreadsheetColumn &c : target.ColList()) titles << c.identifier + "=" + c.title;
    EXPECT_EQ(titles, (QStringList{"Extension=S.No.", "Column1=Name", "Column2=Photo"}));
    const SKTGraphic &t = *target.graphics().at(0), &i = *target.graphics().at(1);
    EXPECT_EQ(std::make_tuple(t.data_source_type, t.batch_list_name, t.batch_list_index), std::make_tuple(1, QString("Staff"), 2));
    EXPECT_EQ(std::make_tuple(i.data_source_type, i.excel_binding, i.excel_col_indx), std::make_tuple(2, true, 2));
}

TEST(DesignFile, CardSidesLongerThanTheSizeTabTakesAreRefused)
{
    const QString limitText = QString::number(kLargestCardSideMM, 'f', 0);
    ASSERT_EQ(limitText, "10000");
    struct Row {
        const char *name;
        QSizeF front, back;
        const char *sizeShown;  // in the message, empty: the design opens
    };
    const QSizeF card(243, 154);
    const Row rows[] = {
        {"wide.zcd", {360000, 154}, card, "127000.0 x 54.3"},
        {"tall.zcd", {154, 50000}, card, "54.3 x 17638.9"},
        {"both.zcd", {1e6, 1e6}, card, "352777.8 x 352777.8"},
        {"back.zcd", card, {243, 30000}, "85.7 x 10583.3"},
        {"over.zcd", {kLargestCardSidePoints + 0.01, 154}, card, "10000.0 x 54.3"},
        {"limit.zcd", {kLargestCardSidePoints, kLargestCardSidePoints}, card, ""},
        {"limit-back.zcd", card, {154, kLargestCardSidePoints}, ""},
    };
    for (const Row &r : rows) {
        DesignData design = fullDesign();
        design.front_card.setCard_Location({0, 0});
        design.back_card.setCard_Location({0, 0});
        design.front_card.setCard_Size(r.front);
        design.back_card.setCard_Size(r.back);
        const QString path = folder() + "/" + r.name;
        ASSERT_TRUE(Write_Design_File(path, design, nullptr)) << r.name;
        DesignData d = markerDesign();
        const GraphicPtr shape = d.front_controls[0];
        QString error;
        const bool read = Read_Design_File(path, d, &error);
        if (QByteArray(r.sizeShown).isEmpty()) {
            ASSERT_TRUE(read) << r.name << ": " << error.toStdString();
            EXPECT_EQ(d.front_card.Card_Size(), r.front) << r.name;
            EXPECT_EQ(d.back_card.Card_Size(), r.back) << r.name;
            continue;
        }
        EXPECT_FALSE(read) << r.name;
        EXPECT_EQ(error, QStringLiteral("\"%1\" holds a card of %2 mm, but a card side can be at most 10000 mm long; "
                                        "the design can't be opened.")
                             .arg(r.name, r.sizeShown))
            << r.name;
        expectMarkerDesign(d, shape);
        // Read as an array (no file), the message speaks of "This file".
        QString arrayError;
        DesignData fromArray;
        EXPECT_FALSE(Design_From_Array(Design_To_Array(design), fromArray, &arrayError)) << r.name;
        EXPECT_TRUE(arrayError.startsWith("This file holds a card of ")) << arrayError.toStdString();
    }
}


// In a shared folder another user's file or link under the name cannot be replaced: the
// save is refused, says so, and leaves it as it was.
TEST(DesignFile, AnotherUsersFileInASharedFolderIsSaidToBeInTheWay)
{
    if (::geteuid() != 0) GTEST_SKIP() << "making another user's files needs root";
    const struct Row {
        bool link;
        const char *error;
        File_Link links = File_Link::Replace;
    } rows[] = {
        {false, "The design could not be saved as \"Badge.zcd\". \"Badge.zcd\" in this shared folder is another "
                "user's file, which only they can replace. Please choose another name."},
        {true, "The design could not be saved as \"Badge.zcd\". \"Badge.zcd\" in this shared folder is another "
               "user's link, which only they can replace. Please choose another name."},
        // The very name typed in Save As, the link leading to a file of the user's own: not
        // written through either.
        {true, "The design could not be saved as \"Badge.zcd\". \"Badge.zcd\" in this shared folder is another "
               "user's link, which only they can replace. Please choose another name.",
         File_Link::Write_Through},
    };
    for (const Row &r : rows) {
        const testsupport::Shared_Folder shared;
        ASSERT_TRUE(shared.plantFile("theirs.zcd", "their design"));
        QFile own(shared.filePath("own.zcd"));  // the user's own, of the same bytes
        ASSERT_TRUE(own.open(QIODevice::WriteOnly) && own.write("their design") == 12 && own.flush());
        ASSERT_EQ(::chown(QFile::encodeName(own.fileName()).constData(), testsupport::kTestUser, testsupport::kTestUser),
                  0);
        const QString linked = r.links == File_Link::Write_Through ? "own.zcd" : "theirs.zcd";
        ASSERT_TRUE(r.link ? shared.plantLink("Badge.zcd", shared.filePath(linked))
                           : shared.plantFile("Badge.zcd", "their design"));
        QString error;
        {
            const testsupport::Acting_As_Test_User user;
            ASSERT_TRUE(user.acting());
            EXPECT_FALSE(Write_Design_File(shared.filePath("Badge.zcd"), markerDesign(), &error, r.links));
        }
        EXPECT_EQ(error, r.error);
        QFile kept(shared.filePath("Badge.zcd"));
        ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
        EXPECT_EQ(kept.readAll(), "their design");
        EXPECT_EQ(QFileInfo(shared.filePath("Badge.zcd")).isSymLink(), r.link);
    }
}

} // namespace design_file_test
