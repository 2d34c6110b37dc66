// The rich-text layout on a 1 MB plain text of about 250 pages:
//  - a full layout (measuring every character, breaking every paragraph
//    into lines, paginating), and the same text laid out by QTextDocument
//    in the same run (target: ours at most half of Qt's, and under 150 ms);
//  - the incremental layout after one key in the middle of the text (target:
//    under 0.5 ms), and the re-wrap of that paragraph alone; keys alternate
//    between a character and a backspace, so the text keeps its size.
#include "platform/gdi/RecordingCanvas.h"
#include "richtext/layout/RtRTFTextPaint.h"
#include "richtext/model/TextHeader.h"

#include <benchmark/benchmark.h>

#include <QtGui/QAbstractTextDocumentLayout>
#include <QtGui/QFont>
#include <QtGui/QTextDocument>

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr size_t kMegabyte = 1 << 20;

// Paragraphs of words of 2 to 9 letters, 300 to 1300 characters each, 1 MB in all.
std::vector<std::string> SampleParagraphs() {
    std::mt19937 random(33);
    std::vector<std::string> paragraphs;
    size_t total = 0;
    while (total < kMegabyte) {
        std::string p;
        const size_t length = 300 + random() % 1000;
        while (p.size() < length) {
            const int letters = 2 + int(random() % 8);
            for (int i = 0; i < letters; ++i) p += char('a' + random() % 26);
            p += random() % 12 == 0 ? ". " : " ";
        }
        total += p.size() + 1;
        paragraphs.push_back(std::move(p));
    }
    return paragraphs;
}

const std::vector<std::string>& Sample() {
    static const std::vector<std::string> sample = SampleParagraphs();
    return sample;
}

struct TLaidOut {
    gdi::RecordingCanvas canvas{gdi::ScreenCaps(), gdi::DeviceKind::Screen};
    TRtRTFTextPaint text;
    TLaidOut() {
        // Filled without a canvas, so that no paragraph is laid out on the way.
        TAttr plain;
        plain.font = uint8_t(text.Header().GetFontIndex("Arial"));
        plain.size = 11;
        text.CurrentAttr = plain;
        const std::vector<std::string>& sample = Sample();
        std::vector<TAttr> attrs;
        TParagraph* last = nullptr;
        for (const std::string& p : sample) {
            attrs.assign(p.size(), plain);
            if (!last) {
                text.SetParagraphText(0, p.c_str(), attrs.data(), int32_t(p.size()));
                last = text.FirstPar();
            } else {
                text.InsertParagraphAfter(last, int32_t(p.size()) + 2);
                text.InsertLineText(last, 0, &plain, p);
            }
        }
        text.RenumberFrom(text.FirstPar());
        text.SetCanvas(&canvas);
    }
};

void BM_FullLayoutOfOneMegabyte(benchmark::State& state) {
    TLaidOut laidOut;
    for (auto _ : state) {
        laidOut.text.Reformat();
        benchmark::DoNotOptimize(laidOut.text.PageCount);
    }
    state.counters["pages"] = laidOut.text.PageCount;
    state.counters["paragraphs"] = double(Sample().size());
}
BENCHMARK(BM_FullLayoutOfOneMegabyte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_QTextDocumentLayoutOfOneMegabyte(benchmark::State& state) {
    std::string plain;
    for (const std::string& p : Sample()) plain += p + '\n';
    QTextDocument document;
    document.setDefaultFont(QFont(QStringLiteral("Arial"), 11));
    document.setDocumentMargin(0);
    // The same text area as the rich text's default page at 96 pixels per inch.
    document.setPageSize(QSizeF((12240 - 2 * 1880) / 15.0, (15840 - 2 * 1440) / 15.0));
    document.setPlainText(QString::fromLatin1(plain.data(), qsizetype(plain.size())));
    for (auto _ : state) {
        document.markContentsDirty(0, document.characterCount());
        benchmark::DoNotOptimize(document.pageCount());
    }
    state.counters["pages"] = document.pageCount();
}
BENCHMARK(BM_QTextDocumentLayoutOfOneMegabyte)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// One key in the middle paragraph: a character, then a backspace.
void TypeInTheMiddle(TRtRTFTextPaint& text, TParagraph* middle, int32_t n) {
    TLine* line = middle->firstLine->next ? middle->firstLine->next : middle->firstLine;
    if (n % 2 == 0) {
        text.InsertChar(middle, line, nullptr, char('a' + n % 26), 3);
    } else {
        text.DeleteChar(middle, line, 3);
    }
}

// The laid-out text and its middle paragraph, where the keys go.
struct TTypedText : TLaidOut {
    TParagraph* middle = nullptr;
    int32_t keys = 0;
    TTypedText() {
        text.Reformat();
        middle = text.ParagraphByIndex(text.CountParagraphs() / 2);
    }
    void Key() { TypeInTheMiddle(text, middle, keys++); }
};

void BM_IncrementalLayoutAfterOneKeyInTheMiddle(benchmark::State& state) {
    TTypedText typed;
    for (auto _ : state) {
        typed.Key();
        typed.text.ReformatAll(true);
    }
    state.counters["pages"] = typed.text.PageCount;
}
BENCHMARK(BM_IncrementalLayoutAfterOneKeyInTheMiddle)->Unit(benchmark::kMicrosecond);

void BM_RewrapOfTheTypedParagraph(benchmark::State& state) {
    TTypedText typed;
    for (auto _ : state) {
        typed.Key();
        typed.text.MeasurePar(typed.middle);
        typed.text.RewrapPar(typed.middle);
    }
}
BENCHMARK(BM_RewrapOfTheTypedParagraph)->Unit(benchmark::kMicrosecond);

}  // namespace
