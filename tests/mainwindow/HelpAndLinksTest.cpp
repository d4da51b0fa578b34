// Help window, web links, the banner strip and the promotion window, driven through
// the main window with every opened address caught at the default-application hook.
#include "Dialogs.h"
#include "Globals.h"
#include "HelpWindow.h"
#include "Maker_Links.h"
#include "Promotion_Form.h"
#include "Repeat_Image.h"
#include "TestSupport.h"
#include "TestWindow.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QSplitter>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {
struct Opened : ::testing::Test {
    QStringList opened;
    void SetUp() override
    {
        testsupport::boxes().clear();
        Set_Open_Url_Answerer([this](const QString &url) {
            opened << url;
            return true;
        });
    }
    void TearDown() override { Set_Open_Url_Answerer({}); }
};

QString queryItem(const QString &link, const char *key)
{
    return QUrlQuery(QUrl(link)).queryItemValue(QLatin1String(key), QUrl::FullyDecoded);
}

// True when the text holds no raw blank, tab or line break.
bool noRawSpace(const QString &s)
{
    for (QChar c : s)
        if (c.isSpace()) return false;
    return true;
}
} // namespace

TEST(MakerLinks, MailTextIsTrimmedWithBreaksAndBlanksEncoded)
{
    const struct {
        const char *text, *expected;
    } rows[] = {
        {"", ""},
        {"  a b\nc \n", "a%20b%0A%0Ac"},
        {"\tone\n\ntwo\t", "one%0A%0A%0A%0Atwo"},
        {"x  y", "x%20%20y"},
    };
    for (size_t i = 0; i < std::size(rows); ++i)
        EXPECT_EQ(Mail_Link_Text(QString::fromUtf8(rows[i].text)), QString::fromUtf8(rows[i].expected)) << "row " << i;
}

TEST(MakerLinks, ResellerMailHasTheSubjectAndTheBodyInOrder)
{
    const QString link = Maker_Link_Url(Maker_Link::Reseller_Mail);
    EXPECT_TRUE(link.startsWith("mailto:partners@example.com?subject=Affiliate/Partnership%20Enquiry&body=")) << link.toStdString();
    EXPECT_TRUE(noRawSpace(link));
    EXPECT_EQ(queryItem(link, "subject"), "Affiliate/Partnership Enquiry");
    const QString rule(30, u'=');
    EXPECT_EQ(queryItem(link, "body"),
              "Hello,\n\n" + rule + "\n\nPlease write your business name and contact information here:\n\n\n\n" + rule +
                  "\n\nI am interested in:\n\n"
                  "1. Becoming an affiliate and earning commission on every sale [and / or]\n\n"
                  "2. Becoming a reseller and buying several copies at a discount [and / or]\n\n"
                  "3. Advanced partnership options (please specify)");
}

TEST(MakerLinks, EveryAddressIsOurReservedDomain)
{
    const Maker_Link all[] = {Maker_Link::Support_Mail,  Maker_Link::Reseller_Mail,  Maker_Link::Website_1,
                              Maker_Link::Website_2,     Maker_Link::Website_3,      Maker_Link::Facebook_Share,
                              Maker_Link::Twitter_Share, Maker_Link::Facebook_Like,  Maker_Link::Comments_Page,
                              Maker_Link::Video_Channel};
    QStringList links;
    for (Maker_Link l : all) links << Maker_Link_Url(l);
    for (const Promotion_Product &p : Promotion_Products("Card App"))
        links << p.mailLink << p.contactLink << p.orderLink;
    ASSERT_EQ(links.size(), 19);
    for (const QString &link : links) {
        const QUrl url(link);
        ASSERT_TRUE(url.isValid()) << link.toStdString();
        const QString domain = url.scheme() == "mailto" ? url.path().section(u'@', 1) : url.host();
        EXPECT_TRUE(domain == "example.com" || domain == "example.org" || domain.endsWith(".example.org"))
            << link.toStdString();
    }
    // The shared address travels encoded inside the share pages.
    EXPECT_EQ(Maker_Link_Url(Maker_Link::Facebook_Share),
              "https://social.example.org/share?u=https%3A%2F%2Fexample.com%2Fdozo-id-card%2F");
    EXPECT_EQ(queryItem(Maker_Link_Url(Maker_Link::Twitter_Share), "url"), "https://example.com/dozo-id-card/");
}

TEST(MakerLinks, ProductMailsAreEncodedAndTheContactSubjectEndsWithTheAppName)
{
    const std::vector<Promotion_Product> products = Promotion_Products("Card App");
    ASSERT_EQ(products.size(), 3u);
    QStringList keys;
    for (const Promotion_Product &p : products) {
        keys << p.key;
        for (const QString &link : {p.mailLink, p.contactLink}) {
            EXPECT_TRUE(link.startsWith("mailto:")) << link.toStdString();
            EXPECT_TRUE(noRawSpace(link)) << link.toStdString();
            EXPECT_TRUE(link.contains("&body=")) << link.toStdString();
        }
        EXPECT_EQ(queryItem(p.mailLink, "subject"), p.title);
        EXPECT_EQ(queryItem(p.contactLink, "subject"), "Question from a user of Card App");
        EXPECT_EQ(queryItem(p.contactLink, "body"),
                  "Hello,\n\nI use Card App and would like to know more about your other products.\n\nRegards");
        EXPECT_TRUE(p.contactLink.contains("subject=Question%20from%20a%20user%20of%20Card%20App&body="));
    }
    EXPECT_EQ(keys, QStringList({"B", "L", "C"}));
}

