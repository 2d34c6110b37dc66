// Resampling: the kernels, the contributor lists and the passes.
#include "pictures/Resample.h"

#include "foundation/Exceptions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>

using imaging::DibHandle;

namespace {

DibHandle Filled(int32_t w, int32_t h, int bits, uint32_t bgra) {
    DibHandle dib = imaging::CreateDIB(w, h, bits);
    for (int32_t row = 0; row < h; ++row)
        for (int32_t x = 0; x < w; ++x) std::memcpy(dib->Row(row) + x * (bits / 8), &bgra, static_cast<size_t>(bits / 8));
    return dib;
}

}  // namespace

TEST(Resample, KernelValues) {
    const float xs[] = {0, 0.5f, 1, 1.5f, 2, 3};
    const std::map<std::string, std::array<double, 6>> expected = {
        {"Box", {1, 1, 0, 0, 0, 0}},
        {"Triangle", {1, 0.5, 0, 0, 0, 0}},
        {"Hermite", {1, 0.5, 0, 0, 0, 0}},
        {"Bell", {0.75, 0.5, 0.125, 0, 0, 0}},
        {"B-Spline", {2.0 / 3, 0.4791667, 1.0 / 6, 0.0208333, 0, 0}},
        {"Lanczos3", {1, 0.6079271, 0, -0.1350949, 0, 0}},
        {"Mitchell", {0.8888889, 0.5347222, 0.0555556, -0.0347222, 0, 0}},
    };
    for (const TZRFilterEntry& entry : ResampleFilters) {
        for (size_t i = 0; i < 6; ++i) {
            EXPECT_NEAR(entry.Filter(xs[i]), expected.at(entry.Name)[i], 1e-5) << entry.Name << " at " << xs[i];
            if (xs[i] != 0.5f || std::string(entry.Name) != "Box") {
                EXPECT_FLOAT_EQ(entry.Filter(-xs[i]), entry.Filter(xs[i])) << entry.Name;
            }
        }
    }
    EXPECT_EQ(KernelBox(-0.5f), 0.0f);  // the box is closed on the right only
    const std::array<double, 6> sinc = {1, 0.6366198, 0, -0.2122066, 0, 0};
    for (size_t i = 0; i < 6; ++i) EXPECT_NEAR(KernelSinc(xs[i]), sinc[i], 1e-5);
    EXPECT_EQ(ResampleFilters[5].Support, 3.0f);
    EXPECT_EQ(ResampleTriangleKernel(0.25f), 0.75f);
}

TEST(Resample, ContributorLists) {
    TZRCListList lists;
    // One source pixel to five: every destination takes that pixel.
    BuildContributors(1, 5, KernelTriangle, 1, lists);
    ASSERT_EQ(lists.size(), 5u);
    for (const TZRCList& list : lists) {
        int32_t sum = 0;
        for (const TZRContribution& c : list.List) {
            EXPECT_EQ(c.Pixel, 0);
            sum += c.FixedWeight;
        }
        EXPECT_EQ(sum, 65536);
    }
    // Equal sizes: one entry of full weight at the pixel's own index.
    BuildContributors(7, 7, KernelTriangle, 1, lists);
    for (int32_t i = 0; i < 7; ++i) {
        ASSERT_EQ(lists[size_t(i)].Count, 1);
        EXPECT_EQ(lists[size_t(i)].List[0].Pixel, i);
        EXPECT_EQ(lists[size_t(i)].List[0].FixedWeight, 65536);
    }
    // 100 to 10: s = 9/99, the support spans 11 source pixels each side;
    // indices past the edges are reflected into the picture.
    BuildContributors(100, 10, KernelTriangle, 1, lists);
    for (int32_t i = 0; i < 10; ++i) {
        const TZRCList& list = lists[size_t(i)];
        EXPECT_EQ(list.Count, 21) << i;
        int32_t sum = 0;
        for (const TZRContribution& c : list.List) {
            EXPECT_GE(c.Pixel, 0);
            EXPECT_LE(c.Pixel, 99);
            sum += c.FixedWeight;
        }
        EXPECT_EQ(sum, 65536) << i;
    }
    std::map<int32_t, int> first, last;
    for (const TZRContribution& c : lists[0].List) ++first[c.Pixel];
    for (const TZRContribution& c : lists[9].List) ++last[c.Pixel];
    EXPECT_EQ(first[0], 1);
    for (int32_t j = 1; j <= 10; ++j) EXPECT_EQ(first[j], 2) << j;  // -j reflects onto j
    EXPECT_EQ(last[99], 2);                                           // 100 reflects onto 99
    EXPECT_EQ(last[90], 2);                                           // 109 onto 90
    EXPECT_EQ(last[89], 1);
    FreeContributors(lists);
    EXPECT_TRUE(lists.empty());
}

