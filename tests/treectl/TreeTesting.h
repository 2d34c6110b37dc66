#pragma once
// A tree control in a shown window for the tests of the tree and its view:
// a fixed font, timers that tests fire themselves, items built from a
// compact outline, a log of events, and synthesized keys.

#include "MouseTesting.h"

#include "treectl/support/McTimer.h"
#include "treectl/tree/McTree.h"

#include "platform/gdi/BitmapCanvas.h"

#include <QtGui/QKeyEvent>

#include <string>
#include <vector>

// A timer the test fires by hand.
class ManualMcTimer : public TViewTimer {
public:
    void Start(int milliseconds) override {
        interval = milliseconds;
        active = true;
    }
    void Stop() override { active = false; }
    bool IsActive() const override { return active; }
    // Fires once when running.
    void Fire() {
        if (active && OnTimeout) OnTimeout();
    }
    int interval = 0;
    bool active = false;
};

inline void Fire(TViewTimer* timer) {
    if (timer) static_cast<ManualMcTimer*>(timer)->Fire();
}
inline int Interval(TViewTimer* timer) { return timer ? static_cast<ManualMcTimer*>(timer)->interval : -1; }
inline bool Running(TViewTimer* timer) { return timer && timer->IsActive(); }

// Installs manual timers for the scope.
struct ManualTimers {
    ManualTimers() {
        SetMcTimerFactory([] { return std::make_unique<ManualMcTimer>(); });
    }
    ~ManualTimers() { SetMcTimerFactory({}); }
};

// Top-level lines "i0", "i1", ... for a flat tree of count items.
inline std::vector<std::string> Flat(int count) {
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back("i" + std::to_string(i));
    return lines;
}

struct TreeWindow {
    ManualTimers timers;
    QWidget window;
    TMcTree* tree;
    std::vector<std::string> log;

    // A tree of the size (view 200 x 170 with the default frame) and line height 17.
    explicit TreeWindow(int32_t width = 204, int32_t height = 174) {
        window.resize(width + 20, height + 20);
        tree = new TMcTree(&window);
        tree->setGeometry(0, 0, width, height);
        gdi::LogFont font;
        font.faceName = "Liberation Sans";
        font.height = -11;
        tree->SetFont(font);
        tree->SetChangeDelay(0);
        window.show();
    }

    TMcTreeView& View() { return tree->View(); }
    TMcTreeItems& Items() { return tree->Items(); }

    // Items from lines of an outline: two spaces of indent per level; a
    // trailing "-" leaves the item collapsed (items are expanded otherwise).
    void Build(const std::vector<std::string>& lines) {
        tree->SetUpdating(true);
        std::vector<TMcTreeItem*> parents;
        for (std::string line : lines) {
            size_t level = 0;
            while (line.compare(level * 2, 2, "  ") == 0) ++level;
            line = line.substr(level * 2);
            const bool collapsed = !line.empty() && line.back() == '-';
            if (collapsed) line.pop_back();
            parents.resize(level);
            TMcTreeItem* item = Items().AddChild(level ? parents.back() : nullptr, line);
            if (!collapsed) item->SetStateBit(TMcTreeItem::kExpanded, true);
            parents.push_back(item);
        }
        tree->SetUpdating(false);
        Paint();
    }
    TMcTreeItem* Find(const std::string& text) {
        for (TMcTreeItem* item : tree->AllItems()) {
            if (item->Text() == text) return item;
        }
        return nullptr;
    }
    // The texts of the rows on screen.
    std::string Rows() {
        std::string out;
        for (TMcTreeItem* item : View().Rows()) out += (out.empty() ? "" : " ") + item->Text();
        return out;
    }
    // The texts of the selected items in tree order.
    std::string Selected() {
        std::string out;
        for (TMcTreeItem* item : tree->AllItems()) {
            if (item->GetSelected()) out += (out.empty() ? "" : " ") + item->Text();
        }
        return out;
    }
    std::string Focused() { return tree->FocusedItem() ? tree->FocusedItem()->Text() : "-"; }
    // The middle of the row's text (or x in the view) in view coordinates.
    QPoint RowPoint(const std::string& text, int32_t x = -1) {
        TMcTreeItem* item = Find(text);
        const int32_t row = View().Rows().IndexOf(item);
        return {x >= 0 ? x : item->TextLeft - tree->LeftPosition() + 6, row * tree->LineHeight() + tree->LineHeight() / 2};
    }
    // Paints the view once (on a bitmap of its own), which places the texts.
    void Paint() {
        gdi::BitmapCanvas canvas(std::max(View().width(), 1), std::max(View().height(), 1));
        View().Paint(canvas);
    }
    void Key(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = QString()) {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QCoreApplication::sendEvent(&View(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QCoreApplication::sendEvent(&View(), &release);
    }
    void Type(const std::string& text) {
        for (char c : text) Key(QChar(c).toUpper().unicode(), Qt::NoModifier, QString(QChar(c)));
    }
    std::vector<std::string> Take() {
        std::vector<std::string> taken;
        taken.swap(log);
        return taken;
    }
};
