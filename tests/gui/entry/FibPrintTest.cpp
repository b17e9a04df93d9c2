#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <cstring>
#include <map>

#include "print/FibLayout.h"
#include "ui/PainterSurface.h"

using namespace pelo;

// With the printer's font (Arial 9 at 300 dpi), no two texts of one row run
// into each other and none passes the rules' right end, for sheets answered
// with every code and with the widest plausible numbers.
TEST(FibPrint, TextsKeepToTheirCells) {
    QFont regular(QStringLiteral("Arial"));
    regular.setPixelSize(38);  // 9 points at 300 dpi
    QFont bold = regular;
    bold.setBold(true);
    const QFontMetrics fm(regular), fmb(bold);

    for (std::uint8_t code = 1; code <= 4; ++code) {
        FibRecord r = headerTemplate();
        for (const auto& fi : kFibFields) {
            if (fi.type == FieldType::U8) r.bytes[fi.offset] = code;
            if (fi.type == FieldType::I32) {
                const std::int32_t v = 9999;
                std::memcpy(&r.bytes[fi.offset], &v, 4);
            }
        }
        r.set(fld::Sexe, 2);
        r.set(fld::GrossEnfantNormal, 9);
        r.set(fld::NumCentre, 9999);
        r.set(fld::NumFib, 65535);
        r.setInitiale("W");
        r.set(fld::GlyJeun, 360.0f);
        r.set(fld::HbA1c, 19.99f);
        r.set(fld::Fructosamine, 999.99f);
        r.set(fld::Creatinine, 999.99f);
        r.set(fld::Microalb, 9999.0f);
        r.set(fld::Proteinurie, 99.999f);
        r.set(fld::Cholesterol, 780.0f);
        r.set(fld::Hdl, 270.0f);
        r.set(fld::Triglycerides, 880.0f);
        const PrintDocument doc = fibPrintLayout(r, "31/12/2026", unitLabelsFor({5, 3, 3, 3, 5, 5, 5}));

        struct Span {
            int x1, x2;
            std::string text;
        };
        std::map<int, std::vector<Span>> rows;
        for (const auto& it : doc.pages[0].items) {
            if (it.kind != DrawItem::Text) continue;
            const int w = (it.text == "PELORAMIX" ? fmb : fm).horizontalAdvance(QString::fromStdString(it.text));
            rows[it.y1].push_back({it.x1, it.x1 + w, it.text});
            EXPECT_LE(it.x1 + w, 2200) << it.text;
        }
        for (const auto& [y, spans] : rows)
            for (const Span& a : spans)
                for (const Span& b : spans)
                    if (a.x1 < b.x1) {
                        EXPECT_LE(a.x2, b.x1) << "code " << int(code) << ": " << a.text << " / " << b.text;
                    }
    }
}

// The page drawn through the printer's surface puts ink where the layout says.
TEST(FibPrint, DrawnPageHasInkAtTheLayoutPlaces) {
    FibRecord r = headerTemplate();
    r.set(fld::Sexe, 1);
    const PrintDocument doc = fibPrintLayout(r, "08/12/2026", FibUnitLabels{});
    QImage img(2480, 3508, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter p(&img);
        ui::PainterSurface s(p, 300.0 / 72.0);
        doc.pages[0].replay(s);
    }
    auto inkIn = [&](int x1, int y1, int x2, int y2) {
        for (int y = y1; y < y2; ++y)
            for (int x = x1; x < x2; ++x)
                if (qGray(img.pixel(x, y)) < 128) return true;
        return false;
    };
    EXPECT_TRUE(inkIn(100, 100, 300, 150));    // PELORAMIX
    EXPECT_TRUE(inkIn(1900, 100, 2100, 150));  // the date
    EXPECT_TRUE(inkIn(100, 1500, 200, 1550));  // YEUX :
    EXPECT_FALSE(inkIn(100, 350, 2200, 400));  // a man: no pregnancy row
    EXPECT_TRUE(inkIn(1000, 419, 1010, 422));  // a rule
    EXPECT_FALSE(inkIn(0, 3100, 2480, 3508));  // nothing below the layout
}
