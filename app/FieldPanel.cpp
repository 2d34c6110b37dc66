#include "app/FieldPanel.h"

#include "app/Child.h"
#include "app/DrawModes.h"
#include "app/FigureMakers.h"
#include "app/Master.h"
#include "app/MMWindow.h"
#include "app/MyScrollBox.h"
#include "app/SpeedButton.h"
#include "app/ToolbarDefaults.h"

#include "design/EinzelEtikett.h"
#include "figures/Figure.h"
#include "foundation/Codepage1252.h"
#include "foundation/widgets/LocalizerForm.h"
#include "foundation/ZRRegIniFile.h"

#include <QtCore/QMimeData>
#include <QtGui/QAction>
#include <QtGui/QDrag>
#include <QtGui/QDropEvent>
#include <QtGui/QKeyEvent>
#include <QtGui/QMouseEvent>
#include <QtWidgets/QApplication>
#include <QtWidgets/QLabel>
#include <QtWidgets/QLineEdit>
#include <QtWidgets/QScrollBar>

#include <algorithm>
#include <atomic>

namespace {

constexpr const char* kTagProperty = "Tag";
constexpr int kRowLeft = 5;
constexpr int kCaptionTop = 5;
constexpr int kCaptionHeight = 15;
constexpr int kEditTop = 20;
constexpr int kEditHeight = 20;
// Room the view keeps beside a widened panel.
constexpr int kViewRoom = 100;

int NextPanelSerial() {
    static std::atomic<int> serial{0};
    return ++serial;
}

int TagOf(const QObject& control) { return control.property(kTagProperty).toInt(); }

bool IsRowControl(const QObject* object, const char* prefix) {
    return object && object->objectName().startsWith(QLatin1String(prefix));
}

}  // namespace

TFieldPanel::TFieldPanel(TChild& window, QWidget& splitter, TMyScrollBox& box, QWidget& panel)
    : window_(window),
      splitter_(splitter),
      box_(box),
      panel_(panel),
      viewport_(*window.MMWin().viewport()),
      serial_(NextPanelSerial()),
      rememberedWidth_(box.width()) {
    box_.setWidgetResizable(false);
    box_.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_.setFrameShape(QFrame::NoFrame);
    box_.OnAfterResize = [this] {
        panel_.resize(box_.width(), panel_.height());
        ArrangeRows();
    };
    panel_.move(0, 0);
    panel_.resize(box_.width(), 0);
    // The rows show the fields' names and values.
    MarkAsData(&panel_);
    splitter_.installEventFilter(this);
    viewport_.setAcceptDrops(true);
    viewport_.installEventFilter(this);
}

TFieldPanel::~TFieldPanel() { box_.OnAfterResize = nullptr; }

// ---- showing and hiding

void TFieldPanel::Toggle() {
    shown_ = !shown_;
    if (Master) {
        if (QAction* item = Master->MenuItem("mnuFeldlisteAnzeigen")) item->setChecked(shown_);
        if (TSpeedButton* button = Master->Button("cmdFeldliste")) button->SetDown(shown_);
    }
    if (shown_) {
        box_.setFixedWidth(rememberedWidth_);
        splitter_.show();
        box_.show();
    } else {
        rememberedWidth_ = box_.width();
        splitter_.hide();
        box_.hide();
    }
}

bool TFieldPanel::SplitterEvent(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease) return false;
    auto* mouse = static_cast<QMouseEvent*>(event);
    switch (type) {
    case QEvent::MouseButtonPress:
        if (mouse->button() != Qt::LeftButton) return false;
        splitterDragging_ = true;
        splitterStartX_ = mouse->globalPosition().toPoint().x();
        splitterStartWidth_ = box_.width();
        return true;
    case QEvent::MouseMove: {
        if (!splitterDragging_) return false;
        const int widest = std::max(kMinPanelWidth, window_.width() - kViewRoom);
        const int width = splitterStartWidth_ + splitterStartX_ - mouse->globalPosition().toPoint().x();
        box_.setFixedWidth(std::clamp(width, kMinPanelWidth, widest));
        return true;
    }
    case QEvent::MouseButtonRelease:
        splitterDragging_ = false;
        return true;
    default:
        return false;
    }
}

// ---- rows

int TFieldPanel::RowCount() const { return static_cast<int>(panel_.findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly).size()); }

QLabel* TFieldPanel::Caption(int index) const {
    return panel_.findChild<QLabel*>(QStringLiteral("LA%1").arg(index), Qt::FindDirectChildrenOnly);
}

QLineEdit* TFieldPanel::Edit(int index) const {
    return panel_.findChild<QLineEdit*>(QStringLiteral("FE%1").arg(index), Qt::FindDirectChildrenOnly);
}

