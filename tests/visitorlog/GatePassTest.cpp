// The gate pass drawing, read back through a recording paint device: border, band,
// photo box, the rows and their separators.
#include "Gate_Pass.h"
#include "RecordingDevice.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
constexpr double W = 495, H = 400;
const QColor kGrey(170, 170, 170);

struct Drawn : RecordingDevice {
    explicit Drawn(const Gate_Pass_Data &d) : RecordingDevice(QSize(int(W), int(H)))
    {
        QPainter p(this);
        Draw_Gate_Pass(p, QRectF(0, 0, W, H), d);
    }
    double y(const QString &start) const
    {
        const Text *t = text(start);
        return t ? t->baseline.y() : -1;
    }
    std::vector<double> greyLines() const
    {
        std::vector<double> ys;
        for (const Line &l : lines)
            if (l.colour == kGrey) ys.push_back(l.line.y1());
        return ys;
    }
};

Gate_Pass_Data frontOnly()
{
    Gate_Pass_Data d;
    d.front[Pass_Name] = {"Name :", "Ann"};
    d.front[Pass_Phone] = {"Phone No. :", "555"};
    d.front[Pass_UniqueNo] = {"Visitor No. :", "V-7"};
    d.date_time_detail = "2024-01-05 10:00:00";
    return d;
}

Picture photo()
{
    QImage i(40, 50, QImage::Format_RGB32);
    i.fill(Qt::red);
    return Picture(i);
}
} // namespace

TEST(GatePass, PageBorderBandAndHeading)
{
    const Drawn d(frontOnly());
    ASSERT_GE(d.rects.size(), 3u);
    EXPECT_EQ(d.rects[0].rect, QRectF(0, 0, W, H));
    EXPECT_EQ(d.rects[0].fill, QColor(Qt::white));
    EXPECT_EQ(d.rects[1].rect, QRectF(10, 10, W - 20, H - 20));
    EXPECT_EQ(d.rects[1].pen, QColor(Qt::black));
    EXPECT_FALSE(d.rects[1].fill.isValid());
    EXPECT_EQ(d.rects[2].rect, QRectF(11, 55, W - 22, 15)) << "the band, outlined";
    EXPECT_EQ(d.rects[3].rect, QRectF(11, 55, W - 22, 15));
    EXPECT_EQ(d.rects[3].fill, kGrey);
    EXPECT_EQ(d.texts.front().text, "Visitor Details");
    // Heading 12 points bold, captions 10 bold, values 10, none kerned.
    const struct {
        const char *text;
        double points;
        bool bold;
    } fonts[] = {{"Visitor Details", 12, true}, {"Name :", 10, true}, {"Ann", 10, false}, {"Visitor No. :", 10, false}};
    for (const auto &f : fonts) {
        ASSERT_NE(d.text(f.text), nullptr) << f.text;
        EXPECT_DOUBLE_EQ(d.text(f.text)->font.pointSizeF(), f.points) << f.text;
        EXPECT_EQ(d.text(f.text)->font.bold(), f.bold) << f.text;
        EXPECT_FALSE(d.text(f.text)->font.kerning()) << f.text;
    }
    // The band's two texts share the line: the number (caption and value as one
    // text) and the stamp; then the first row 30 points lower.
    EXPECT_EQ(d.y("Visitor No. :V-7"), d.y("Date & Time :2024-01-05 10:00:00"));
    EXPECT_EQ(d.y("Name :") - d.y("Visitor No. :"), 30);
    EXPECT_TRUE(d.images.empty());
}

TEST(GatePass, RowsTakeFifteenPointsAndEmptyRowsNone)
{
    Gate_Pass_Data data = frontOnly();
    data.front[Pass_CompanyName] = {"  ", " \n"};  // blank: no room
    data.front[Pass_Position] = {"Title :", ""};    // caption alone
    data.front[Pass_Date] = {"", "05-Jan-2024"};    // value alone
    const Drawn d(data);
    // Order: name, company, position, fax, slogan, website, address, phone, e-mail, date.
    EXPECT_EQ(d.y("Title :") - d.y("Name :"), kGatePassRowStep);
    EXPECT_EQ(d.y("Phone No. :") - d.y("Title :"), kGatePassRowStep);
    EXPECT_EQ(d.y("05-Jan-2024") - d.y("555"), kGatePassRowStep);
    EXPECT_EQ(d.y("555"), d.y("Phone No. :")) << "caption and value on one line";
    EXPECT_EQ(d.text("Ann")->baseline.x() - d.text("Name :")->baseline.x(), 150) << "the caption column";
    EXPECT_FALSE(d.text("Name :")->font.bold() == d.text("Ann")->font.bold());
    EXPECT_TRUE(d.greyLines().empty()) << "front only: no back separator";
}