TEST_F(Opened, LinkActionsOpenTheirAddresses)
{
    TestWindow w;
    for (Maker_Link link : {Maker_Link::Support_Mail, Maker_Link::Reseller_Mail, Maker_Link::Website_1,
                            Maker_Link::Website_2, Maker_Link::Website_3, Maker_Link::Facebook_Share,
                            Maker_Link::Twitter_Share, Maker_Link::Facebook_Like, Maker_Link::Comments_Page})
        Open_Link(Maker_Link_Url(link));
    EXPECT_EQ(opened, QStringList({"mailto:support@example.com", Maker_Link_Url(Maker_Link::Reseller_Mail),
                                   "https://example.com/", "https://example.com/dozo-id-card/",
                                   "https://example.org/dozo-id-card/", Maker_Link_Url(Maker_Link::Facebook_Share),
                                   Maker_Link_Url(Maker_Link::Twitter_Share), Maker_Link_Url(Maker_Link::Facebook_Like),
                                   "https://example.com/dozo-id-card/comments"}));
    // The row below the banner carries the same links.
    opened.clear();
    for (const char *name : {"Website_1", "Support_Mail", "Share_It_Dl"})
        w.controller.ui.link_row->findChild<QToolButton *>(name)->click();
    EXPECT_EQ(opened, QStringList({"https://example.com/", "mailto:support@example.com",
                                   "https://example.com/dozo-id-card/comments"}));
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

TEST_F(Opened, HelpWindowOpensTheHelpDocumentOrSaysItIsMissing)
{
    TestWindow w;
    QWidget *item = w.controller.ui.commandWidget(w.command("Help"));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->minimumSize(), QSize(42, 27));
    EXPECT_GE(item->width(), 42);
    EXPECT_GE(item->height(), 27);

    bool shown = false;
    QTimer::singleShot(0, [&] {
        Help_Support *help = &w.controller.Help_Window();
        shown = help->isVisible() && help->isModal();
        help->help_file_btn->click();
        help->done(1);
    });
    w.command("Help")->trigger();
    EXPECT_TRUE(shown);
    EXPECT_FALSE(w.controller.Help_Window().isVisible());
    EXPECT_EQ(opened, QStringList{Resource_Path + "Help.pdf"});
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());

    opened.clear();
    const QString resources = Resource_Path;
    Resource_Path = testsupport::testHome() + "/no-resources/";
    w.controller.Help_Window().HelpFilePressed();
    Resource_Path = resources;
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(testsupport::boxes().take(), QStringList{"\nHelp file does not exist!"});
}

TEST_F(Opened, EachProductButtonShowsItsPromotion)
{
    TestWindow w;
    const std::vector<Promotion_Product> products = Promotion_Products(App_Name);
    Promotion_Form *form = &w.controller.Promotion_Window();
    for (const Promotion_Product &p : products) {
        opened.clear();
        bool filled = false;
        QTimer::singleShot(0, [&] {
            filled = form->isVisible() && form->Software_title->text() == p.title &&
                     form->short_descp->text() == p.shortText && form->long_descp->text() == p.longText &&
                     !form->bundle_image->pixmap().isNull();
            form->Mail_Clicked();
            form->Contact_us_Clicked();
            form->Order_Clicked();
            form->youtube_Clicked();
            form->OK_Clicked();
        });
        QToolButton *button = w.controller.ui.link_row->findChild<QToolButton *>("promotion_" + p.key);
        ASSERT_NE(button, nullptr) << p.key.toStdString();
        EXPECT_EQ(button->text(), p.title);
        button->click();
        EXPECT_TRUE(filled) << p.key.toStdString();
        EXPECT_EQ(form->software_type, p.key);
        EXPECT_EQ(opened, QStringList({p.mailLink, p.contactLink, p.orderLink, "https://example.org/videos/dozo"}));
    }

    // Driven through its method: OK gives 1.
    QTimer::singleShot(0, [form] { form->OK_Clicked(); });
    EXPECT_EQ(w.controller.Open_Promotion_Window("L"), 1);
    EXPECT_EQ(form->Software_title->text(), products[1].title);

    // Another key leaves the fields as they were and opens empty links.
    const QString title = form->Software_title->text();
    opened.clear();
    QTimer::singleShot(0, [&] {
        form->Mail_Clicked();
        form->Contact_us_Clicked();
        form->Order_Clicked();
        form->done(0);
    });
    EXPECT_EQ(w.controller.Open_Promotion_Window("X"), 0);
    EXPECT_EQ(form->Software_title->text(), title);
    EXPECT_EQ(form->short_descp->text(), products[1].shortText);
    EXPECT_EQ(opened, QStringList({"", "", ""}));
}

