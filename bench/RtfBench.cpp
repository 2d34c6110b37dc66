// Label texts in RTF: reading, measuring and wrapping 2 MB of formatted text
// (target under 200 ms), and drawing a 10-line label text on a 600-dpi
// canvas (target under 2 ms).
#include "figures/RTFDrawer.h"
#include "foundation/BmpScaleCanvas.h"
#include "platform/gdi/RecordingCanvas.h"

#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <benchmark/benchmark.h>

#include <string>

namespace {

const char* const kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red200\\green0\\blue0;\\red0\\green90\\blue200;}\r\n";
// One paragraph of about 400 bytes: two fonts, bold, italic, colours,
// hyphenated words and escapes.
const char* const kParagraph =
    "\\pard\\qj\\f0\\fs20\\cf1 Der Etiketten-Designer druckt \\b Adress-Etiketten\\b0 , CD-H\\'fcllen und "
    "Visitenkarten auf vorgestanzte B\\'f6gen. {\\i\\cf3 Gr\\'fc\\'dfe aus dem Sommerfest-B\\'fcro} kosten "
    "\\'80 12,50; \\f1\\fs24\\cf2 jedes Feld kann fett, kursiv oder farbig sein\\f0\\fs20\\cf1 , und lange "
    "W\\'f6rter wie Donaudampfschifffahrts-Gesellschaft brechen nach ihrem Bindestrich.\\par\r\n";

std::string MakeRtf(size_t bytes) {
    std::string rtf = kHeader;
    while (rtf.size() < bytes) rtf += kParagraph;
    return rtf + "}";
}

// Ten lines in a 70 x 45 mm label.
const char* const kLabel =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}}"
    "{\\colortbl ;\\red0\\green0\\blue0;\\red200\\green0\\blue0;}"
    "\\pard\\qc\\f0\\fs24\\cf2\\b Sommerfest 2024\\b0\\cf1\\par"
    "\\pard\\qj\\f1\\fs20 Liebe Freunde, wir laden Euch herzlich zu unserem Sommerfest im Garten ein. "
    "Es gibt Musik, Kuchen, Gegrilltes und kalte Getr\\'e4nke, und f\\'fcr die Kinder einen Zauberer. "
    "Bitte bringt gute Laune und einen Stuhl mit; bei Regen feiern wir in der Scheune.\\par"
    "\\pard\\qr\\i Samstag, 13. Juli, ab 15 Uhr\\par Gartenweg 7, Etiketten-Stadt}";

}  // namespace

static void BM_Rtf2MBReadMeasureAndWrap(benchmark::State& state) {
    const std::string rtf = MakeRtf(2 * 1024 * 1024);
    size_t lines = 0, tokenBytes = 0;
    for (auto _ : state) {
        TRTFDrawer drawer;
        drawer.SetRTF(rtf);
        drawer.BreakLines(80);
        lines = drawer.Lines.size();
        tokenBytes = drawer.Tokens.MemoryBytes();
        benchmark::DoNotOptimize(lines);
    }
    state.counters["lines"] = static_cast<double>(lines);
    // What the tokens hold, as a multiple of the input.
    state.counters["token_bytes_per_input_byte"] = static_cast<double>(tokenBytes) / static_cast<double>(rtf.size());
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(rtf.size()));
}
BENCHMARK(BM_Rtf2MBReadMeasureAndWrap)->Unit(benchmark::kMillisecond);

static void BM_Rtf2MBWrapOnly(benchmark::State& state) {
    TRTFDrawer drawer;
    drawer.SetRTF(MakeRtf(2 * 1024 * 1024));
    for (auto _ : state) {
        drawer.BreakLines(80);
        benchmark::DoNotOptimize(drawer.Lines.size());
    }
}
BENCHMARK(BM_Rtf2MBWrapOnly)->Unit(benchmark::kMillisecond);

static void BM_Rtf10LinesDrawAt600Dpi(benchmark::State& state) {
    TRTFDrawer drawer;
    drawer.SetRTF(kLabel);
    TBmpScaleCanvas canvas;
    canvas.SetSize(1654, 1063);  // 70 x 45 mm
    canvas.Reset(kResetScreen);
    canvas.SetZoom(600 / 96.0f);
    drawer.BreakLines(66);
    for (auto _ : state) {
        drawer.DrawInRect(canvas, kAlignJustify, 35, 22.5f, 66, 41, 0, kVAlignCenter);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = static_cast<double>(drawer.Lines.size());
}
BENCHMARK(BM_Rtf10LinesDrawAt600Dpi)->Unit(benchmark::kMicrosecond);

// The floor: the same ten lines of text as ten plain text outputs of one font.
static void BM_Plain10LinesTextOutAt600Dpi(benchmark::State& state) {
    TRTFDrawer drawer;
    drawer.SetRTF(kLabel);
    drawer.BreakLines(66);
    std::vector<std::u16string> lines;
    for (const TRTFLine& line : drawer.Lines) {
        std::u16string text;
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i)
            for (char c : drawer.Tokens[static_cast<size_t>(i)].Text) text.push_back(static_cast<unsigned char>(c));
        lines.push_back(text);
    }
    TBmpScaleCanvas canvas;
    canvas.SetSize(1654, 1063);
    canvas.Canvas().font().height = -83;  // 10 points at 600 dpi
    canvas.Canvas().SetBkMode(gdi::BkMode::Transparent);
    for (auto _ : state) {
        int32_t y = 40;
        for (const std::u16string& line : lines) canvas.Canvas().TextOut(40, y += 100, line);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Plain10LinesTextOutAt600Dpi)->Unit(benchmark::kMicrosecond);

// Beside it, what Qt's painter takes for the same ten lines at the same size
// with its own text drawing (glyphs this large are filled as paths there).
static void BM_QPainter10LinesDrawTextAt600Dpi(benchmark::State& state) {
    TRTFDrawer drawer;
    drawer.SetRTF(kLabel);
    drawer.BreakLines(66);
    std::vector<QString> lines;
    for (const TRTFLine& line : drawer.Lines) {
        QString text;
        for (int32_t i = line.FirstToken; i <= line.LastToken; ++i)
            text += QString::fromLatin1(drawer.Tokens[static_cast<size_t>(i)].Text);
        lines.push_back(text);
    }
    QImage image(1654, 1063, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font("Arial");
    font.setPixelSize(83);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (auto _ : state) {
        int y = 40;
        for (const QString& line : lines) painter.drawText(40, y += 100, line);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_QPainter10LinesDrawTextAt600Dpi)->Unit(benchmark::kMicrosecond);

// The drawer's own work for the same draw: a recording of the same
// resolution, so that no glyph is rasterised.
static void BM_Rtf10LinesDrawOnRecording(benchmark::State& state) {
    TRTFDrawer drawer;
    drawer.SetRTF(kLabel);
    gdi::RecordingCanvas recording(gdi::ScreenCaps(), gdi::DeviceKind::Bitmap);
    TScaleCanvas canvas(&recording);
    canvas.Reset(kResetScreen);
    canvas.SetZoom(600 / 96.0f);
    drawer.BreakLines(66);
    for (auto _ : state) {
        drawer.DrawInRect(canvas, kAlignJustify, 35, 22.5f, 66, 41, 0, kVAlignCenter);
        recording.Clear();
    }
}
BENCHMARK(BM_Rtf10LinesDrawOnRecording)->Unit(benchmark::kMicrosecond);