TEST(GatePass, TheBackSeparatorFollowsTheLastFrontRowWithoutPhoto)
{
    Gate_Pass_Data data = frontOnly();
    data.front[Pass_Phone] = {};
    data.back[Pass_Name] = {"Host :", "Bob"};
    data.back[Pass_UniqueNo] = {"Badge :", "12"};
    const Drawn d(data);
    // The name row's text box stands on the pen at H - 100 (y up): its line goes at
    // 2 + 2 below the next pen, the back rows 15 below that.
    ASSERT_EQ(d.greyLines(), std::vector<double>{117});
    EXPECT_EQ(d.lines[0].line, QLineF(10, 117, W - 10, 117)) << "across the border";
    EXPECT_EQ(d.y("Host :") - d.y("Name :"), kGatePassRowStep + kGatePassSeparatorStep);
    EXPECT_EQ(d.y("Badge :") - d.y("Host :"), kGatePassRowStep);
}

TEST(GatePass, TheBackSeparatorLiesBelowThePhoto)
{
    Gate_Pass_Data data = frontOnly();
    data.front[Pass_Phone] = {};
    data.photo = photo();
    data.back[Pass_Name] = {"Host :", "Bob"};
    const Drawn d(data);
    ASSERT_EQ(d.images.size(), 1u);
    // x is the content width less 80: 495 - 20 - 20 - 80.
    EXPECT_EQ(d.images[0], QRectF(W - 120, 80, 80, 80));
    bool framed = false;
    for (const auto &r : d.rects) framed |= r.rect == d.images[0] && r.pen == QColor(Qt::black);
    EXPECT_TRUE(framed);
    // The pen steps down from H - 115 by 15 to the photo's bottom (H - 160), then 2 + 2.
    EXPECT_EQ(d.greyLines(), std::vector<double>{164});
    EXPECT_EQ(d.y("Host :") - d.y("Name :"), 81);
}

TEST(GatePass, OtherDetailsFollowASeparatorLevelWithTheirCaption)
{
    Gate_Pass_Data data = frontOnly();
    data.other_detail_info = "Car : X\r\nBadge : 7";
    const Drawn d(data);
    EXPECT_EQ(d.greyLines().size(), 1u);
    EXPECT_EQ(d.y("Other Details :") - d.y("Phone No. :"), kGatePassRowStep + kGatePassSeparatorStep);
    EXPECT_EQ(d.text("Other Details : "), nullptr) << "captions are trimmed";
    EXPECT_NEAR(d.y("Car : X"), d.y("Other Details :"), 0.01);
    EXPECT_GT(d.y("Badge : 7"), d.y("Car : X"));
    data.other_detail_info = " \r\n ";
    EXPECT_TRUE(Drawn(data).greyLines().empty());
    EXPECT_EQ(Drawn(data).text("Other Details"), nullptr);
}

TEST(GatePass, BandTextsWithoutValues)
{
    Gate_Pass_Data data;
    const Drawn d(data);
    ASSERT_EQ(d.texts.size(), 2u);
    EXPECT_EQ(d.texts[1].text, "Date & Time :");
}

TEST(GatePass, PicturesAtAnyResolution)
{
    const Gate_Pass_Data data = frontOnly();
    const QRectF page(0, 0, W, H);
    const struct { double dpi; int w, h; } rows[] = {{600, 4125, 3334}, {72, 495, 400}, {300, 2063, 1667}};
    for (const auto &r : rows) {
        const QImage i = Gate_Pass_Image(data, page, r.dpi);
        EXPECT_EQ(i.size(), QSize(r.w, r.h)) << r.dpi;
        EXPECT_EQ(i.dotsPerMeterX(), int(std::lround(r.dpi / 0.0254))) << r.dpi;
        // Border corner black, page white, band grey, at the pixels the points give.
        const double s = r.dpi / 72;
        EXPECT_EQ(i.pixelColor(int(30 * s), int(30 * s)), QColor(Qt::white)) << r.dpi;
        EXPECT_EQ(i.pixelColor(int(200 * s), int(63 * s)).red(), 170) << r.dpi;
    }
    EXPECT_TRUE(Gate_Pass_Image(data, QRectF(), 600).isNull());
}

TEST(GatePass, PageSizeFollowsTheDetailsLines)
{
    const QRectF one = Gate_Pass_Page_Rect(395, "A");
    const QRectF three = Gate_Pass_Page_Rect(395, "A\r\nB\r\nC");
    EXPECT_EQ(one.topLeft(), QPointF(0, 0));
    EXPECT_EQ(one.width(), 495);
    const double line = three.height() - Gate_Pass_Page_Rect(395, "A\r\nB").height();
    EXPECT_NEAR(three.height() - one.height(), 2 * line, 0.01);
    EXPECT_NEAR(one.height() - 80, line, 0.5);
    EXPECT_EQ(Gate_Pass_Default_Page_Rect(), QRectF(0, 0, 595, 842));
}
