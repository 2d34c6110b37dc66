#pragma once
// The field panel at the right of a document window: one caption and one
// edit per field of the current design. Editing a value updates the field
// texts bound to that field; dragging a caption onto the view makes a new
// field text bound to it. The panel is shown and hidden from the main
// window and keeps its width in between; the splitter at its left edge
// changes the width.

#include <QtCore/QObject>
#include <QtCore/QPoint>
#include <QtCore/QString>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QMouseEvent;
class QWidget;
class TChild;
class TMyScrollBox;

class TFieldPanel : public QObject {
    Q_OBJECT
public:
    // A field name dragged from a panel: "<panel number>/<field index>".
    static constexpr const char* kMimeType = "application/x-zorbit-fieldname";
    static constexpr int kRowHeight = 40;
    static constexpr int kBottomSpace = 10;
    static constexpr int kMinRowWidth = 25;
    static constexpr int kMaxRowWidth = 1000;
    static constexpr int kScrollBarRoom = 20;
    static constexpr int kMinPanelWidth = 30;

    TFieldPanel(TChild& window, QWidget& splitter, TMyScrollBox& box, QWidget& panel);
    ~TFieldPanel() override;

    // Shows the panel with the width it had when it was last hidden, or
    // hides it, with the main window's item and button.
    void Toggle();
    // The rows of the current design's fields.
    void Build();
    void Clear();
    // Every row as wide as the panel less its margin (25 to 1000 pixels), 20
    // pixels less while the panel is higher than its scroll box.
    void ArrangeRows();
    // The value typed into the focused field's edit goes into the field list.
    void Commit();

    int RowCount() const;
    QLabel* Caption(int index) const;
    QLineEdit* Edit(int index) const;
    // The data of a drag of the row's caption.
    QString DragText(int index) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void AddRow(int index, const QString& name, const QString& value);
    void EditEnter(QLineEdit& edit);
    void EditExit(QLineEdit& edit);
    bool EditKey(QLineEdit& edit, const QKeyEvent& key);
    void FocusRow(int index);
    // The value of the field at the index; the bound field texts follow.
    void StoreValue(int index, const QString& text);
    void CaptionPressed(QLabel& caption, QPoint at);
    void CaptionMoved(QLabel& caption, const QMouseEvent& move);
    bool SplitterEvent(QEvent* event);
    bool ViewDropEvent(QEvent* event);
    // The field index a drag from this panel carries; -1 for other drags.
    int DraggedIndex(const QString& text) const;
    void DropField(int index, QPoint at);

    TChild& window_;
    QWidget& splitter_;
    TMyScrollBox& box_;
    QWidget& panel_;
    QWidget& viewport_;
    const int serial_;
    bool shown_ = false;
    bool building_ = false;
    int rememberedWidth_;
    // The text of a field's edit when it took the focus.
    QString editText_;
    QLabel* pressedCaption_ = nullptr;
    QPoint pressPoint_;
    int splitterStartX_ = 0;
    int splitterStartWidth_ = 0;
    bool splitterDragging_ = false;
};