void TFieldPanel::Clear() {
    panel_.resize(panel_.width(), 0);
    for (QWidget* control : panel_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        // A row that goes no longer reports its focus.
        control->removeEventFilter(this);
        delete control;
    }
    pressedCaption_ = nullptr;
}

void TFieldPanel::AddRow(int index, const QString& name, const QString& value) {
    const int h = panel_.height();
    auto* caption = new QLabel(name, &panel_);
    caption->setObjectName(QStringLiteral("LA%1").arg(index));
    caption->setProperty(kTagProperty, index);
    caption->setCursor(Qt::DragCopyCursor);
    caption->setGeometry(kRowLeft, h + kCaptionTop, caption->width(), kCaptionHeight);
    caption->installEventFilter(this);
    auto* edit = new QLineEdit(value, &panel_);
    edit->setObjectName(QStringLiteral("FE%1").arg(index));
    edit->setProperty(kTagProperty, index);
    edit->setGeometry(kRowLeft, h + kEditTop, edit->width(), kEditHeight);
    edit->installEventFilter(this);
    caption->show();
    edit->show();
    panel_.resize(panel_.width(), h + kRowHeight);
}

void TFieldPanel::Build() {
    if (building_) return;
    building_ = true;
    panel_.hide();
    Clear();
    if (const TEinzelEtikett* design = window_.CurrentDesign()) {
        const TFeldListe& fields = design->FieldList;
        for (int i = 0; i < fields.Count(); ++i)
            AddRow(i, AnsiToUnicode(fields.Names[static_cast<size_t>(i)]), AnsiToUnicode(fields.Values[static_cast<size_t>(i)]));
    }
    panel_.resize(box_.width(), panel_.height() + kBottomSpace);
    panel_.show();
    ArrangeRows();
    building_ = false;
}

void TFieldPanel::ArrangeRows() {
    int width = std::clamp(panel_.width() - kBottomSpace, kMinRowWidth, kMaxRowWidth);
    if (panel_.height() > box_.height()) width -= kScrollBarRoom;
    for (QWidget* control : panel_.findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        control->resize(width, control->height());
}

// ---- editing

void TFieldPanel::EditEnter(QLineEdit& edit) {
    if (TEinzelEtikett* design = window_.CurrentDesign()) design->DeselectAll();
    editText_ = edit.text();
    QScrollBar* bar = box_.verticalScrollBar();
    const int index = TagOf(edit);
    if (index == 0) bar->setValue(bar->minimum());
    if (index == RowCount() - 1) bar->setValue(bar->maximum());
}

void TFieldPanel::EditExit(QLineEdit& edit) {
    if (edit.text() != editText_) StoreValue(TagOf(edit), edit.text());
}

void TFieldPanel::Commit() {
    auto* edit = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!edit || edit->parentWidget() != &panel_ || !IsRowControl(edit, "FE")) return;
    EditExit(*edit);
    editText_ = edit->text();
}

void TFieldPanel::StoreValue(int index, const QString& text) {
    TEinzelEtikett* design = window_.CurrentDesign();
    if (!design || index < 0 || index >= design->FieldList.Count()) return;
    const std::string id = design->FieldList.Ids[static_cast<size_t>(index)];
    design->FieldList.SetValueById(id, UnicodeToAnsi(text));
    design->RefreshFieldTexts(id);
    // The value is part of the document, bound field texts or not.
    design->SetModified(true);
}

void TFieldPanel::FocusRow(int index) {
    if (QLineEdit* edit = Edit(index)) edit->setFocus(Qt::TabFocusReason);
}

bool TFieldPanel::EditKey(QLineEdit& edit, const QKeyEvent& key) {
    const int index = TagOf(edit);
    const int last = RowCount() - 1;
    switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
        if (index == last) {
            FocusRow(0);
        } else {
            window_.RequestToolStateRefresh();
        }
        return true;
    case Qt::Key_Up:
        if (index == 0) {
            FocusRow(last);
        } else {
            window_.RequestToolStateRefresh();
        }
        return true;
    default:
        return false;
    }
}

// ---- dragging a field name onto the view

QString TFieldPanel::DragText(int index) const { return QStringLiteral("%1/%2").arg(serial_).arg(index); }

int TFieldPanel::DraggedIndex(const QString& text) const {
    const QStringList parts = text.split(QLatin1Char('/'));
    bool serialOk = false;
    bool indexOk = false;
    if (parts.size() != 2 || parts[0].toInt(&serialOk) != serial_ || !serialOk) return -1;
    const int index = parts[1].toInt(&indexOk);
    return indexOk ? index : -1;
}

void TFieldPanel::CaptionPressed(QLabel& caption, QPoint at) {
    const int index = TagOf(caption);
    if (QLineEdit* edit = Edit(index)) {
        const TEinzelEtikett* design = window_.CurrentDesign();
        const bool changed = design && index < design->FieldList.Count() &&
                             AnsiToUnicode(design->FieldList.Values[static_cast<size_t>(index)]) != edit->text();
        if (changed) StoreValue(index, edit->text());
        if (edit->hasFocus()) editText_ = edit->text();
    }
    pressedCaption_ = &caption;
    pressPoint_ = at;
}