TEST(PromotionForm, LinkButtonsAndBackground)
{
    TestWindow w;
    Promotion_Form *form = &w.controller.Promotion_Window();
    EXPECT_EQ(Promotion_Form::backgroundColour().rgba(), qRgba(241, 244, 250, 255));
    EXPECT_EQ(form->palette().color(QPalette::Window), Promotion_Form::backgroundColour());
    for (QPushButton *b : {form->website_1, form->support_id}) {
        EXPECT_TRUE(b->font().bold());
        EXPECT_EQ(b->font().pointSize(), 11);
        EXPECT_TRUE(b->font().underline());
        EXPECT_EQ(b->cursor().shape(), Qt::OpenHandCursor);
        EXPECT_EQ(b->palette().color(QPalette::ButtonText), QColor(Qt::blue));
        EXPECT_EQ(b->palette().color(QPalette::Button), Promotion_Form::backgroundColour());
    }
    // The pattern lies under the content: a corner pixel of the window is the pattern's.
    form->setBackgroundPattern(w.controller.promotion_pattern_image.image());
    form->resize(600, 300);
    const QImage shot = form->grab().toImage();
    const QImage pattern = w.controller.promotion_pattern_image.image();
    ASSERT_FALSE(pattern.isNull());
    int wrong = 0;
    for (int i = 0; i < 40; ++i)
        wrong += (shot.pixel(i, 0) != pattern.pixel(i, 0)) + (shot.pixel(0, i) != pattern.pixel(0, i));
    const QPoint far(shot.width() - 1, shot.height() - 1);
    EXPECT_EQ(shot.pixel(far), pattern.pixel(far.x() % pattern.width(), far.y() % pattern.height()));
    EXPECT_EQ(wrong, 0) << "the pattern reaches the window's edges from its corner";
    // Return in the window is OK, never a link.
    for (QPushButton *b : form->findChildren<QPushButton *>())
        EXPECT_EQ(b->isDefault() || b->autoDefault(), b->text() == "OK") << b->text().toStdString();
}

// A tile with a different colour in every pixel, so any shift of the phase shows.
namespace {
QImage numberedTile(int w, int h)
{
    QImage tile(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) tile.setPixel(x, y, qRgb(x * 20, y * 30, 100 + x + y));
    return tile;
}
} // namespace

TEST(Banner, TilesStayTiedToTheStripsTopLeftCorner)
{
    const QImage tile = numberedTile(7, 5);
    const struct {
        QPoint offset;
        int width;
    } rows[] = {{{0, 0}, 50}, {{0, 0}, 173}, {{13, 6}, 50}, {{13, 6}, 173}};
    for (size_t i = 0; i < std::size(rows); ++i) {
        QWidget parent;
        parent.resize(220, 40);
        auto *strip = new Repeat_Image(&parent);
        strip->setTile(tile);
        strip->setGeometry(QRect(rows[i].offset, QSize(rows[i].width, 12)));
        const QImage shot = parent.grab().toImage().convertToFormat(QImage::Format_RGB32);
        int wrong = 0;
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < rows[i].width; ++x)
                wrong += shot.pixel(rows[i].offset + QPoint(x, y)) != tile.pixel(x % 7, y % 5);
        EXPECT_EQ(wrong, 0) << "row " << i;
    }
}

TEST(Banner, PaintingAsksForNoFurtherPaint)
{
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    for (const QImage &tile : {numberedTile(7, 5), QImage()}) {
        Repeat_Image strip;
        strip.resize(100, 20);
        strip.setTile(tile);
        strip.show();
        QApplication::processEvents();
        strip.installEventFilter(&counter);
        counter.paints = 0;
        strip.repaint();
        for (int i = 0; i < 3; ++i) QApplication::processEvents();
        EXPECT_EQ(counter.paints, 1) << (tile.isNull() ? "no picture" : "picture");
        strip.removeEventFilter(&counter);
    }
    EXPECT_TRUE(testsupport::boxes().take().isEmpty());
}

TEST(Banner, TheMainWindowShowsTheBannerUnderTheToolbar)
{
    TestWindow w;
    Repeat_Image *banner = w.controller.ui.banner;
    ASSERT_NE(banner, nullptr);
    EXPECT_EQ(banner->tile(), w.controller.banner_image.image());
    EXPECT_FALSE(banner->tile().isNull());
    EXPECT_EQ(banner->height(), 90);
    const QPoint bannerTop = banner->mapTo(w.controller.window(), QPoint(0, 0));
    const QRect bar = w.controller.ui.commandBar->geometry();
    EXPECT_GE(bannerTop.y(), bar.bottom());
    EXPECT_LT(bannerTop.y(), w.controller.ui.splitter->mapTo(w.controller.window(), QPoint(0, 0)).y());
}
