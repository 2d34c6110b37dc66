#include "richtext/model/RtRTFText.h"

#include <gtest/gtest.h>

TEST(Zoom, ScalesAndUnscalesWithTheZoom) {
    TRtRTFText text;
    struct Case {
        int32_t zoom;
        int32_t value;
        int32_t scaled;
        int32_t unscaled;
    };
    for (const Case c : {Case{150, 100, 150, 67}, Case{150, 150, 225, 100}, Case{33, 10, 3, 30}, Case{100, 77, 77, 77}}) {
        text.Zoom = c.zoom;
        EXPECT_EQ(text.ScaleByZoom(c.value), c.scaled) << c.zoom << " " << c.value;
        EXPECT_EQ(text.UnscaleByZoom(c.value), c.unscaled) << c.zoom << " " << c.value;
    }
    text.Zoom = 150;
    text.LayoutIncludesZoom = true;
    EXPECT_EQ(text.ScaleByZoom(100), 100);
    text.PrintMode = true;
    text.ScreenResolution = 96;
    text.LayoutResolution = 600;
    EXPECT_EQ(text.ScaleByZoom(600), 96);
    EXPECT_EQ(text.UnscaleByZoom(96), 600);
}

TEST(Zoom, FreshMeasuringTable) {
    TRtRTFText text;
    text.Zoom = 200;
    text.InitMeasureTable();
    const TRtMeasureTable& t = text.MeasureTable();
    EXPECT_EQ(t['a'], 16);
    EXPECT_EQ(t[255], 16);
    EXPECT_EQ(t[256], 16);
    EXPECT_EQ(t[kMeasureLineHeight], 8);
    EXPECT_EQ(t[kMeasureBaseLine], 7);
    text.SetMeasureTableCount(0);
    EXPECT_EQ(text.MeasureTables().size(), 1u);
}

TEST(Progress, RangesReportTheGauge) {
    TRtRTFText text;
    EXPECT_EQ(text.BeginProgress(1000), 1);  // no gauge: nothing happens
    std::vector<int32_t> reported;
    text.OnSetGaugeValue = [&reported](TRtCustomRtfEditClass*, int32_t v) { reported.push_back(v); };
    EXPECT_EQ(text.BeginProgress(1000), 10);
    for (int step = 1; step < 10; ++step) text.StepProgress(step);
    EXPECT_TRUE(reported.empty());
    text.StepProgress(10);
    EXPECT_EQ(reported, std::vector<int32_t>{1});
    text.StepProgress(200);
    EXPECT_EQ(reported.back(), 20);
    text.SetProgressShare(50);
    text.BeginProgress(10);  // from 20 to 60
    text.EndProgress();
    EXPECT_EQ(reported.back(), 60);
    text.EndProgress();
    const std::vector<int32_t> tail(reported.end() - 2, reported.end());
    EXPECT_EQ(tail, (std::vector<int32_t>{100, 0}));
    EXPECT_EQ(text.BeginProgress(0), -1);
    text.ResetProgress();
    EXPECT_EQ(reported.back(), 0);
}
