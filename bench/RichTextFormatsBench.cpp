// The RTF reader and writer on a 2 MB RTF text (paragraphs of mixed runs:
// fonts, sizes, colours, bold and italic, umlauts and tabs):
//  - reading it into an empty text in attribute mode (target: under 60 ms);
//  - writing that text as RTF (target: under 30 ms).
#include "foundation/Stream.h"
#include "richtext/formats/RtRtfReader.h"
#include "richtext/formats/RtRtfWriter.h"
#include "richtext/model/RtRTFText.h"
#include "richtext/model/TextHeader.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr size_t kRtfBytes = size_t(2) << 20;

std::unique_ptr<TRtRTFText> NewRichText() {
    auto text = std::make_unique<TRtRTFText>();
    text->Header().RichMode = true;
    text->FreeAllParagraphs(true);
    return text;
}

void ReadRtf(TRtRTFText& text, const std::vector<uint8_t>& rtf) {
    TRtRtfReader reader;
    reader.Text = &text;
    reader.Header = &text.Header();
    TMemoryStream in(rtf);
    TParagraph* first = text.FirstPar();
    reader.Read(in, first);
}

std::vector<uint8_t> WriteRtf(TRtRTFText& text) {
    TRtRTFWriter writer;
    writer.Text = &text;
    TMemoryStream out;
    writer.Output = &out;
    writer.ResetOutput();
    writer.BeginWrite();
    writer.WriteBody();
    writer.EndWrite();
    return out.Bytes();
}

// An RTF text of about kRtfBytes, as a word processor would give it.
const std::vector<uint8_t>& SampleRtf() {
    static const std::vector<uint8_t> rtf = [] {
        std::string s = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}"
                        "{\\f2\\fmodern Courier New;}}{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\n";
        static const char* const kRuns[] = {
            "\\plain\\f0\\fs22 Die Stra\\'dfe f\\'fchrt am Ufer entlang, ",
            "\\plain\\f1\\fs24\\b\\cf1 Preis 3,50 \\'80\\tab ",
            "\\plain\\f2\\fs20\\i\\cf2 und \\{Klammern\\} mit \\\\ Schr\\'e4gstrich ",
            "\\plain\\f0\\fs22\\ul unterstrichen\\ulnone  weiter im Text. ",
        };
        for (int n = 0; s.size() < kRtfBytes; ++n) {
            s += n % 7 == 0 ? "\\pard\\qc\\sb120\\sa120 " : "\\pard\\li720\\fi-360\\tx1440\\tqr\\tx5000 ";
            for (int r = 0; r < 6; ++r) s += kRuns[(n + r) % 4];
            s += "\\par\n";
        }
        s += "}";
        return std::vector<uint8_t>(s.begin(), s.end());
    }();
    return rtf;
}

void BM_ReadRtf2MB(benchmark::State& state) {
    const std::vector<uint8_t>& rtf = SampleRtf();
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TRtRTFText> text = NewRichText();
        state.ResumeTiming();
        ReadRtf(*text, rtf);
        benchmark::DoNotOptimize(text->FirstPar());
        state.PauseTiming();
        text.reset();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(rtf.size()));
}
BENCHMARK(BM_ReadRtf2MB)->Unit(benchmark::kMillisecond);

void BM_WriteRtf2MB(benchmark::State& state) {
    std::unique_ptr<TRtRTFText> text = NewRichText();
    ReadRtf(*text, SampleRtf());
    size_t written = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> rtf = WriteRtf(*text);
        written = rtf.size();
        benchmark::DoNotOptimize(rtf.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(written));
}
BENCHMARK(BM_WriteRtf2MB)->Unit(benchmark::kMillisecond);

}  // namespace