void TFieldPanel::CaptionMoved(QLabel& caption, const QMouseEvent& move) {
    if (pressedCaption_ != &caption || !(move.buttons() & Qt::LeftButton)) return;
    if ((move.position().toPoint() - pressPoint_).manhattanLength() < QApplication::startDragDistance()) return;
    pressedCaption_ = nullptr;
    auto* data = new QMimeData;
    data->setData(QString::fromLatin1(kMimeType), DragText(TagOf(caption)).toUtf8());
    auto* drag = new QDrag(&caption);
    drag->setMimeData(data);
    drag->exec(Qt::CopyAction);
}

bool TFieldPanel::ViewDropEvent(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    const QMimeData* data = drop->mimeData();
    const QString mime = QString::fromLatin1(kMimeType);
    // Field texts are made by the maker that comes with them; until then a drop is refused.
    if (!data || !data->hasFormat(mime) || !FieldTextMaker()) return false;
    const int index = DraggedIndex(QString::fromUtf8(data->data(mime)));
    if (index < 0) return false;
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (event->type() == QEvent::Drop) DropField(index, drop->position().toPoint());
    return true;
}

void TFieldPanel::DropField(int index, QPoint at) {
    TEinzelEtikett* design = window_.CurrentDesign();
    const TFieldTextMaker& maker = FieldTextMaker();
    if (!design || !maker || index < 0 || index >= design->FieldList.Count()) return;
    std::unique_ptr<TFigure> figure =
        maker(window_, design->FieldList.Ids[static_cast<size_t>(index)], ReadToolbarDefaults(Master));
    if (!figure) return;
    TMMWindow& view = window_.MMWin();
    const TRect box = FieldDropBox(view.GetZoom(), {at.x(), at.y()});
    figure->SetFromPixelRect({box.left, box.top}, {box.right, box.bottom});
    TFigure* added = design->AddFigure(std::move(figure), true);
    if (added) added->Invalidate();
    window_.SetModified(true);
    design->SetHandlesVisible(1);
    view.setFocus(Qt::OtherFocusReason);
}

// ---- events of the rows, the splitter and the view

bool TFieldPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &splitter_) return SplitterEvent(event);
    if (watched == &viewport_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop) return ViewDropEvent(event);
        return false;
    }
    if (auto* edit = qobject_cast<QLineEdit*>(watched); edit && IsRowControl(edit, "FE")) {
        switch (event->type()) {
        case QEvent::FocusIn: EditEnter(*edit); break;
        case QEvent::FocusOut: EditExit(*edit); break;
        case QEvent::KeyPress: return EditKey(*edit, *static_cast<QKeyEvent*>(event));
        default: break;
        }
        return false;
    }
    if (auto* caption = qobject_cast<QLabel*>(watched); caption && IsRowControl(caption, "LA")) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() != Qt::LeftButton) return false;
            CaptionPressed(*caption, press->position().toPoint());
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            CaptionMoved(*caption, *static_cast<QMouseEvent*>(event));
            return true;
        }
    }
    return false;
}

// ---- the document window's field commands

void TChild::ConnectFieldPanel() {
    auto* box = static_cast<TMyScrollBox*>(scroboField_);
    fieldPanel_ = std::make_unique<TFieldPanel>(*this, *pSplitter_, *box, *panField_);
    CommitFieldPanel = [this] { CommitFieldEdit(); };
}

void TChild::BuildFieldPanel() {
    // A window that is going away removes its designs one by one: no rows then.
    if (fieldPanel_ && !destroying_) fieldPanel_->Build();
}

void TChild::CommitFieldEdit() {
    if (fieldPanel_ && !destroying_) fieldPanel_->Commit();
}

void TChild::mnuFeldlisteAnzeigenClick() { fieldPanel_->Toggle(); }

void TChild::mnuFelderBearbeitenClick() {
    if (scroboField_->isVisible()) scroboField_->setFocus(Qt::OtherFocusReason);
    if (currentDesign_) currentDesign_->EditFieldList();
    BuildFieldPanel();
}

void TChild::mnuFeldnamenAnzeigenClick() {
    // The stored switch decides, so that an item that checks itself on a click changes nothing.
    const bool showNames = !Settings().ReadBool("Felder", "NamenZeigen", false);
    Settings().WriteBool("Felder", "NamenZeigen", showNames);
    if (Master)
        if (QAction* item = Master->MenuItem("mnuFeldnamenAnzeigen")) item->setChecked(showNames);
    if (currentDesign_) currentDesign_->RefreshFieldTexts({});
}