TEST(Resample, PassesKeepFlatAreasAndEqualSizes) {
    // Equal sizes give the same bytes back, in both depths.
    for (int bits : {24, 32}) {
        DibHandle dib = imaging::CreateDIB(5, 4, bits);
        for (int32_t row = 0; row < 4; ++row)
            for (int32_t i = 0; i < 5 * bits / 8; ++i) dib->Row(row)[i] = static_cast<uint8_t>((row * 16 + i) * 37);
        DibHandle same = StretchDIBFiltered(*dib, 5, 4, KernelTriangle, 1);
        EXPECT_EQ(same->Packed(), dib->Packed()) << bits;
    }
    // Tall enough to be worked on in bands of rows: every row is done once.
    DibHandle tall = imaging::CreateDIB(30, 300, 32);
    for (int32_t row = 0; row < 300; ++row)
        for (int32_t x = 0; x < 30; ++x) tall->Row32(row)[x] = uint32_t(row * 7919 + x * 104729);
    EXPECT_EQ(StretchDIBFiltered(*tall, 30, 300, KernelTriangle, 1)->Packed(), tall->Packed());
    // A white picture reduced stays white (truncated weights alone would give 254).
    DibHandle white = Filled(100, 30, 24, 0xFFFFFF);
    DibHandle reduced = StretchDIBFiltered(*white, 10, 3, KernelTriangle, 1);
    for (int32_t row = 0; row < 3; ++row)
        for (uint32_t i = 0; i < 30; ++i) EXPECT_EQ(reduced->Row(row)[i], 255);
    // Fewer bits come out as 24.
    DibHandle grey = imaging::CreateDIB(4, 4, 8);
    EXPECT_EQ(StretchDIBFiltered(*grey, 2, 2, KernelBox, 0.5f)->BitCount(), 24);
}

// A black-and-white step enlarged with Lanczos3 overshoots on both sides;
// the overshoot is clamped, never wrapped round.
TEST(Resample, Lanczos3StepClamps) {
    DibHandle step = imaging::CreateDIB(8, 1, 24);
    for (int32_t x = 4; x < 8; ++x) std::memset(step->Row(0) + 3 * x, 255, 3);
    DibHandle big = StretchDIBFiltered(*step, 29, 1, KernelLanczos3, 3);
    const uint8_t* row = big->Row(0);
    for (int32_t x = 0; x < 29; ++x) {
        if (x < 12) {
            EXPECT_LE(row[3 * x], 40) << x;
        }
        if (x > 16) {
            EXPECT_GE(row[3 * x], 215) << x;
        }
    }
    EXPECT_EQ(row[0], 0);
    EXPECT_EQ(row[3 * 28], 255);
    // Some pixel beside the step rings past white and was clamped to it.
    int whites = 0;
    for (int32_t x = 17; x < 28; ++x) whites += row[3 * x] == 255;
    EXPECT_GT(whites, 0);
}

TEST(Resample, AlphaOf32BitPicturesIsResampled) {
    DibHandle dib = imaging::CreateDIB(2, 1, 32);
    dib->Row32(0)[0] = 0x000000FFu;  // transparent blue
    dib->Row32(0)[1] = 0xFF0000FFu;  // opaque blue
    DibHandle wide = StretchDIBFiltered(*dib, 3, 1, KernelTriangle, 1);
    ASSERT_EQ(wide->BitCount(), 32);
    EXPECT_EQ(wide->Row32(0)[0], 0x000000FFu);
    EXPECT_NEAR(int(wide->Row32(0)[1] >> 24), 127, 1);
    EXPECT_EQ(wide->Row32(0)[2], 0xFF0000FFu);
}

TEST(Resample, Errors) {
    DibHandle dib = imaging::CreateDIB(4, 4, 24);
    EXPECT_THROW(StretchDIBFiltered(*dib, 0, 3, KernelTriangle, 1), Exception);
    try {
        StretchDIBFiltered(*dib, 3, -1, KernelTriangle, 1);
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "Dest bitmap too small");
    }
    try {
        ZRStretchDIBHorz32(*dib, 2, KernelTriangle, 1);
        FAIL();
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "ZRStretchDIBHorz32: DIB hat nicht 32bit");
    }
    EXPECT_THROW(ZRStretchDIBVert32(*dib, 2, KernelTriangle, 1), Exception);
    EXPECT_EQ(ClampByte(-5), 0);
    EXPECT_EQ(ClampByte(300), 255);
}
