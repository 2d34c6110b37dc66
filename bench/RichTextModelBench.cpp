// The rich-text model under typing, undo and a large text:
//  - typing 1 MB character by character at the end of a text, each key in
//    its own undo group with the paragraph recorded as the editor records it
//    (target: under 1 s), into one long paragraph and with a new paragraph
//    every 64 characters;
//  - undoing 10,000 typed characters where every key is a group of its own
//    (target: under 50 ms), in short paragraphs and in one paragraph;
//  - the heap that a 1 MB plain text takes in the model (target: under
//    8 MB), in attribute mode (as texts are edited) and in plain mode.
#include "richtext/model/RtRTFText.h"
#include "richtext/model/RtUndoStack.h"
#include "richtext/model/ScribenUndoObject.h"

#include <benchmark/benchmark.h>

#include <malloc.h>

#include <memory>
#include <random>
#include <string>

namespace {

constexpr int32_t kMegabyte = 1 << 20;
constexpr double kMiB = 1024.0 * 1024.0;
constexpr uint8_t kUndoInput = 2;

double HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
}

std::unique_ptr<TRtRTFText> NewText() {
    auto text = std::make_unique<TRtRTFText>();
    text->EditOptions |= rtActivateUndo | rtActivateRedo;
    return text;
}

char TypedChar(int32_t i) { return i % 7 == 6 ? ' ' : char('a' + i % 26); }

// One key at the end of the text, as the editing layer types it; every
// paragraphEvery characters (0: never) a new paragraph instead.
// The cursor stays at the end of the text, as typing leaves it.
void TypeAtEnd(TRtRTFText& text, int32_t i, int32_t paragraphEvery) {
    TRtPosition& at = text.Cursor;
    text.BeginUndoGroup();
    if (paragraphEvery > 0 && i % paragraphEvery == paragraphEvery - 1) {
        text.NewUndoGroup();
        text.SaveUndo(at.par, uakParagraph, kUndoInput);
        if (text.SplitParagraph(at.par, at.line, at.offset)) {
            text.SaveUndo(at.par->next, uakCreated, kUndoInput);
            at = {at.par->next, at.par->next->firstLine, 0};
        }
    } else {
        text.SaveUndo(at.par, uakText, kUndoInput);
        if (text.InsertChar(at.par, at.line, &text.CurrentAttr, TypedChar(i), at.offset)) ++at.offset;
    }
    text.EndUndoGroup();
}

void BM_TypeOneMegabyteAtTheEnd(benchmark::State& state) {
    const int32_t paragraphEvery = int32_t(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TRtRTFText> text = NewText();
        state.ResumeTiming();
        for (int32_t i = 0; i < kMegabyte; ++i) TypeAtEnd(*text, i, paragraphEvery);
        state.PauseTiming();
        benchmark::DoNotOptimize(text->FirstPar());
        text.reset();
        state.ResumeTiming();
    }
    state.SetLabel(paragraphEvery ? "new paragraph every 64 characters" : "one paragraph");
}
BENCHMARK(BM_TypeOneMegabyteAtTheEnd)->Arg(0)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_UndoTenThousandTypedCharacters(benchmark::State& state) {
    const int32_t paragraphEvery = int32_t(state.range(0));
    constexpr int32_t kKeys = 10000;
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<TRtRTFText> text = NewText();
        for (int32_t i = 0; i < kKeys; ++i) {
            TypeAtEnd(*text, i, paragraphEvery);
            text->ForceNewUndoGroup();  // every key its own group
        }
        TRtUndoStack& stack = text->GetUndoStack();
        state.counters["groups"] = stack.UndoGroupCount();
        state.ResumeTiming();
        while (stack.CanUndo()) text->Undo();
        state.PauseTiming();
        if (!text->IsEmpty()) state.SkipWithError("undo did not empty the text");
        text.reset();
        state.ResumeTiming();
    }
    state.SetLabel(paragraphEvery ? "new paragraph every 64 characters" : "one paragraph");
}
BENCHMARK(BM_UndoTenThousandTypedCharacters)->Arg(64)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(5);

// A plain 1 MB text: lines of 40 to 120 characters, each a paragraph.
std::vector<std::string> PlainLines() {
    std::mt19937 random(1);
    std::vector<std::string> lines;
    int32_t total = 0;
    while (total < kMegabyte) {
        std::string line(size_t(40 + random() % 81), ' ');
        for (char& c : line) c = TypedChar(int32_t(random() % 1000));
        total += int32_t(line.size()) + 2;  // with CR LF, as in the file
        lines.push_back(std::move(line));
    }
    return lines;
}

void BM_HeapOfOneMegabytePlainText(benchmark::State& state) {
    const bool plainMode = state.range(0) == 1;
    const std::vector<std::string> lines = PlainLines();
    for (auto _ : state) {
        const double before = HeapInUse();
        auto text = std::make_unique<TRtRTFText>();
        if (plainMode) text->SetTextMode(1);
        for (size_t i = 0; i < lines.size(); ++i) {
            text->InsertParagraphText(int32_t(i), lines[i].c_str(), nullptr, int32_t(lines[i].size()));
        }
        state.counters["heap_MiB"] = (HeapInUse() - before) / kMiB;
        state.counters["paragraphs"] = double(lines.size());
        benchmark::DoNotOptimize(text->FirstPar());
    }
    state.SetLabel(plainMode ? "plain mode" : "attribute mode");
}
BENCHMARK(BM_HeapOfOneMegabytePlainText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
